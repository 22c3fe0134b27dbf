// Folded cells: places where the warped sheet of a Lattice is turned inside out or squeezed to
// (almost) nothing. The game plays such a level, but its arena shows overlapping or vanishing
// ground there, so the editor and the level tool warn about them.
#include <cmath>
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

}  // namespace

int countFoldedCells(const Lattice& lattice, bool* folded) {
    const int cellsU = static_cast<int>(lattice.columns) - 1;
    const int cellsV = static_cast<int>(lattice.rows) - 1;
    const int across = kSteps * cellsU + 1;
    const int down = kSteps * cellsV + 1;
    // The surface the game places every object on, sampled on a fine grid of lattice points.
    std::vector<Point> sheet(static_cast<size_t>(across) * static_cast<size_t>(down));
    for (int a = 0; a < across; ++a) {
        for (int b = 0; b < down; ++b) {
            float x = 0, y = 0;
            lattice.mapPoint(static_cast<float>(a) / kSteps, static_cast<float>(b) / kSteps, x, y,
                             false, false);
            sheet[static_cast<size_t>(a) * down + b] = {x, y};
        }
    }
    auto at = [&](int a, int b) { return sheet[static_cast<size_t>(a) * down + b]; };
    // Each piece as two triangles; a mirrored level (every piece turning the other way) is no
    // fold, so the level's own orientation is the sign of its whole area.
    std::vector<double> halves(static_cast<size_t>(across - 1) * (down - 1) * 2);
    double total = 0;
    for (int a = 0; a + 1 < across; ++a) {
        for (int b = 0; b + 1 < down; ++b) {
            const size_t k = 2 * (static_cast<size_t>(a) * (down - 1) + b);
            halves[k] = turn(at(a, b), at(a + 1, b), at(a + 1, b + 1));
            halves[k + 1] = turn(at(a, b), at(a + 1, b + 1), at(a, b + 1));
            total += halves[k] + halves[k + 1];
        }
    }
    const double sign = total < 0 ? -1.0 : 1.0;
    const double least = kThinShare * std::fabs(total) / static_cast<double>(halves.size());
    int count = 0;
    for (int i = 0; i < cellsU; ++i) {
        for (int j = 0; j < cellsV; ++j) {
            bool bad = false;
            for (int a = kSteps * i; a < kSteps * (i + 1); ++a) {
                for (int b = kSteps * j; b < kSteps * (j + 1); ++b) {
                    const size_t k = 2 * (static_cast<size_t>(a) * (down - 1) + b);
                    // Not-a-number positions (never in a level the game reads) count as folds.
                    bad = bad || !(sign * halves[k] >= least) || !(sign * halves[k + 1] >= least);
                }
            }
            count += bad ? 1 : 0;
            if (folded != nullptr) {
                folded[i * cellsV + j] = bad;
            }
        }
    }
    return count;
}
