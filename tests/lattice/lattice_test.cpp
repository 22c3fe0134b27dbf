#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lattice/lattice.h"

namespace {

TEST(LatticeConstruction, DefaultGridAndBlocks) {
    Lattice lattice(6, 5);
    EXPECT_EQ(lattice.columns, 6.0f);
    EXPECT_EQ(lattice.rows, 5.0f);
    EXPECT_EQ(lattice.rimCount, 18.0f);
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(lattice.node(i, j).x, 40.0f * i);
            EXPECT_EQ(lattice.node(i, j).y, 40.0f * j);
        }
    }
    for (int j = 0; j < 5; ++j) {
        // Column 0: the first quadratic, origin at node 0.
        const LatticeNode& first = lattice.node(0, j);
        EXPECT_EQ(first.a.x, 0.0f);
        EXPECT_EQ(first.b.x, 0.0f);
        EXPECT_EQ(first.c.x, 40.0f);
        EXPECT_EQ(first.d.x, 0.0f);
        // Interior blocks start at their own node.
        for (int i = 1; i < 4; ++i) {
            const LatticeNode& block = lattice.node(i, j);
            EXPECT_EQ(block.a.x, 0.0f);
            EXPECT_EQ(block.b.x, 0.0f);
            EXPECT_EQ(block.c.x, 40.0f);
            EXPECT_EQ(block.d.x, 40.0f * i);
            EXPECT_EQ(block.c.y, 0.0f);
            EXPECT_EQ(block.d.y, 40.0f * j);
        }
        // Column nc − 2: the last quadratic, origin at node nc − 3.
        const LatticeNode& last = lattice.node(4, j);
        EXPECT_EQ(last.c.x, 40.0f);
        EXPECT_EQ(last.d.x, 40.0f * 3);
    }
}

TEST(LatticeRim, ThreeByThreeRunsClockwiseFromTheOrigin) {
    Lattice lattice(3, 3);
    ASSERT_EQ(lattice.rimCount, 8.0f);
    const float expected[8][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    for (int k = 0; k < 8; ++k) {
        float u = -9, v = -9;
        lattice.rimPoint(static_cast<float>(k), u, v);
        EXPECT_EQ(u, expected[k][0]) << "rim point " << k;
        EXPECT_EQ(v, expected[k][1]) << "rim point " << k;
    }
}

TEST(LatticeRim, CornerSegmentDipsOutsideTheGrid) {
    const int nc = 7;
    Lattice lattice(nc, 5);
    // Segment from (nc − 2, 0) to (nc − 1, 0) is rim segment nc − 2.
    for (float t : {0.25f, 2.0f / 3.0f, 0.9f}) {
        float u = 0, v = 0;
        lattice.rimPoint(nc - 2 + t, u, v);
        EXPECT_GT(u, nc - 2.0f);
        EXPECT_LT(u, nc - 1.0f);
        EXPECT_NEAR(v, 0.5 * t * t * t - 0.5 * t * t, 1e-6);
    }
    float u = 0, v = 0;
    lattice.rimPoint(nc - 2 + 2.0f / 3.0f, u, v);
    EXPECT_NEAR(v, -2.0 / 27.0, 1e-6);
}

TEST(LatticeRim, OutOfRangeParameterLeavesOutputs) {
    Lattice lattice(3, 3);
    float u = 5, v = 6;
    lattice.rimPoint(8.0f, u, v);
    lattice.rimPoint(-0.5f, u, v);
    EXPECT_EQ(u, 5.0f);
    EXPECT_EQ(v, 6.0f);
}

LatticeNode blockOf(const Lattice& lattice, int i, int j) {
    return lattice.node(i, j);
}

bool sameBlock(const LatticeNode& a, const LatticeNode& b) {
    return a.a.x == b.a.x && a.b.x == b.b.x && a.c.x == b.c.x && a.d.x == b.d.x && a.a.y == b.a.y &&
           a.b.y == b.b.y && a.c.y == b.c.y && a.d.y == b.d.y;
}

TEST(LatticeRefit, SetNodeAndRefitTouchesOnlyItsSegments) {
    const int nc = 9;
    for (int moved : {0, 4, nc - 1}) {
        Lattice lattice(nc, 4);
        Lattice reference(nc, 4);
        // Make every block of row 1 stale first so that a refit shows up as a change.
        for (int i = 0; i < nc; ++i) {
            lattice.setNodePosition(i, 1, 40.0f * i + 7.0f * (i % 3), 40.0f + 5.0f * (i % 2));
        }
        lattice.setNodeAndRefit(moved, 1, 40.0f * moved + 11.0f, 52.0f);
        for (int k = 0; k <= nc - 2; ++k) {
            const bool refitted = k >= moved - 3 && k <= moved + 1;
            EXPECT_EQ(!sameBlock(blockOf(lattice, k, 1), blockOf(reference, k, 1)), refitted)
                << "moved " << moved << " segment " << k;
        }
    }
}

TEST(LatticeRefit, StaleBlocksUntilRefitAll) {
    Lattice lattice(8, 8);
    lattice.setNodePosition(3, 3, 130.0f, 95.0f);
    float x = 0, y = 0;
    lattice.mapPoint(3.0f, 3.0f, x, y, true, true);
    EXPECT_EQ(x, 130.0f);
    EXPECT_EQ(y, 95.0f);
    // Interpolated points still follow the old blocks.
    lattice.mapPoint(2.5f, 3.0f, x, y, false, true);
    EXPECT_FLOAT_EQ(x, 100.0f);
    EXPECT_FLOAT_EQ(y, 120.0f);
    lattice.refitAll();
    lattice.mapPoint(2.5f, 3.0f, x, y, false, true);
    EXPECT_GT(x, 100.0f);
    EXPECT_LT(y, 120.0f);
}

TEST(LatticeRefit, SegmentRequestsOutsideTheRowDoNothing) {
    Lattice lattice(5, 5);
    lattice.setNodePosition(4, 2, 999.0f, 999.0f);
    const LatticeNode before = blockOf(lattice, 3, 2);
    lattice.refitSegment(-1, 2);
    lattice.refitSegment(4, 2);  // the last node holds no block
    EXPECT_TRUE(sameBlock(before, blockOf(lattice, 3, 2)));
    const LatticeNode lastColumn = blockOf(lattice, 4, 2);
    EXPECT_EQ(lastColumn.c.x, 0.0f);
}

TEST(LatticeRefit, ThreeColumnsShareOneQuadratic) {
    Lattice lattice(3, 3);
    lattice.setNodeAndRefit(1, 0, 50.0f, 10.0f);
    EXPECT_TRUE(sameBlock(blockOf(lattice, 0, 0), blockOf(lattice, 1, 0)));
}

TEST(LatticeRim, SetRimPointRefitsWrappingSegments) {
    Lattice lattice(4, 4);  // rimCount 12
    const int n = 12;
    for (int k = 0; k < n; ++k) {
        lattice.rim[k].a.x = 12345.0f;  // marks blocks that no refit has touched
    }
    lattice.setRimPoint(0, 0.25f, 0.5f);
    for (int k = 0; k < n; ++k) {
        const bool touched = k == n - 3 || k == n - 2 || k == n - 1 || k == 0 || k == 1;
        EXPECT_EQ(lattice.rim[k].a.x != 12345.0f, touched) << "segment " << k;
    }
}

}  // namespace
