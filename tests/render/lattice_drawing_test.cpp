// Lattice pictures: where the grid lines and the rim of a default Lattice land, what the strict
// window drops, truncation before scaling, the coarse grid and the undeformed reference view.

#include <gtest/gtest.h>

#include <cmath>

#include "lattice/lattice.h"
#include "render/render.h"
#include "render/surfaces.h"

using rendertest::makeSurface;
using rendertest::nativePixel;

namespace {

constexpr Uint32 kBlack = 0x000000u;
constexpr Uint32 kGreen = 0x00FF00u;
constexpr Uint32 kWhite = 0xFFFFFFu;
constexpr Uint32 kRed = 0xFF0000u;

/// A 32-bit surface without alpha, so colours read back as 0xRRGGBB.
rendertest::SurfacePtr picture(int w, int h, Uint32 fill = kBlack) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(surface, nullptr, fill);
    return rendertest::SurfacePtr(surface);
}

Uint32 at(const rendertest::SurfacePtr& surface, int x, int y) {
    return nativePixel(surface.get(), x, y);
}

/// Number of pixels of one colour.
int countOf(const rendertest::SurfacePtr& surface, Uint32 colour) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            count += at(surface, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

class DefaultLatticePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        surface = picture(500, 500);
        drawLattice(surface.get(), lattice, 1, 0, 0);
    }
    Lattice lattice{10, 10};  // node (i, j) at (40i, 40j)
    rendertest::SurfacePtr surface;
};

TEST_F(DefaultLatticePicture, RowAndColumnLinesRunFromOneSampleInToOneCellPastTheLastNode) {
    for (int j = 1; j <= 9; ++j) {
        const int line = 40 * j;
        for (int k = 2; k <= 398; ++k) {
            // Grid green, overdrawn white where the rim crosses.
            ASSERT_NE(at(surface, k, line), kBlack) << "row line " << j << " at x " << k;
            ASSERT_NE(at(surface, line, k), kBlack) << "column line " << j << " at y " << k;
        }
        if (j == 9) {
            continue;  // the last node row and column are crossed by the rim again and again
        }
        for (int k = 2; k <= 350; ++k) {
            ASSERT_EQ(at(surface, k, line), kGreen) << "row line " << j << " at x " << k;
            ASSERT_EQ(at(surface, line, k), kGreen) << "column line " << j << " at y " << k;
        }
    }
    // The first segment of each line (from the sample at 0) ends on row or column 0: dropped.
    for (int j = 1; j <= 8; ++j) {
        EXPECT_EQ(at(surface, 1, 40 * j), kBlack) << j;
        EXPECT_EQ(at(surface, 40 * j, 1), kBlack) << j;
    }
}

TEST_F(DefaultLatticePicture, NoGridLineOnTheFirstRowOrColumnNorAtTheCounts) {
    for (int k = 0; k < 500; ++k) {
        for (int edge = 0; edge <= 1; ++edge) {
            ASSERT_NE(at(surface, k, edge), kGreen) << k;
            ASSERT_NE(at(surface, edge, k), kGreen) << k;
        }
    }
    // The last sample lies just short of u = columns (v = rows): nothing reaches x = 399 or y =
    // 399.
    for (int y = 0; y < 500; ++y) {
        for (int x = 0; x < 500; ++x) {
            if (x >= 399 || y >= 399) {
                ASSERT_EQ(at(surface, x, y), kBlack) << x << "," << y;
            }
        }
    }
}

TEST_F(DefaultLatticePicture, RimIsWhiteAlongTheVisibleBorderAndNowhereInside) {
    for (int k = 2; k <= 358; ++k) {
        bool right = false;
        bool bottom = false;
        for (int d = 358; d <= 364; ++d) {
            right = right || at(surface, d, k) == kWhite;
            bottom = bottom || at(surface, k, d) == kWhite;
        }
        EXPECT_TRUE(right) << "right side at y " << k;
        EXPECT_TRUE(bottom) << "bottom side at x " << k;
    }
    for (int y = 0; y < 355; ++y) {
        for (int x = 0; x < 355; ++x) {
            ASSERT_NE(at(surface, x, y), kWhite) << x << "," << y;
        }
    }
}

