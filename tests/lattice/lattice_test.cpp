// The Lattice record: the rim, and which segments a change refits. (The default grid's 40 pixels a
// cell show in the mapping tests.)
#include <gtest/gtest.h>

#include <cstring>

#include "lattice/lattice.h"

namespace {

bool sameBlock(const LatticeNode& a, const LatticeNode& b) {
    return std::memcmp(&a.a, &b.a, 4 * sizeof a.a) == 0;
}

TEST(LatticeRim, RunsClockwiseFromTheOriginAndDipsOutsideAtTheCorners) {
    Lattice lattice(3, 3);
    ASSERT_EQ(lattice.rimCount, 8.0f);
    const float expected[8][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    for (int k = 0; k < 8; ++k) {
        float u = -9, v = -9;
        lattice.rimPoint(static_cast<float>(k), u, v);
        EXPECT_EQ(std::make_pair(u, v), std::make_pair(expected[k][0], expected[k][1])) << k;
    }
    float u = 5, v = 6;  // out of range: the outputs stay
    lattice.rimPoint(8.0f, u, v);
    lattice.rimPoint(-0.5f, u, v);
    EXPECT_EQ(std::make_pair(u, v), std::make_pair(5.0f, 6.0f));
    Lattice wide(7, 5);  // rim segment 5 runs from (5, 0) to the corner (6, 0)
    EXPECT_EQ(wide.rimCount, 20.0f);
    for (float t : {0.25f, 2.0f / 3.0f, 0.9f}) {
        wide.rimPoint(5 + t, u, v);
        EXPECT_TRUE(u > 5.0f && u < 6.0f) << u;
        EXPECT_NEAR(v, 0.5 * t * t * t - 0.5 * t * t, 1e-6);
    }
}

TEST(LatticeRefit, AChangeRefitsOnlyTheSegmentsItFeeds) {
    const int nc = 9;
    for (int moved : {0, 4, nc - 1}) {
        Lattice lattice(nc, 4), reference(nc, 4);
        // Every block of row 1 stale first, so that a refit shows up as a change.
        for (int i = 0; i < nc; ++i) {
            lattice.setNodePosition(i, 1, 40.0f * i + 7.0f * (i % 3), 40.0f + 5.0f * (i % 2));
        }
        lattice.setNodeAndRefit(moved, 1, 40.0f * moved + 11.0f, 52.0f);
        for (int k = 0; k <= nc - 2; ++k) {
            EXPECT_EQ(!sameBlock(lattice.node(k, 1), reference.node(k, 1)),
                      k >= moved - 3 && k <= moved + 1)
                << "moved " << moved << " segment " << k;
        }
        EXPECT_TRUE(sameBlock(lattice.node(0, 2), reference.node(0, 2)));
    }
    Lattice rim(4, 4);  // rim segments wrap: point 0 feeds 9, 10, 11, 0 and 1 of 12
    for (int k = 0; k < 12; ++k) {
        rim.rim[k].a.x = 12345.0f;
    }
    rim.setRimPoint(0, 0.25f, 0.5f);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(rim.rim[k].a.x != 12345.0f, k >= 9 || k <= 1) << "rim segment " << k;
    }
    Lattice edge(5, 5);  // requests outside the row do nothing; the last node holds no block
    edge.setNodePosition(4, 2, 999.0f, 999.0f);
    const LatticeNode before = edge.node(3, 2);
    edge.refitSegment(-1, 2);
    edge.refitSegment(4, 2);
    EXPECT_TRUE(sameBlock(before, edge.node(3, 2)));
    EXPECT_EQ(edge.node(4, 2).c.x, 0.0f);
    Lattice three(3, 3);  // three columns share one quadratic
    three.setNodeAndRefit(1, 0, 50.0f, 10.0f);
    EXPECT_TRUE(sameBlock(three.node(0, 0), three.node(1, 0)));
}

TEST(LatticeFolds, OnlyCellsTurnedOverOrSqueezedFlatAreCounted) {
    // Node (2, 2) of a 6 × 5 grid moved to (x, y): past its right neighbour, cells (2, 1) and
    // (2, 2) between them turn over.
    const struct {
        float x, y;
        bool mirrored;
        int folded;
    } kCases[] = {
        {80, 80, false, 0},   // the default grid
        {80, 80, true, 0},    // the default grid seen in a mirror is no fold
        {95, 70, false, 0},   // a node moved within its cells
        {130, 80, false, 2},  // past its right neighbour: the cells on its right turn over
        {130, 80, true, 2},   // the same in a mirrored grid
        {119, 80, false, 2},  // onto its right neighbour: the cells on its right squeezed flat
    };
    for (const auto& c : kCases) {
        Lattice lattice(6, 5);  // far from the origin: the count is the same anywhere in the plane
        const float flip = c.mirrored ? -1.0f : 1.0f;
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 5; ++j) {
                const bool moved = i == 2 && j == 2;
                lattice.setNodePosition(i, j, flip * (moved ? c.x : 40.0f * i) + 30000.0f,
                                        (moved ? c.y : 40.0f * j) + 30000.0f);
            }
        }
        lattice.refitAll();
        bool flags[5 * 4];
        EXPECT_EQ(countFoldedCells(lattice, flags), c.folded) << c.x << ", " << c.y;
        for (int cell = 0; cell < 5 * 4; ++cell) {
            const int i = cell / 4, j = cell % 4;
            EXPECT_EQ(flags[cell], c.folded > 0 && i == 2 && (j == 1 || j == 2)) << i << ", " << j;
        }
    }
}

}  // namespace
