#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lattice/lattice.h"

namespace {

TEST(MapPointDefault, SurfaceIsFortyPixelsPerCellEverywhere) {
    Lattice lattice(7, 5);
    for (float u = -0.95f; u < 9.0f; u += 0.37f) {
        for (float v = -0.95f; v < 7.0f; v += 0.41f) {
            float x = 0, y = 0;
            lattice.mapPoint(u, v, x, y, false, false);
            EXPECT_NEAR(x, 40.0f * u, 1e-3) << u << ", " << v;
            EXPECT_NEAR(y, 40.0f * v, 1e-3) << u << ", " << v;
        }
    }
}

TEST(MapPointModes, ValidityAndExactNode) {
    Lattice lattice(6, 4);
    float x = 0, y = 0;
    lattice.mapPoint(2.7f, 1.2f, x, y, true, true);
    EXPECT_EQ(x, 80.0f);
    EXPECT_EQ(y, 40.0f);

    const float unchanged = -777.0f;
    auto leaves = [&](float u, float v, bool column, bool row) {
        float px = unchanged, py = unchanged;
        lattice.mapPoint(u, v, px, py, column, row);
        return px == unchanged && py == unchanged;
    };
    EXPECT_TRUE(leaves(-1.0f, 1.0f, false, false));
    EXPECT_TRUE(leaves(1.0f, -1.5f, false, false));
    EXPECT_TRUE(leaves(1.5f, 4.0f, false, true));   // row index j = rows
    EXPECT_FALSE(leaves(1.5f, 3.0f, false, true));  // the last row
    EXPECT_TRUE(leaves(6.0f, 1.5f, true, false));   // column index = columns
    EXPECT_TRUE(leaves(6.0f, 0.0f, true, true));
    EXPECT_TRUE(leaves(0.0f, 4.0f, true, true));
    EXPECT_TRUE(leaves(-1.2f, 2.0f, false, true));
    EXPECT_TRUE(leaves(NAN, 2.0f, false, false));
    EXPECT_TRUE(leaves(2.0f, 1e30f, false, false));

    lattice.mapPoint(1.5f, 3.0f, x, y, false, true);
    EXPECT_NEAR(x, 60.0f, 1e-4);
    EXPECT_NEAR(y, 120.0f, 1e-4);
}

TEST(MapDirectionDefault, FortyTimesTheDirection) {
    Lattice lattice(8, 6);
    for (float u = 0.0f; u <= 6.99f; u += 0.45f) {
        for (float v = 0.0f; v <= 4.99f; v += 0.55f) {
            float dx = 0, dy = 0;
            lattice.mapDirection(u, v, 0.6f, -0.8f, dx, dy);
            EXPECT_NEAR(dx, 24.0f, 1e-3);
            EXPECT_NEAR(dy, -32.0f, 1e-3);
        }
    }
}

TEST(MapDirectionSeam, OutsideTheCellsExtrapolatesTheNearestCell) {
    // A ship exactly on the seam sits on the last node: the nearest cell's end quadratic gives
    // the slope there. On the default grid that is still 40 pixels per lattice unit.
    Lattice lattice(12, 12);
    float dx = 1234, dy = 1234;
    lattice.mapDirection(11.0f, 11.0f, 1.0f, 0.0f, dx, dy);
    EXPECT_NEAR(dx, 40.0f, 1e-3);
    EXPECT_NEAR(dy, 0.0f, 1e-3);
    lattice.mapDirection(-1.5f, 12.5f, 0.0f, 1.0f, dx, dy);
    EXPECT_NEAR(dx, 0.0f, 1e-3);
    EXPECT_NEAR(dy, 40.0f, 1e-3);

    // On a bent lattice the seam value continues the inside values smoothly.
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 12; ++j) {
            lattice.setNodePosition(i, j, 40.0f * i + 0.8f * j * j, 40.0f * j + 0.5f * i * i);
        }
    }
    lattice.refitAll();
    float inX = 0, inY = 0, onX = 0, onY = 0;
    lattice.mapDirection(10.999f, 5.5f, 1.0f, 0.0f, inX, inY);
    lattice.mapDirection(11.0f, 5.5f, 1.0f, 0.0f, onX, onY);
    EXPECT_NEAR(onX, inX, 0.05);
    EXPECT_NEAR(onY, inY, 0.05);
}

