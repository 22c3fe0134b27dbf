// Bitmap text: glyph cells 7 pixels apart in the strip, the first glyph at x + 7, and the reused
// destination rectangle.

#include <gtest/gtest.h>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::nativePixel;

namespace {

constexpr Uint32 kAlpha = 0xFF000000u;

/// A strip whose glyph box for code k is filled with 0xFF000000 + k; the gap column of each cell
/// holds a marker that must never be copied.
rendertest::SurfacePtr fontStrip() {
    auto strip = makeSurface(4, 127 * 7, 14);
    SDL_SetAlpha(strip.get(), 0, 255);  // plain copies, no blending
    for (int k = 1; k <= 127; ++k) {
        for (int y = 0; y < 14; ++y) {
            Uint32* row = static_cast<Uint32*>(strip->pixels) + y * strip->pitch / 4;
            for (int x = 0; x < 6; ++x) {
                row[(k - 1) * 7 + x] = kAlpha + static_cast<Uint32>(k);
            }
            row[(k - 1) * 7 + 6] = 0xFFFFFFFFu;
        }
    }
    return strip;
}

bool boxHolds(const SDL_Surface* target, int left, int top, int w, Uint32 value) {
    for (int y = top; y < top + 14; ++y) {
        for (int x = left; x < left + w; ++x) {
            if (nativePixel(target, x, y) != value) {
                return false;
            }
        }
    }
    return true;
}

TEST(DrawText, GlyphsStartSevenPixelsInAndFollowSevenApart) {
    auto strip = fontStrip();
    auto target = makeSurface(4, 200, 100);
    drawText(target.get(), strip.get(), "AB", 100, 50);
    EXPECT_TRUE(boxHolds(target.get(), 107, 50, 6, kAlpha + 65));
    EXPECT_TRUE(boxHolds(target.get(), 114, 50, 6, kAlpha + 66));
    EXPECT_EQ(litPixels(target.get()).size(), 2u * 6 * 14);
}

TEST(DrawText, EmptyStringDrawsNothing) {
    auto strip = fontStrip();
    auto target = makeSurface(4, 200, 100);
    drawText(target.get(), strip.get(), "", 100, 50);
    EXPECT_TRUE(litPixels(target.get()).empty());
}

TEST(DrawText, AdvanceContinuesFromTheClippedRectangle) {
    auto strip = fontStrip();
    auto target = makeSurface(4, 200, 100);
    // The first glyph would land at x = −3; the blit clips it to x = 0 and leaves 0 in the
    // destination, so the second glyph lands at 7 rather than 4.
    drawText(target.get(), strip.get(), "AB", -10, 20);
    EXPECT_TRUE(boxHolds(target.get(), 0, 20, 3, kAlpha + 65));
    EXPECT_TRUE(boxHolds(target.get(), 7, 20, 6, kAlpha + 66));
    EXPECT_EQ(nativePixel(target.get(), 4, 20), 0u);
}

}  // namespace
