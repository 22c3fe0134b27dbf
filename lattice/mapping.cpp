// Mapping lattice points and directions to picture space through the Lattice's spline surface.
#include <algorithm>
#include <cmath>

#include "lattice/lattice.h"

namespace {

// Lattice coordinates beyond this are far outside any arena; they are refused before being
// truncated to an index, so no conversion can overflow.
constexpr float kCoordinateLimit = 1.0e7f;

bool usable(float u, float v) {
    return std::fabs(u) < kCoordinateLimit && std::fabs(v) < kCoordinateLimit;
}

/// A pair of derivatives of one open curve, one coordinate each.
struct Slope {
    float x;
    float y;
};

/// Derivative at the local parameter f of the open curve through the samples S(k) around cell
/// `cell` of an n-point sequence; `sample(k, x, y)` gives S(k). For cells outside 0 … n − 2 the
/// caller passes the nearest valid cell and f measured from it, which extrapolates its polynomial.
template <typename Sample>
Slope openSlope(int cell, float f, float n, Sample sample) {
    Slope slope{};
    const float cellf = static_cast<float>(cell);
    if (cellf <= 0.0f) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        sample(0, x0, y0);
        sample(1, x1, y1);
        sample(2, x2, y2);
        float a, b, c;
        quadraticCoefficients(x0, x1, x2, a, b, c);
        slope.x = evalLinear(f, 2.0f * a, b);
        quadraticCoefficients(y0, y1, y2, a, b, c);
        slope.y = evalLinear(f, 2.0f * a, b);
    } else if (cellf >= n - 2.0f) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        sample(cell - 1, x0, y0);
        sample(cell, x1, y1);
        sample(cell + 1, x2, y2);
        float a, b, c;
        quadraticCoefficients(x0, x1, x2, a, b, c);
        slope.x = evalLinear(f + 1.0f, 2.0f * a, b);
        quadraticCoefficients(y0, y1, y2, a, b, c);
        slope.y = evalLinear(f + 1.0f, 2.0f * a, b);
    } else {
        float x[4] = {}, y[4] = {};
        for (int m = 0; m < 4; ++m) {
            sample(cell - 1 + m, x[m], y[m]);
        }
        float a, b, c, d;
        catmullRomCoefficients(x[0], x[1], x[2], x[3], a, b, c, d);
        slope.x = evalQuadratic(f, 3.0f * a, 2.0f * b, c);
        catmullRomCoefficients(y[0], y[1], y[2], y[3], a, b, c, d);
        slope.y = evalQuadratic(f, 3.0f * a, 2.0f * b, c);
    }
    return slope;
}

/// One cubic piece of a grid line, p(t) = a·t³ + b·t² + c·t + d for 0 ≤ t < 1, x and y.
struct Piece {
    CoefficientPair a;
    CoefficientPair b;
    CoefficientPair c;
    CoefficientPair d;
};

/// The Catmull-Rom piece of column i between rows j and j + 1, for 0 < j < rows − 2: the curve
/// across rows is fitted here, at query time, from the column's node positions.
Piece columnPiece(const LatticeNode* column, int j) {
    Piece p{};
    catmullRomCoefficients(column[j - 1].x, column[j].x, column[j + 1].x, column[j + 2].x, p.a.x,
                           p.b.x, p.c.x, p.d.x);
    catmullRomCoefficients(column[j - 1].y, column[j].y, column[j + 1].y, column[j + 2].y, p.a.y,
                           p.b.y, p.c.y, p.d.y);
    return p;
}

/// The box around a piece on 0 ≤ t < 1: |p(t) − d| ≤ |a| + |b| + |c|, widened by two pixels and
/// a relative 1e-5 for the rounding of the evaluation to float. A piece that is not a number gives
/// a box of no numbers.
void pieceBox(const CoefficientPair& a, const CoefficientPair& b, const CoefficientPair& c,
              const CoefficientPair& d, PictureBox& box) {
    auto axis = [](float a, float b, float c, float d, float& low, float& high) {
        const double reach = std::fabs(static_cast<double>(a)) + std::fabs(static_cast<double>(b)) +
                             std::fabs(static_cast<double>(c));
        const double margin = 2.0 + 1e-5 * (std::fabs(static_cast<double>(d)) + reach);
        low = static_cast<float>(d - reach - margin);
        high = static_cast<float>(d + reach + margin);
    };
    axis(a.x, b.x, c.x, d.x, box.minX, box.maxX);
    axis(a.y, b.y, c.y, d.y, box.minY, box.maxY);
}

/// The stored block of row j that the row mapping evaluates from u = i to i + 1, or null where it
/// continues the last quadratic instead (i ≥ columns − 2).
const LatticeNode* storedRowPiece(const Lattice& lattice, int i, int j) {
    if (static_cast<float>(i) < lattice.columns - 2.0f) {
        return &lattice.node(i, j);
    }
    return nullptr;
}

/// Point of row j's stored spline at u, continuing the end segments beyond both ends.
void rowSplinePoint(const Lattice& lattice, float u, int j, float& x, float& y) {
    int i = static_cast<int>(u);
    if (i < 0) {
        i = 0;  // only reached for u ≤ −1: the first quadratic continued backwards
    }
    if (const LatticeNode* piece = storedRowPiece(lattice, i, j)) {
        const float t = u - static_cast<float>(i);
        x = evalCubic(t, piece->a.x, piece->b.x, piece->c.x, piece->d.x);
        y = evalCubic(t, piece->a.y, piece->b.y, piece->c.y, piece->d.y);
    } else {
        const LatticeNode& block = lattice.node(static_cast<int>(lattice.columns) - 2, j);
        const float t = u - (lattice.columns - 3.0f);
        x = evalQuadratic(t, block.b.x, block.c.x, block.d.x);
        y = evalQuadratic(t, block.b.y, block.c.y, block.d.y);
    }
}

}  // namespace

