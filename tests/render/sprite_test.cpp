// Sprite rotation: forward mapping of 32-bit pixels about the pivot, the extra pixel to the right,
// the strict window and the refusals for other pixel sizes.

#include <gtest/gtest.h>

#include <cmath>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::nativePixel;
using rendertest::PixelSet;

namespace {

SDL_Rect rect(int x, int y, int w = 0, int h = 0) {
    SDL_Rect r;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

void setPixel(SDL_Surface* surface, int x, int y, Uint32 value) {
    (static_cast<Uint32*>(surface->pixels) + y * surface->pitch / 4)[x] = value;
}

/// A 32-bit source whose pixel (x, y) holds 0x01000000 + 0x100·y + x (never zero).
rendertest::SurfacePtr numberedSource(int w, int h) {
    auto source = makeSurface(4, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            setPixel(source.get(), x, y, 0x01000000u + 0x100u * y + x);
        }
    }
    return source;
}

Uint32 numbered(int x, int y) {
    return 0x01000000u + 0x100u * y + x;
}

TEST(RotateSprite, AngleZeroCopiesTheBlockAndRepeatsEachRowsLastPixel) {
    auto source = numberedSource(6, 6);
    auto target = makeSurface(4, 30, 30);
    EXPECT_EQ(
        rotateSprite(target.get(), rect(10, 10), source.get(), rect(0, 0, 4, 4), 0.0f, rect(0, 0)),
        0);
    PixelSet expected;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(nativePixel(target.get(), 10 + i, 10 + j), numbered(i, j));
            expected.insert({10 + i, 10 + j});
        }
        EXPECT_EQ(nativePixel(target.get(), 14, 10 + j), numbered(3, j));
        expected.insert({14, 10 + j});
    }
    EXPECT_EQ(litPixels(target.get()), expected);
}

TEST(RotateSprite, PivotLandsOnThePositionAndTheRectangleIsReadFromItsCorner) {
    auto source = numberedSource(8, 8);
    auto target = makeSurface(4, 30, 30);
    // Rectangle (2, 1, 3, 2) about pivot (3, 2): source (3, 2) lands on (20, 20).
    rotateSprite(target.get(), rect(20, 20), source.get(), rect(2, 1, 3, 2), 0.0f, rect(3, 2));
    EXPECT_EQ(nativePixel(target.get(), 20, 20), numbered(3, 2));
    EXPECT_EQ(nativePixel(target.get(), 19, 19), numbered(2, 1));
    EXPECT_EQ(nativePixel(target.get(), 21, 19), numbered(4, 1));
    EXPECT_EQ(nativePixel(target.get(), 22, 19), numbered(4, 1));
    EXPECT_EQ(litPixels(target.get()).size(), 8u);
}

TEST(RotateSprite, QuarterTurnMovesTheRightNeighbourAboveThePivot) {
    auto source = makeSurface(4, 5, 5);
    setPixel(source.get(), 2, 2, 0xFF000001u);  // the pivot
    setPixel(source.get(), 3, 2, 0xFF000002u);  // right of the pivot
    setPixel(source.get(), 2, 1, 0xFF000003u);  // above the pivot
    const float quarter = static_cast<float>(M_PI / 2);
    // One source pixel per call: neighbouring rotated pixels may truncate onto the same target.
    auto target = makeSurface(4, 30, 30);
    rotateSprite(target.get(), rect(15, 15), source.get(), rect(2, 2, 1, 1), quarter, rect(2, 2));
    EXPECT_EQ(litPixels(target.get()), (PixelSet{{15, 15}, {16, 15}}));
    // Counter-clockwise on screen: right goes up, up goes left.
    auto right = makeSurface(4, 30, 30);
    rotateSprite(right.get(), rect(15, 15), source.get(), rect(3, 2, 1, 1), quarter, rect(2, 2));
    EXPECT_EQ(litPixels(right.get()), (PixelSet{{15, 14}, {16, 14}}));
    EXPECT_EQ(nativePixel(right.get(), 15, 14), 0xFF000002u);
    auto above = makeSurface(4, 30, 30);
    rotateSprite(above.get(), rect(15, 15), source.get(), rect(2, 1, 1, 1), quarter, rect(2, 2));
    EXPECT_EQ(litPixels(above.get()), (PixelSet{{14, 15}, {15, 15}}));
    EXPECT_EQ(nativePixel(above.get(), 14, 15), 0xFF000003u);
}

