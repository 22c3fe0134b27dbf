// Mapping lattice points and directions to the picture: the default 40 pixels a cell, the node
// mode, where nothing is mapped, the seam, and piece boxes of bent Lattices. (The line modes and
// the spline arithmetic on bent Lattices are pinned by the pictures of identical_output.sh; which
// blocks a moved node refits, and so how far its change reaches, is the Lattice test's.)
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lattice/lattice.h"

namespace {

/// A lattice bent by a smooth random displacement.
void bend(Lattice& lattice, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> amplitude(-15.0f, 15.0f);
    const float ax = amplitude(random), ay = amplitude(random), phase = amplitude(random);
    for (int i = 0; i < lattice.columns; ++i) {
        for (int j = 0; j < lattice.rows; ++j) {
            lattice.setNodePosition(i, j, 40.0f * i + ax * std::sin(0.7f * j + phase),
                                    40.0f * j + ay * std::cos(0.5f * i - phase));
        }
    }
    lattice.refitAll();
}

TEST(MapDefault, FortyPixelsPerCellEverywhereForPointsAndDirections) {
    Lattice lattice(7, 5);
    for (float u = -0.95f; u < 9.0f; u += 0.37f) {
        for (float v = -0.95f; v < 7.0f; v += 0.41f) {
            float x = 0, y = 0, dx = 0, dy = 0;
            lattice.mapPoint(u, v, x, y, false, false);
            EXPECT_LT(std::hypot(x - 40.0f * u, y - 40.0f * v), 1e-3f) << u << ", " << v;
            lattice.mapDirection(u, v, 0.6f, -0.8f, dx, dy);  // outside: the nearest cell's slope
            EXPECT_LT(std::hypot(dx - 24.0f, dy + 32.0f), 1e-3f) << u << ", " << v;
        }
    }
}

TEST(MapModes, ExactNodesAndWhereNothingIsMapped) {
    Lattice lattice(6, 4);
    float x = 0, y = 0;
    lattice.mapPoint(2.7f, 1.2f, x, y, true, true);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(80.0f, 40.0f));
    struct Case {
        float u, v;
        bool column, row;
    };
    const Case untouched[] = {
        {-1.0f, 1.0f, false, false}, {1.0f, -1.5f, false, false}, {1.5f, 4.0f, false, true},
        {6.0f, 1.5f, true, false},   {6.0f, 0.0f, true, true},    {0.0f, 4.0f, true, true},
        {-1.2f, 2.0f, false, true},  {NAN, 2.0f, false, false},   {2.0f, 1e30f, false, false}};
    for (const Case& c : untouched) {
        float px = -777.0f, py = -777.0f;
        lattice.mapPoint(c.u, c.v, px, py, c.column, c.row);
        EXPECT_TRUE(px == -777.0f && py == -777.0f) << c.u << ", " << c.v;
    }
}

TEST(MapProperty, PieceBoxesHoldEveryPointOfTheirPiece) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        Lattice lattice(5 + seed % 7, 4 + seed % 5);
        bend(lattice, seed);
        int boxes = 0;
        for (int i = -1; i <= lattice.columns; ++i) {
            for (int j = -1; j <= lattice.rows; ++j) {
                PictureBox row, column;
                const bool rowKnown = j >= 0 && j < lattice.rows && lattice.rowPieceBox(i, j, row);
                const bool columnKnown =
                    i >= 0 && i < lattice.columns && lattice.columnPieceBox(i, j, column);
                for (float f = 0.0f; f < 1.0f; f += 0.01f) {
                    float x = NAN, y = NAN;
                    if (rowKnown) {
                        lattice.mapPoint(i + f, static_cast<float>(j), x, y, false, true);
                        EXPECT_TRUE(x >= row.minX && x <= row.maxX && y >= row.minY &&
                                    y <= row.maxY);
                    }
                    if (columnKnown) {
                        lattice.mapPoint(static_cast<float>(i), j + f, x, y, true, false);
                        EXPECT_TRUE(x >= column.minX && x <= column.maxX && y >= column.minY &&
                                    y <= column.maxY);
                    }
                }
                boxes += rowKnown + columnKnown;
                // Only stored cubic pieces have a box: not the end quadratics, nor past the grid.
                EXPECT_EQ(rowKnown,
                          j >= 0 && j < lattice.rows && i >= 0 && i < lattice.columns - 2);
                EXPECT_EQ(columnKnown,
                          i >= 0 && i < lattice.columns && j >= 1 && j < lattice.rows - 2);
            }
        }
        EXPECT_GT(boxes, 0);
    }
}

TEST(MapDirection, TheSeamContinuesTheInsideOfABentLattice) {
    Lattice lattice(12, 12);
    float dx = 1234, dy = 1234;  // on the seam: the nearest cell's end quadratic
    lattice.mapDirection(11.0f, 11.0f, 1.0f, 0.0f, dx, dy);
    EXPECT_LT(std::hypot(dx - 40.0f, dy), 1e-3f);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 12; ++j) {
            lattice.setNodePosition(i, j, 40.0f * i + 0.8f * j * j, 40.0f * j + 0.5f * i * i);
        }
    }
    lattice.refitAll();
    // The slope is continuous where the end quadratics meet the inner cells (nodes 1 and 10)
    // and on the seam (node 11), along rows and along columns.
    for (float node : {1.0f, 10.0f, 11.0f}) {
        for (const auto& [du, dv] : {std::pair{1.0f, 0.0f}, std::pair{0.0f, 1.0f}}) {
            float inX = 0, inY = 0, onX = 0, onY = 0;
            const float before = node - 0.001f;
            lattice.mapDirection(before * du + 5.5f * dv, 5.5f * du + before * dv, du, dv, inX,
                                 inY);
            lattice.mapDirection(node * du + 5.5f * dv, 5.5f * du + node * dv, du, dv, onX, onY);
            EXPECT_LT(std::hypot(onX - inX, onY - inY), 0.05f) << node << " along " << du << dv;
            EXPECT_GT(std::hypot(onX, onY), 30.0f);
        }
    }
}

}  // namespace