void Lattice::mapPoint(float u, float v, float& x, float& y, bool onColumnLine,
                       bool onRowLine) const {
    if (!usable(u, v)) {
        return;
    }
    const int i = static_cast<int>(u);
    const int j = static_cast<int>(v);
    const float fi = static_cast<float>(i);
    const float fj = static_cast<float>(j);
    const float fu = u - fi;
    const float fv = v - fj;

    if (onColumnLine && onRowLine) {
        if (0.0f <= fi && fi <= columns - 1.0f && 0.0f <= fj && fj <= rows - 1.0f) {
            x = nodes[i][j].x;
            y = nodes[i][j].y;
        }
        return;
    }

    if (onColumnLine) {
        if (!(0.0f <= fi && fi <= columns - 1.0f)) {
            return;
        }
        const LatticeNode* column = nodes[i].get();
        if (j <= 0) {
            x = quadraticThrough(fv, column[0].x, column[1].x, column[2].x);
            y = quadraticThrough(fv, column[0].y, column[1].y, column[2].y);
        } else if (fj < rows - 2.0f) {
            const Piece p = columnPiece(column, j);
            x = evalCubic(fv, p.a.x, p.b.x, p.c.x, p.d.x);
            y = evalCubic(fv, p.a.y, p.b.y, p.c.y, p.d.y);
        } else {
            const int last = static_cast<int>(rows) - 1;
            const float t = v - (rows - 3.0f);
            x = quadraticThrough(t, column[last - 2].x, column[last - 1].x, column[last].x);
            y = quadraticThrough(t, column[last - 2].y, column[last - 1].y, column[last].y);
        }
        return;
    }

    if (onRowLine) {
        if (u > -1.0f && 0.0f <= fj && fj <= rows - 1.0f) {
            rowSplinePoint(*this, u, j, x, y);
        }
        return;
    }

    // The surface: row splines evaluated in one column segment, blended across rows.
    if (!(u > -1.0f && v > -1.0f)) {
        return;
    }
    int segment = i;
    float t = fu;
    if (fi >= columns - 2.0f) {
        segment = static_cast<int>(columns) - 2;
        t = u - (columns - 3.0f);
    }
    const LatticeNode* column = nodes[segment].get();
    auto rowX = [&](int r) {
        const LatticeNode& b = column[r];
        return evalCubic(t, b.a.x, b.b.x, b.c.x, b.d.x);
    };
    auto rowY = [&](int r) {
        const LatticeNode& b = column[r];
        return evalCubic(t, b.a.y, b.b.y, b.c.y, b.d.y);
    };
    if (0.0f < fj && fj < rows - 2.0f) {
        x = catmullRomThrough(fv, rowX(j - 1), rowX(j), rowX(j + 1), rowX(j + 2));
        y = catmullRomThrough(fv, rowY(j - 1), rowY(j), rowY(j + 1), rowY(j + 2));
    } else if (j == 0) {
        x = quadraticThrough(v, rowX(0), rowX(1), rowX(2));
        y = quadraticThrough(v, rowY(0), rowY(1), rowY(2));
    } else {
        const int last = static_cast<int>(rows) - 1;
        const float s = v - (rows - 3.0f);
        x = quadraticThrough(s, rowX(last - 2), rowX(last - 1), rowX(last));
        y = quadraticThrough(s, rowY(last - 2), rowY(last - 1), rowY(last));
    }
}

void Lattice::mapDirection(float u, float v, float du, float dv, float& dx, float& dy) const {
    if (!usable(u, v)) {
        return;
    }
    // The nearest valid cell; inside the arena it is the cell of (u, v) itself. Outside it (a
    // ship exactly on the seam, a shot past the last node) its polynomials are extrapolated.
    int i = static_cast<int>(u);
    int j = static_cast<int>(v);
    const int lastCellU = static_cast<int>(columns) - 2;
    const int lastCellV = static_cast<int>(rows) - 2;
    i = i < 0 ? 0 : (i > lastCellU ? lastCellU : i);
    j = j < 0 ? 0 : (j > lastCellV ? lastCellV : j);
    const float fu = u - static_cast<float>(i);
    const float fv = v - static_cast<float>(j);

    const Slope alongU = openSlope(i, fu, columns, [&](int k, float& x, float& y) {
        mapPoint(static_cast<float>(k), v, x, y, true, false);
    });
    const Slope alongV = openSlope(
        j, fv, rows, [&](int k, float& x, float& y) { rowSplinePoint(*this, u, k, x, y); });

    dx = alongU.x * du + alongV.x * dv;
    dy = alongU.y * du + alongV.y * dv;
}

bool Lattice::rowPieceBox(int i, int j, PictureBox& box) const {
    if (i < 0) {
        return false;
    }
    const LatticeNode* block = storedRowPiece(*this, i, j);
    if (block == nullptr) {
        return false;
    }
    pieceBox(block->a, block->b, block->c, block->d, box);
    return true;
}

bool Lattice::columnPieceBox(int i, int j, PictureBox& box) const {
    if (j <= 0 || !(static_cast<float>(j) < rows - 2.0f)) {
        return false;
    }
    const Piece p = columnPiece(nodes[i].get(), j);
    pieceBox(p.a, p.b, p.c, p.d, box);
    return true;
}

void PictureBox::add(float x, float y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
}
