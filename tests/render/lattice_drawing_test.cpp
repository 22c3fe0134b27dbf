// Lattice pictures: truncation before scaling and the undeformed reference view. (The culling
// tests compare every pixel of the warped pictures with a picture drawn sample by sample.)

#include <gtest/gtest.h>

#include <cmath>

#include "lattice/lattice.h"
#include "render/render.h"
#include "render/surfaces.h"

using rendertest::makeSurface;
using rendertest::rawPixel;

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
    return rawPixel(surface.get(), x, y);
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
        ASSERT_EQ(at(surface, x, 80), kGreen) << x;
        ASSERT_EQ(at(surface, x, 81), x % 80 == 0 ? kGreen : kBlack) << x;
    }
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

    auto scaled = picture(300, 300, kWhite);  // scale 2: cells 80 pixels
    drawLatticeReference(scaled.get(), lattice, 2, 10, 10);
    EXPECT_EQ(at(scaled, 100, 90), kBlack);
    EXPECT_EQ(at(scaled, 90, 100), kBlack);
    EXPECT_EQ(at(scaled, 100, 50), kWhite);
    EXPECT_EQ(at(scaled, 50, 100), kWhite);

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