TEST_F(DefaultLatticePicture, EachRimNodeOnAStraightSideCarriesTicksAndTheSegmentsBetweenNone) {
    // Between rim nodes (9, 2) … (9, 7) the rim runs straight down x = 360; ticks cross it at the
    // nodes and reach about two pixels to either side.
    for (int j = 2; j <= 7; ++j) {
        int nearNode = 0;
        for (int y = 40 * j - 4; y <= 40 * j + 5; ++y) {
            for (int x = 361; x <= 364; ++x) {
                nearNode += at(surface, x, y) == kWhite ? 1 : 0;
            }
        }
        EXPECT_GE(nearNode, 2) << "node " << j;
        EXPECT_LE(nearNode, 4) << "node " << j;
        for (int y = 40 * j + 8; y <= 40 * j + 32; ++y) {
            for (int x = 361; x <= 364; ++x) {
                ASSERT_NE(at(surface, x, y), kWhite) << x << "," << y;
            }
        }
    }
}

TEST(LatticeDrawing, NegativeOffsetsDropEverySegmentThatReachesTheEdge) {
    Lattice lattice(10, 10);
    auto whole = picture(500, 500);
    auto shifted = picture(300, 300);
    drawLattice(whole.get(), lattice, 1, 0, 0);
    drawLattice(shifted.get(), lattice, 1, -100, -100);
    for (int y = 0; y < 299; ++y) {
        for (int x = 0; x < 299; ++x) {
            const Uint32 original = at(whole, x + 100, y + 100);
            if (x >= 6 && y >= 6) {
                ASSERT_EQ(at(shifted, x, y), original) << x << "," << y;
            } else if (at(shifted, x, y) != kBlack) {
                // Near the edges pieces may be missing (the rim over the grid, say), never added.
                ASSERT_NE(original, kBlack) << x << "," << y;
            }
        }
    }
    // Row line 3 now lies on y = 20 and column line 3 on x = 20; both still start within one
    // sample (two pixels) of the edge, after the dropped segment that reached past it.
    EXPECT_EQ(at(shifted, 0, 20), kBlack);
    EXPECT_TRUE(at(shifted, 2, 20) == kGreen && at(shifted, 3, 20) == kGreen);
    EXPECT_TRUE(at(shifted, 20, 2) == kGreen && at(shifted, 20, 3) == kGreen);
}

TEST(LatticeDrawing, PicturePointsAreTruncatedBeforeScaling) {
    Lattice lattice(5, 5);
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            lattice.setNodePosition(i, j, 40.0f * i + 0.5f, 40.0f * j + 0.5f);
        }
    }
    lattice.refitAll();
    auto surface = picture(500, 500);
    drawLattice(surface.get(), lattice, 2, 0, 0);
    // Row line 1 lies at y = 40.5: trunc first gives 80, scaling first would give 81.
    for (int x = 10; x <= 300; ++x) {
        if (x % 80 == 0) {
            continue;  // column lines cross here
        }
        ASSERT_EQ(at(surface, x, 80), kGreen) << x;
        ASSERT_EQ(at(surface, x, 81), kBlack) << x;
    }
}

TEST(LatticeDrawing, GridFollowsAMovedNode) {
    Lattice lattice(10, 10);
    lattice.setNodePosition(5, 5, 212.0f, 200.0f);
    lattice.refitAll();
    auto surface = picture(500, 500);
    drawLattice(surface.get(), lattice, 1, 0, 0);
    // Column line 5 passes through the node's new position; the old one is left.
    EXPECT_EQ(at(surface, 212, 200), kGreen);
    EXPECT_EQ(at(surface, 200, 199), kBlack);
    EXPECT_EQ(at(surface, 200, 201), kBlack);
    // Far from the node the grid is untouched.
    EXPECT_EQ(at(surface, 200, 60), kGreen);
    EXPECT_EQ(at(surface, 200, 340), kGreen);
}

TEST(LatticeDrawing, RimStartsWithOnePixelAndIsNotClosed) {
    Lattice lattice(3, 3);
    auto surface = picture(300, 300);
    drawLattice(surface.get(), lattice, 1, 100, 100);
    // The first pass joins the sample at s = 0 to itself: rim node (0, 0) at (100, 100).
    EXPECT_EQ(at(surface, 100, 100), kWhite);

    // Start the rim in the middle of the top side, so the closing segment would run along it.
    Lattice shifted(3, 3);
    const float points[8][2] = {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}};
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < 8; ++k) {
            shifted.setRimPoint(k, points[k][0], points[k][1]);
        }
    }
    auto open = picture(300, 300);
    drawLattice(open.get(), shifted, 1, 100, 100);
    // Rim node 0 lies at (140, 100); the last sample (s ≈ 7.95) falls about two pixels short of
    // it. Between them row line 0 keeps its green: no segment joins the last sample to the first.
    EXPECT_EQ(at(open, 140, 100), kWhite);
    EXPECT_EQ(at(open, 130, 100), kWhite);
    EXPECT_EQ(at(open, 138, 100), kGreen);
    EXPECT_EQ(at(open, 139, 100), kGreen);
}

