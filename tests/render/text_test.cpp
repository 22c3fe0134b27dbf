// Bitmap text: glyph cells 7 pixels apart in the strip, the first glyph at x + 7, and the
// destination rectangle reused after the blit clipped it.
#include <gtest/gtest.h>

#include "render/render.h"
#include "render/surfaces.h"

using namespace rendertest;

namespace {

/// Whether the 6 × 14 box from (left, top) holds glyph k, clipped to w columns.
bool glyphAt(const SDL_Surface* target, int left, int top, int k, int w = 6) {
    for (int y = top; y < top + 14; ++y) {
        for (int x = left; x < left + w; ++x) {
            if (rawPixel(target, x, y) != 0xFF000000u + k) {
                return false;
            }
        }
    }
    return true;
}

TEST(DrawText, GlyphsStartSevenPixelsInFollowSevenApartAndTheClippedRectangleIsReused) {
    // The strip's box for code k holds 0xFF000000 + k; the gap column of each cell a marker that
    // must never be copied.
    auto strip = makeSurface(4, 127 * 7, 14);
    SDL_SetAlpha(strip.get(), 0, 255);  // plain copies, no blending
    for (int k = 1; k <= 127; ++k) {
        for (int y = 0; y < 14; ++y) {
            Uint32* row = static_cast<Uint32*>(strip->pixels) + y * strip->pitch / 4;
            std::fill(row + (k - 1) * 7, row + (k - 1) * 7 + 6, 0xFF000000u + k);
            row[(k - 1) * 7 + 6] = 0xFFFFFFFFu;
        }
    }
    auto target = makeSurface(4, 200, 100);
    drawText(target.get(), strip.get(), "", 100, 50);
    EXPECT_TRUE(litPixels(target.get()).empty());
    drawText(target.get(), strip.get(), "AB", 100, 50);
    EXPECT_TRUE(glyphAt(target.get(), 107, 50, 'A'));
    EXPECT_TRUE(glyphAt(target.get(), 114, 50, 'B'));
    EXPECT_EQ(litPixels(target.get()).size(), 2u * 6 * 14);
    // The first glyph would land at x = −3; the blit clips it to x = 0 and leaves 0 in the
    // destination, so the second glyph lands at 7 rather than 4.
    drawText(target.get(), strip.get(), "AB", -10, 20);
    EXPECT_TRUE(glyphAt(target.get(), 0, 20, 'A', 3));
    EXPECT_TRUE(glyphAt(target.get(), 7, 20, 'B'));
    EXPECT_EQ(rawPixel(target.get(), 4, 20), 0u);
}

}  // namespace
