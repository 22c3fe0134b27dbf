// Sprite rotation: forward mapping of 32-bit pixels about the pivot, the extra pixel to the right,
// the strict window, the counts limited by the source, and the refusals for other pixel sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::PixelSet;
using rendertest::rawPixel;

namespace {

SDL_Rect rect(int x, int y, int w = 0, int h = 0) {
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
}

Uint32 numbered(int x, int y) {
    return 0x01000000u + 0x100u * y + x;
}

/// A 32-bit source whose pixel (x, y) holds numbered(x, y) (never zero).
rendertest::SurfacePtr numberedSource(int w, int h) {
    auto source = makeSurface(4, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            (static_cast<Uint32*>(source->pixels) + y * source->pitch / 4)[x] = numbered(x, y);
        }
    }
    return source;
}

TEST(RotateSprite, AtAngleZeroThePivotLandsOnThePositionAndEachRowRepeatsItsLastPixel) {
    struct Case {
        SDL_Rect at, part, pivot;
        int targetSize;
        PixelSet lit;  ///< target pixels, each holding the source pixel it came from
    };
    // A 6 × 6 source; the extra pixel repeats a row's last one; row 0, column 0 and the right
    // edge (pitch exactly 48 on the 12-pixel target) are never written; a rectangle past the
    // source's edges reads only real pixels.
    const Case cases[] = {
        {rect(10, 10),
         rect(0, 0, 2, 2),
         rect(0, 0),
         30,
         {{10, 10}, {11, 10}, {12, 10}, {10, 11}, {11, 11}, {12, 11}}},
        {rect(20, 20),
         rect(2, 1, 2, 2),
         rect(3, 2),
         30,
         {{19, 19}, {20, 19}, {21, 19}, {19, 20}, {20, 20}, {21, 20}}},
        {rect(0, 5), rect(0, 0, 2, 1), rect(0, 0), 30, {{1, 5}, {2, 5}}},
        {rect(5, 0), rect(0, 0, 1, 2), rect(0, 0), 30, {{5, 1}, {6, 1}}},
        {rect(10, 5), rect(0, 0, 2, 1), rect(0, 0), 12, {{10, 5}, {11, 5}}},
        {rect(5, 5), rect(4, 5, 9, 9), rect(4, 5), 30, {{5, 5}, {6, 5}, {7, 5}}},
        {rect(5, 5), rect(0, 0, 50, 50), rect(0, 0), 30, {}},
    };
    auto source = numberedSource(6, 6);
    for (const Case& c : cases) {
        auto target = makeSurface(4, c.targetSize, c.targetSize);
        EXPECT_EQ(rotateSprite(target.get(), c.at, source.get(), c.part, 0.0f, c.pivot), 0);
        const PixelSet lit = litPixels(target.get());
        if (c.lit.empty()) {  // the counts shrink to the source's size: 6 rows of 7
            EXPECT_EQ(lit.size(), 42u);
            continue;
        }
        EXPECT_EQ(lit, c.lit) << c.at.x << "," << c.at.y;
        for (auto [x, y] : c.lit) {
            const int sx = std::min(x - c.at.x + c.pivot.x, std::min(c.part.x + c.part.w, 6) - 1);
            EXPECT_EQ(rawPixel(target.get(), x, y), numbered(sx, y - c.at.y + c.pivot.y))
                << x << "," << y;
        }
    }
}

TEST(RotateSprite, QuarterTurnMovesTheRightNeighbourAboveThePivotAndAboveToTheLeft) {
    auto source = numberedSource(5, 5);
    const float quarter = static_cast<float>(M_PI / 2);
    // One source pixel per call: neighbouring rotated pixels may truncate onto the same target.
    const int cases[][4] = {{2, 2, 15, 15}, {3, 2, 15, 14}, {2, 1, 14, 15}};
    for (const auto& c : cases) {
        auto target = makeSurface(4, 30, 30);
        rotateSprite(target.get(), rect(15, 15), source.get(), rect(c[0], c[1], 1, 1), quarter,
                     rect(2, 2));
        EXPECT_EQ(litPixels(target.get()), (PixelSet{{c[2], c[3]}, {c[2] + 1, c[3]}}));
        EXPECT_EQ(rawPixel(target.get(), c[2], c[3]), numbered(c[0], c[1]));
    }
}

TEST(RotateSprite, DifferingPixelSizesGiveMinusOneOtherSizesDrawNothing) {
    auto source32 = numberedSource(4, 4);
    auto target16 = makeSurface(2, 20, 20);
    EXPECT_EQ(rotateSprite(target16.get(), rect(5, 5), source32.get(), rect(0, 0, 4, 4), 0.0f,
                           rect(0, 0)),
              -1);
    EXPECT_TRUE(litPixels(target16.get()).empty());
    for (int bytes = 1; bytes <= 3; ++bytes) {
        auto source = makeSurface(bytes, 4, 4);
        std::memset(source->pixels, 0x5A, static_cast<size_t>(source->pitch) * source->h);
        auto target = makeSurface(bytes, 20, 20);
        EXPECT_EQ(rotateSprite(target.get(), rect(5, 5), source.get(), rect(0, 0, 4, 4), 0.0f,
                               rect(0, 0)),
                  0);
        EXPECT_TRUE(litPixels(target.get()).empty()) << bytes;
    }
}

}  // namespace
