// Folded cells: places where the warped sheet of a Lattice is turned inside out or squeezed to
// (almost) nothing. The game plays such a level, but its arena shows overlapping or vanishing
// ground there, so the editor and the level tool warn about them.
#include <cmath>
#include <utility>
#include <vector>

#include "lattice/lattice.h"

namespace {

/// Samples across each cell edge: each cell is judged as kSteps × kSteps small quadrilaterals.
constexpr int kSteps = 3;
/// A piece whose area is below this share of the level's mean piece area has "almost no area".
constexpr double kThinShare = 0.02;

struct Point {
    double x;
    double y;
};

/// Twice the signed area of the triangle a, b, c: positive when it turns the way the default
/// grid does (x to the right, y downward: clockwise on screen).
double turn(Point a, Point b, Point c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

/// The surface point the game places an object at, on the fine grid of kSteps samples a cell.
Point sample(const Lattice& lattice, int a, int b) {
    float x = 0, y = 0;
    lattice.mapPoint(static_cast<float>(a) / kSteps, static_cast<float>(b) / kSteps, x, y, false,
                     false);
    return {x, y};
}

}  // namespace

int countFoldedCells(const Lattice& lattice, bool* folded) {
    const int cellsU = static_cast<int>(lattice.columns) - 1;
    const int cellsV = static_cast<int>(lattice.rows) - 1;
    const int across = kSteps * cellsU + 1;
    const int down = kSteps * cellsV + 1;
    // Each cell is judged as kSteps × kSteps pieces of two triangles each. A mirrored level (every
    // piece turning the other way) is no fold: the level's own orientation is the sign of the sum
    // of all pieces, which is the signed area inside the sheet's border (the inner edges cancel).
    double total = 0;
    Point last = sample(lattice, 0, 0);
    auto walkTo = [&](int a, int b) {
        const Point next = sample(lattice, a, b);
        total += last.x * next.y - next.x * last.y;
        last = next;
    };
    for (int a = 1; a < across; ++a) {
        walkTo(a, 0);
    }
    for (int b = 1; b < down; ++b) {
        walkTo(across - 1, b);
    }
    for (int a = across - 2; a >= 0; --a) {
        walkTo(a, down - 1);
    }
    for (int b = down - 2; b >= 0; --b) {
        walkTo(0, b);
    }
    const double sign = total < 0 ? -1.0 : 1.0;
    const double pieces = 2.0 * (across - 1) * (down - 1);
    const double least = kThinShare * std::fabs(total) / pieces;

    // Then column by column of samples, two columns held at a time.
    std::vector<Point> left(static_cast<size_t>(down)), right(static_cast<size_t>(down));
    std::vector<bool> bad(static_cast<size_t>(cellsV));
    for (int b = 0; b < down; ++b) {
        left[b] = sample(lattice, 0, b);
    }
    int count = 0;
    for (int a = 0; a + 1 < across; ++a) {
        for (int b = 0; b < down; ++b) {
            right[b] = sample(lattice, a + 1, b);
        }
        for (int b = 0; b + 1 < down; ++b) {
            const double first = sign * turn(left[b], right[b], right[b + 1]);
            const double second = sign * turn(left[b], right[b + 1], left[b + 1]);
            // Not-a-number positions (never in a level the game reads) count as folds.
            if (!(first >= least) || !(second >= least)) {
                bad[b / kSteps] = true;
            }
        }
        std::swap(left, right);
        if ((a + 1) % kSteps == 0) {  // the last pieces of cell column i
            const int i = a / kSteps;
            for (int j = 0; j < cellsV; ++j) {
                count += bad[j] ? 1 : 0;
                if (folded != nullptr) {
                    folded[i * cellsV + j] = bad[j];
                }
                bad[j] = false;
            }
        }
    }
    return count;
}