/// A lattice bent by a smooth random displacement.
void bend(Lattice& lattice, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> amplitude(-15.0f, 15.0f);
    const float ax = amplitude(random), ay = amplitude(random), phase = amplitude(random);
    for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
        for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
            lattice.setNodePosition(i, j, 40.0f * i + ax * std::sin(0.7f * j + phase),
                                    40.0f * j + ay * std::cos(0.5f * i - phase));
        }
    }
    lattice.refitAll();
}

TEST(MapPointProperty, LineModesAgreeWithTheSurfaceOnGridLines) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Lattice lattice(5 + seed % 7, 4 + seed % 5);
        bend(lattice, seed);
        std::mt19937 random(seed * 77);
        std::uniform_real_distribution<float> along(0.0f, lattice.columns - 1.0f);
        std::uniform_real_distribution<float> down(0.0f, lattice.rows - 1.0f);
        for (int n = 0; n < 50; ++n) {
            const float u = along(random);
            const int j = static_cast<int>(down(random) + 0.5f);
            float rx = 0, ry = 0, sx = 0, sy = 0;
            lattice.mapPoint(u, static_cast<float>(j), rx, ry, false, true);
            lattice.mapPoint(u, static_cast<float>(j), sx, sy, false, false);
            EXPECT_NEAR(rx, sx, 1e-2);
            EXPECT_NEAR(ry, sy, 1e-2);

            const int i = static_cast<int>(along(random) + 0.5f);
            const float v = down(random);
            float cx = 0, cy = 0;
            lattice.mapPoint(static_cast<float>(i), v, cx, cy, true, false);
            lattice.mapPoint(static_cast<float>(i), v, sx, sy, false, false);
            EXPECT_NEAR(cx, sx, 1e-2);
            EXPECT_NEAR(cy, sy, 1e-2);

            float nx = 0, ny = 0;
            lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), nx, ny, true, true);
            lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), sx, sy, false, false);
            EXPECT_NEAR(nx, sx, 1e-2);
            EXPECT_NEAR(ny, sy, 1e-2);
        }
    }
}

TEST(MapPointProperty, MovingOneNodeChangesTheSurfaceOnlyNearIt) {
    Lattice lattice(14, 12);
    bend(lattice, 5);
    Lattice moved(14, 12);
    bend(moved, 5);
    const int mi = 7, mj = 6;
    float x = 0, y = 0;
    moved.mapPoint(mi, mj, x, y, true, true);
    moved.setNodePosition(mi, mj, x + 13.0f, y - 9.0f);
    moved.refitAll();
    for (float u = 0.05f; u < 13.0f; u += 0.25f) {
        for (float v = 0.05f; v < 11.0f; v += 0.25f) {
            float ax = 0, ay = 0, bx = 0, by = 0;
            lattice.mapPoint(u, v, ax, ay, false, false);
            moved.mapPoint(u, v, bx, by, false, false);
            const bool near = u > mi - 2 && u < mi + 2 && v > mj - 2 && v < mj + 2;
            if (!near) {
                EXPECT_EQ(ax, bx) << u << ", " << v;
                EXPECT_EQ(ay, by) << u << ", " << v;
            }
        }
    }
    float bentX = 0, bentY = 0, flatX = 0, flatY = 0;
    moved.mapPoint(mi + 0.1f, mj + 0.1f, bentX, bentY, false, false);
    lattice.mapPoint(mi + 0.1f, mj + 0.1f, flatX, flatY, false, false);
    EXPECT_GT(bentX - flatX, 5.0f);
    EXPECT_LT(bentY - flatY, -3.0f);
}

}  // namespace
