// Construction of a Lattice, moving its nodes and keeping its row and rim coefficients current.
#include <cassert>

#include "lattice/lattice.h"
#include "shared/data_contract.h"

namespace {

constexpr float kPlaceholder = 30.0f;  // overwritten before any coefficient depends on it

/// Fits one coordinate of segment k of an open sequence of n points into (a, b, c, d).
/// `point(m)` gives point m. The rules are tested in order: first, interior, last.
template <typename Point>
void fitOpenSegment(int k, float n, Point point, float& a, float& b, float& c, float& d) {
    const float kf = static_cast<float>(k);
    if (k == 0) {
        a = 0.0f;
        quadraticCoefficients(point(0), point(1), point(2), b, c, d);
    } else if (0.0f < kf && kf < n - 2.0f) {
        catmullRomCoefficients(point(k - 1), point(k), point(k + 1), point(k + 2), a, b, c, d);
    } else if (kf == n - 2.0f) {
        const int last = static_cast<int>(n) - 1;
        a = 0.0f;
        quadraticCoefficients(point(last - 2), point(last - 1), point(last), b, c, d);
    }
}

}  // namespace

Lattice::Lattice(int nc, int nr) : columns(static_cast<float>(nc)), rows(static_cast<float>(nr)) {
    assert(nc >= 3 && nr >= 3);
    nodes = std::make_unique<std::unique_ptr<LatticeNode[]>[]>(nc);
    for (int i = 0; i < nc; ++i) {
        nodes[i] = std::make_unique<LatticeNode[]>(nr);
        for (int j = 0; j < nr; ++j) {
            nodes[i][j] = LatticeNode{kPlaceholder, kPlaceholder, {}, {}, {}, {}};
        }
    }
    // Each call refits the segments i − 3 … i + 1 of row j, so every block ends up computed
    // from final positions.
    for (int i = 0; i < nc; ++i) {
        for (int j = 0; j < nr; ++j) {
            setNodeAndRefit(i, j, static_cast<float>(kDefaultCellPixels * i),
                            static_cast<float>(kDefaultCellPixels * j));
        }
    }

    const int rimEntries = 2 * (nc + nr) - 4;
    rimCount = static_cast<float>(rimEntries);
    rim = std::make_unique<LatticeNode[]>(rimEntries);
    // Clockwise on screen: along row 0, down the last column, back along the last row, up
    // column 0. Refits made while points are unset are redone once the last point is set.
    for (int i = 0; i <= nc - 2; ++i) {
        setRimPoint(i, static_cast<float>(i), 0.0f);
        setRimPoint(i + nc + nr - 2, static_cast<float>(nc - 1 - i), static_cast<float>(nr - 1));
    }
    for (int j = 0; j <= nr - 2; ++j) {
        setRimPoint(j + nc - 1, static_cast<float>(nc - 1), static_cast<float>(j));
        setRimPoint(j + nr + 2 * nc - 3, 0.0f, static_cast<float>(nr - 1 - j));
    }
}

void Lattice::setNodePosition(int i, int j, float x, float y) {
    assert(i >= 0 && static_cast<float>(i) < columns && j >= 0 && static_cast<float>(j) < rows);
    nodes[i][j].x = x;
    nodes[i][j].y = y;
}

void Lattice::setNodeAndRefit(int i, int j, float x, float y) {
    setNodePosition(i, j, x, y);
    if (0.0f <= static_cast<float>(i) && static_cast<float>(i) < columns) {
        for (int k = i - 3; k <= i + 1; ++k) {
            refitSegment(k, j);
        }
    }
}

void Lattice::refitSegment(int i, int j) {
    if (i < 0 || static_cast<float>(i) > columns - 2.0f || j < 0 || static_cast<float>(j) >= rows) {
        return;
    }
    LatticeNode& block = nodes[i][j];
    fitOpenSegment(
        i, columns, [&](int m) { return nodes[m][j].x; }, block.a.x, block.b.x, block.c.x,
        block.d.x);
    fitOpenSegment(
        i, columns, [&](int m) { return nodes[m][j].y; }, block.a.y, block.b.y, block.c.y,
        block.d.y);
}

void Lattice::refitAll() {
    for (int j = 0; static_cast<float>(j) < rows; ++j) {
        for (int i = 0; static_cast<float>(i) < columns; ++i) {
            refitSegment(i, j);
        }
    }
}

void Lattice::setRimPoint(int k, float u, float v) {
    const int n = static_cast<int>(rimCount);
    assert(k >= 0 && k < n);
    rim[k].x = u;
    rim[k].y = v;
    auto at = [&](int m) -> const LatticeNode& { return rim[(m % n + n) % n]; };
    for (int step = -3; step <= 1; ++step) {
        const int s = (k + step + n) % n;
        LatticeNode& block = rim[s];
        catmullRomCoefficients(at(s - 1).x, at(s).x, at(s + 1).x, at(s + 2).x, block.a.x, block.b.x,
                               block.c.x, block.d.x);
        catmullRomCoefficients(at(s - 1).y, at(s).y, at(s + 1).y, at(s + 2).y, block.a.y, block.b.y,
                               block.c.y, block.d.y);
    }
}

void Lattice::rimPoint(float s, float& u, float& v) const {
    // Callers keep 0 ≤ s < rimCount; anything else leaves (u, v) as it was.
    if (!(s >= 0.0f && s < rimCount)) {
        return;
    }
    const int k = static_cast<int>(s);
    const float t = s - static_cast<float>(k);
    const LatticeNode& block = rim[k];
    u = evalCubic(t, block.a.x, block.b.x, block.c.x, block.d.x);
    v = evalCubic(t, block.a.y, block.b.y, block.c.y, block.d.y);
}

void Lattice::replaceRim(int n) {
    assert(static_cast<float>(n) == rimCount);
    rim = std::make_unique<LatticeNode[]>(n);
}
