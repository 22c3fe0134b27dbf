// Sprite rotation: forward mapping of 32-bit pixels about the pivot, the extra pixel to the right,
// the strict window, the counts limited by the source, and the refusals for other pixel sizes.
// (The sense of the turn is pinned by the ship's pictures in tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cstring>

#include "render/render.h"
#include "render/surfaces.h"

using namespace rendertest;

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
    // A 6 × 6 source; the extra pixel repeats a row's last one; row 0, column 0 and the right
    // edge (pitch exactly 48 on the 12-pixel target) are never written; a rectangle past the
    // source's edges reads only real pixels. Each case: position, source rectangle, pivot,
    // target size, and the rectangle of target pixels lit, each holding the source pixel it came
    // from (none: the counts shrink to the source's size, 6 rows of 7).
    struct Case {
        int x, y, partX, partY, partW, partH, pivotX, pivotY, size, litX, litY, litW, litH;
    };
    const Case cases[] = {{10, 10, 0, 0, 2, 2, 0, 0, 30, 10, 10, 3, 2},
                          {20, 20, 2, 1, 2, 2, 3, 2, 30, 19, 19, 3, 2},
                          {0, 5, 0, 0, 2, 1, 0, 0, 30, 1, 5, 2, 1},
                          {5, 0, 0, 0, 1, 2, 0, 0, 30, 5, 1, 2, 1},
                          {10, 5, 0, 0, 2, 1, 0, 0, 12, 10, 5, 2, 1},
                          {5, 5, 4, 5, 9, 9, 4, 5, 30, 5, 5, 3, 1},
                          {5, 5, 0, 0, 50, 50, 0, 0, 30, 0, 0, 0, 0},
                          {10, 10, -2, 0, 4, 2, 0, 0, 30, 10, 10, 3, 2}};
    auto source = numberedSource(6, 6);
    for (const auto& c : cases) {
        auto target = makeSurface(4, c.size, c.size);
        EXPECT_EQ(
            rotateSprite(target.get(), rect(c.x, c.y), source.get(),
                         rect(c.partX, c.partY, c.partW, c.partH), 0.0f, rect(c.pivotX, c.pivotY)),
            0);
        const PixelSet lit = litPixels(target.get());
        if (c.litW == 0) {
            EXPECT_EQ(lit.size(), 42u);
            continue;
        }
        PixelSet expected;
        for (int y = c.litY; y < c.litY + c.litH; ++y) {
            for (int x = c.litX; x < c.litX + c.litW; ++x) {
                expected.insert({x, y});
                const int sx = std::min(x - c.x + c.pivotX, std::min(c.partX + c.partW, 6) - 1);
                EXPECT_EQ(rawPixel(target.get(), x, y), numbered(sx, y - c.y + c.pivotY))
                    << x << "," << y;
            }
        }
        EXPECT_EQ(lit, expected) << c.x << "," << c.y;
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