TEST(LatticeDrawing, CoarseGridSamplesFiveTimesACellAndHasNoRim) {
    Lattice lattice(10, 10);
    auto surface = picture(500, 500);
    drawLatticeCoarse(surface.get(), lattice, 1, 0, 0);
    EXPECT_EQ(countOf(surface, kWhite), 0);
    for (int j = 1; j <= 9; ++j) {
        // First sample at 0.2 cells = 8 pixels; the segment back to 0 is dropped.
        EXPECT_EQ(at(surface, 7, 40 * j), kBlack) << j;
        for (int x = 8; x <= 390; ++x) {
            ASSERT_EQ(at(surface, x, 40 * j), kGreen) << j << " at " << x;
        }
    }
    for (int y = 0; y < 500; ++y) {
        for (int x = 400; x < 500; ++x) {
            ASSERT_EQ(at(surface, x, y), kBlack);
            ASSERT_EQ(at(surface, y, x), kBlack);
        }
    }
}

TEST(LatticeDrawing, CoarseGridShowsCornersWhereTheFineOneCurves) {
    Lattice lattice(10, 10);
    lattice.setNodePosition(5, 5, 200.0f, 230.0f);
    lattice.refitAll();
    auto fine = picture(500, 500);
    auto coarse = picture(500, 500);
    drawLattice(fine.get(), lattice, 1, 0, 0);
    drawLatticeCoarse(coarse.get(), lattice, 1, 0, 0);
    // Along the bent row line the chords between 0.2-cell samples leave the fine curve.
    int differing = 0;
    for (int y = 180; y <= 240; ++y) {
        for (int x = 120; x <= 280; ++x) {
            differing += (at(fine, x, y) == kGreen) != (at(coarse, x, y) == kGreen) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 0);
}

TEST(LatticeDrawing, ReferenceGridIsSquareAndIgnoresTheWarp) {
    Lattice lattice(3, 3);
    auto surface = picture(300, 300, kWhite);
    drawLatticeReference(surface.get(), lattice, 1, 10, 10);
    // Grid cells 40 pixels, one past the last node like the warped grid: lines at 10, 50, 90
    // running to 130; no line along x = 130 or y = 130.
    for (int k = 95; k <= 130; ++k) {
        for (int line : {10, 50, 90}) {
            ASSERT_EQ(at(surface, k, line), kBlack) << k << "," << line;
            ASSERT_EQ(at(surface, line, k), kBlack) << line << "," << k;
        }
    }
    EXPECT_EQ(at(surface, 131, 50), kWhite);
    EXPECT_EQ(at(surface, 50, 131), kWhite);
    EXPECT_EQ(at(surface, 110, 130), kWhite);
    EXPECT_EQ(at(surface, 130, 110), kWhite);
    // The rim in red, in lattice coordinates times 40, close to the border through the nodes.
    for (int y = 15; y <= 85; ++y) {
        bool red = false;
        for (int x = 87; x <= 94; ++x) {
            red = red || at(surface, x, y) == kRed;
        }
        EXPECT_TRUE(red) << y;
    }
    EXPECT_GT(countOf(surface, kRed), 4 * 70);

    // Bending the nodes changes nothing: neither the grid nor the rim goes through the mapping.
    Lattice bent(3, 3);
    bent.setNodePosition(1, 1, 70.0f, 20.0f);
    bent.refitAll();
    auto bentSurface = picture(300, 300, kWhite);
    drawLatticeReference(bentSurface.get(), bent, 1, 10, 10);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            ASSERT_EQ(at(bentSurface, x, y), at(surface, x, y)) << x << "," << y;
        }
    }
}

TEST(LatticeDrawing, LinesOutsideEveryTargetAreDroppedWithoutHarm) {
    Lattice lattice(4, 4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            lattice.setNodePosition(i, j, 3.0e9f * (i - 1.5f), 1.0e38f * (j - 1.5f));
        }
    }
    lattice.refitAll();
    auto surface = picture(100, 100);
    drawLattice(surface.get(), lattice, 1, 0, 0);
    drawLattice(surface.get(), lattice, 1000, -5, -5);
    EXPECT_EQ(countOf(surface, kBlack), 100 * 100);
}

}  // namespace