TEST(RotateSprite, RowZeroAndColumnZeroAreNeverWritten) {
    auto source = numberedSource(3, 3);
    auto target = makeSurface(4, 20, 20);
    rotateSprite(target.get(), rect(0, 5), source.get(), rect(0, 0, 3, 3), 0.0f, rect(0, 0));
    rotateSprite(target.get(), rect(5, 0), source.get(), rect(0, 0, 3, 3), 0.0f, rect(0, 0));
    PixelSet expected;
    for (int j = 0; j < 3; ++j) {
        // Column 0 of the source fell on target column 0: neither it nor its copy was stored.
        expected.insert({1, 5 + j});
        expected.insert({2, 5 + j});
        expected.insert({3, 5 + j});
    }
    for (int j = 1; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            expected.insert({5 + i, j});
        }
    }
    EXPECT_EQ(litPixels(target.get()), expected);
    EXPECT_EQ(nativePixel(target.get(), 1, 5), numbered(1, 0));
}

TEST(RotateSprite, TheExtraPixelStopsAtTheRightEdge) {
    auto source = numberedSource(2, 2);
    auto target = makeSurface(4, 12, 12);  // pitch is exactly 48: column 12 would be next row's 0
    ASSERT_EQ(target->pitch, 48);
    rotateSprite(target.get(), rect(10, 5), source.get(), rect(0, 0, 2, 2), 0.0f, rect(0, 0));
    EXPECT_EQ(nativePixel(target.get(), 11, 5), numbered(1, 0));
    EXPECT_EQ(nativePixel(target.get(), 0, 6), 0u);
    EXPECT_EQ(nativePixel(target.get(), 0, 7), 0u);
    EXPECT_EQ(litPixels(target.get()).size(), 4u);
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
                  0)
            << bytes;
        EXPECT_TRUE(litPixels(target.get()).empty()) << bytes;
    }
}

TEST(RotateSprite, ColourKeyPixelsAreCopiedLikeAnyOther) {
    auto source = numberedSource(2, 1);
    SDL_SetColorKey(source.get(), SDL_SRCCOLORKEY, numbered(1, 0));
    auto target = makeSurface(4, 10, 10);
    rotateSprite(target.get(), rect(3, 3), source.get(), rect(0, 0, 2, 1), 0.0f, rect(0, 0));
    EXPECT_EQ(nativePixel(target.get(), 4, 3), numbered(1, 0));
}

TEST(RotateSprite, CountsAreLimitedBySourceSizeAndPixelsOutsideTheSourceAreSkipped) {
    auto source = numberedSource(3, 2);
    auto target = makeSurface(4, 20, 20);
    // A rectangle larger than the source: the counts shrink to the source's size.
    rotateSprite(target.get(), rect(5, 5), source.get(), rect(0, 0, 50, 50), 0.0f, rect(0, 0));
    EXPECT_EQ(litPixels(target.get()).size(), 8u);

    // A rectangle that runs past the source's right and bottom edges reads only real pixels.
    auto clipped = makeSurface(4, 20, 20);
    rotateSprite(clipped.get(), rect(5, 5), source.get(), rect(2, 1, 3, 2), 0.0f, rect(2, 1));
    EXPECT_EQ(litPixels(clipped.get()), (PixelSet{{5, 5}, {6, 5}}));
    EXPECT_EQ(nativePixel(clipped.get(), 5, 5), numbered(2, 1));
}

}  // namespace
