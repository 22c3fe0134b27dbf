// The generated level file: it reads back, holds at least six designed levels of at least 12 × 12
// nodes, each larger than the view, unfolded, inside the picture's coordinate range, with the
// default rim along the border.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "lattice/lattice.h"

namespace {

std::unique_ptr<LevelSet> readLevels() {
    std::unique_ptr<LevelSet> set;
    std::string reason;
    std::string path = std::string(LUMEN_DATA_DIR) + "/foo3.lvl";
    EXPECT_EQ(readLevelFile(set, path.c_str(), &reason), 0) << reason;
    return set;
}

TEST(Levels, ReadBackWithAtLeastSixLargeLevels) {
    std::unique_ptr<LevelSet> set = readLevels();
    ASSERT_NE(set, nullptr);
    ASSERT_GE(set->count, 6);
    for (int l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        SCOPED_TRACE("level " + std::to_string(l));
        EXPECT_GE(lattice.columns, 12.0f);
        EXPECT_GE(lattice.rows, 12.0f);
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        for (int i = 0; i < static_cast<int>(lattice.columns); ++i) {
            for (int j = 0; j < static_cast<int>(lattice.rows); ++j) {
                const LatticeNode& n = lattice.node(i, j);
                minX = std::min(minX, n.x);
                maxX = std::max(maxX, n.x);
                minY = std::min(minY, n.y);
                maxY = std::max(maxY, n.y);
            }
        }
        EXPECT_GT(maxX - minX, 800.0f);
        EXPECT_GT(maxY - minY, 600.0f);
        // Well inside the 16-bit range of the screen arithmetic.
        EXPECT_GT(minX, -8000.0f);
        EXPECT_GT(minY, -8000.0f);
        EXPECT_LT(maxX, 8000.0f);
        EXPECT_LT(maxY, 8000.0f);
    }
}

TEST(Levels, EveryCellKeepsItsOrientationAndASensibleSize) {
    // A smooth warp never folds the sheet: every cell keeps the turning sense of the default grid
    // and its area stays within a sensible range of the default 40 × 40 cell.
    std::unique_ptr<LevelSet> set = readLevels();
    ASSERT_NE(set, nullptr);
    for (int l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        for (int i = 0; i + 1 < static_cast<int>(lattice.columns); ++i) {
            for (int j = 0; j + 1 < static_cast<int>(lattice.rows); ++j) {
                const LatticeNode& a = lattice.node(i, j);
                const LatticeNode& b = lattice.node(i + 1, j);
                const LatticeNode& c = lattice.node(i, j + 1);
                float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
                ASSERT_GT(cross, 0.15f * 1600.0f) << "level " << l << " cell " << i << "," << j;
                ASSERT_LT(cross, 6.0f * 1600.0f) << "level " << l << " cell " << i << "," << j;
            }
        }
    }
}

TEST(Levels, FirstLevelIsTheDefaultGridAndRimsFollowTheBorder) {
    std::unique_ptr<LevelSet> set = readLevels();
    ASSERT_NE(set, nullptr);
    const Lattice& flat = *set->lattices[0];
    for (int i = 0; i < static_cast<int>(flat.columns); ++i) {
        for (int j = 0; j < static_cast<int>(flat.rows); ++j) {
            EXPECT_FLOAT_EQ(flat.node(i, j).x, 40.0f * i);
            EXPECT_FLOAT_EQ(flat.node(i, j).y, 40.0f * j);
        }
    }
    // Warped levels differ from the default grid somewhere.
    for (int l = 1; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        float most = 0.0f;
        for (int i = 0; i < static_cast<int>(lattice.columns); ++i) {
            for (int j = 0; j < static_cast<int>(lattice.rows); ++j) {
                most = std::max(most, std::fabs(lattice.node(i, j).x - 40.0f * i) +
                                          std::fabs(lattice.node(i, j).y - 40.0f * j));
            }
        }
        EXPECT_GT(most, 20.0f) << "level " << l;
    }
    for (int l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        const float nc = lattice.columns, nr = lattice.rows;
        ASSERT_EQ(lattice.rimCount, 2 * (nc + nr) - 4);
        // Rim point k is a border node, walked clockwise from (0, 0).
        for (int k = 0; k < static_cast<int>(lattice.rimCount); ++k) {
            float u = -1, v = -1;
            lattice.rimPoint(static_cast<float>(k), u, v);
            bool onBorder = u == 0.0f || v == 0.0f || u == nc - 1 || v == nr - 1;
            EXPECT_TRUE(onBorder) << "level " << l << " rim " << k << ": " << u << "," << v;
        }
        float u = -1, v = -1;
        lattice.rimPoint(1.0f, u, v);
        EXPECT_EQ(u, 1.0f);
        EXPECT_EQ(v, 0.0f);
    }
}

}  // namespace
