// Pixel access: the strict window, stores of every pixel size, the alpha-keeping write, reads.

#include <gtest/gtest.h>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::nativePixel;
using rendertest::rawPixel;

namespace {

class PixelSizes : public ::testing::TestWithParam<int> {};

TEST_P(PixelSizes, PutPixelStoresTheMappedValueInsideTheWindow) {
    auto surface = makeSurface(GetParam(), 13, 9);
    ASSERT_NE(surface, nullptr);
    putPixel(surface.get(), 12, 8, 255, 255, 255);
    putPixel(surface.get(), 3, 4, 0, 255, 0);
    const Uint32 white = SDL_MapRGB(surface->format, 255, 255, 255);
    const Uint32 green = SDL_MapRGB(surface->format, 0, 255, 0);
    const Uint32 mask = GetParam() == 4 ? 0xFFFFFFFFu : (1u << (8 * GetParam())) - 1u;
    EXPECT_EQ(rawPixel(surface.get(), 12, 8), white & mask);
    EXPECT_EQ(rawPixel(surface.get(), 3, 4), green & mask);
    EXPECT_EQ(litPixels(surface.get()).size(), 2u);
}

TEST_P(PixelSizes, RowZeroColumnZeroAndTheFarSidesAreNeverWritten) {
    auto surface = makeSurface(GetParam(), 13, 9);
    for (int k = -2; k < 15; ++k) {
        putPixel(surface.get(), 0, k, 255, 255, 255);
        putPixel(surface.get(), k, 0, 255, 255, 255);
        putPixel(surface.get(), 13, k, 255, 255, 255);
        putPixel(surface.get(), k, 9, 255, 255, 255);
        putPixel(surface.get(), -1, k, 255, 255, 255);
        putPixelKeepAlpha(surface.get(), 0, k, 255, 255, 255);
        putPixelKeepAlpha(surface.get(), k, 0, 255, 255, 255);
    }
    EXPECT_TRUE(litPixels(surface.get()).empty());
}

TEST_P(PixelSizes, GetPixelReadsBackWhatPutPixelWrote) {
    auto surface = makeSurface(GetParam(), 13, 9);
    // Components every format here holds exactly (3-3-2 is the coarsest).
    putPixel(surface.get(), 5, 6, 255, 0, 255);
    const SDL_Color colour = getPixel(surface.get(), 5, 6);
    EXPECT_EQ(colour.r, 255);
    EXPECT_EQ(colour.g, 0);
    EXPECT_EQ(colour.b, 255);
    EXPECT_EQ(colour.unused, 255);
    const SDL_Color black = getPixel(surface.get(), 6, 6);
    EXPECT_EQ(black.r, 0);
    EXPECT_EQ(black.g, 0);
    EXPECT_EQ(black.b, 0);
    EXPECT_EQ(black.unused, 255);
}

TEST_P(PixelSizes, GetPixelOutsideTheWindowIsWhite) {
    auto surface = makeSurface(GetParam(), 13, 9);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{0, 4}, std::pair{4, 0}, std::pair{13, 4},
                        std::pair{4, 9}, std::pair{-3, -3}}) {
        const SDL_Color colour = getPixel(surface.get(), x, y);
        EXPECT_EQ(colour.r, 255) << x << "," << y;
        EXPECT_EQ(colour.g, 255);
        EXPECT_EQ(colour.b, 255);
        EXPECT_EQ(colour.unused, 255);
    }
}

INSTANTIATE_TEST_SUITE_P(Render, PixelSizes, ::testing::Values(1, 2, 3, 4));

TEST(PixelAccess, ThreeBytePixelsAreStoredLowByteFirst) {
    auto surface = makeSurface(3, 10, 10);
    putPixel(surface.get(), 2, 3, 0x12, 0x34, 0x56);
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + 3 * surface->pitch;
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    EXPECT_EQ(row[6], 0x12);
    EXPECT_EQ(row[7], 0x34);
    EXPECT_EQ(row[8], 0x56);
#else
    // Mapped value 0x123456 (red in the top byte): blue, green, red in memory.
    EXPECT_EQ(row[6], 0x56);
    EXPECT_EQ(row[7], 0x34);
    EXPECT_EQ(row[8], 0x12);
#endif
    EXPECT_EQ(row[5], 0);
    EXPECT_EQ(row[9], 0);
}

TEST(PixelAccess, PutPixelMakesAlphaOpaqueButKeepAlphaLeavesIt) {
    auto surface = makeSurface(4, 10, 10);
    Uint32* row = static_cast<Uint32*>(surface->pixels) + 4 * surface->pitch / 4;
    row[4] = 0x40112233;
    row[5] = 0x40112233;
    putPixel(surface.get(), 4, 4, 0xAA, 0xBB, 0xCC);
    putPixelKeepAlpha(surface.get(), 5, 4, 0xAA, 0xBB, 0xCC);
    EXPECT_EQ(nativePixel(surface.get(), 4, 4), 0xFFAABBCCu);
    EXPECT_EQ(nativePixel(surface.get(), 5, 4), 0x40AABBCCu);
}

TEST(PixelAccess, KeepAlphaOnSmallerPixelsWritesLikePutPixel) {
    for (int bytes = 1; bytes <= 3; ++bytes) {
        auto plain = makeSurface(bytes, 10, 10);
        auto keep = makeSurface(bytes, 10, 10);
        putPixel(plain.get(), 7, 2, 0x80, 0x40, 0xFF);
        putPixelKeepAlpha(keep.get(), 7, 2, 0x80, 0x40, 0xFF);
        EXPECT_NE(rawPixel(plain.get(), 7, 2), 0u) << bytes;
        EXPECT_EQ(rawPixel(plain.get(), 7, 2), rawPixel(keep.get(), 7, 2)) << bytes;
    }
}

TEST(PixelAccess, LockPairOnAPlainSoftwareSurfaceLeavesItUnlocked) {
    auto surface = makeSurface(4, 10, 10);
    ASSERT_FALSE(SDL_MUSTLOCK(surface.get()));
    lockSurfaceIfNeeded(surface.get());
    EXPECT_EQ(surface->locked, 0u);
    unlockSurfaceIfNeeded(surface.get());
    EXPECT_EQ(surface->locked, 0u);
}

TEST(PixelAccess, LockPairLocksAnRleSurface) {
    auto surface = makeSurface(2, 10, 10);
    // Colour-key run-length acceleration makes SDL require a lock before direct access.
    // The encoding happens at the first blit.
    ASSERT_EQ(SDL_SetColorKey(surface.get(), SDL_SRCCOLORKEY | SDL_RLEACCEL, 0), 0);
    auto other = makeSurface(2, 10, 10);
    ASSERT_EQ(SDL_UpperBlit(surface.get(), nullptr, other.get(), nullptr), 0);
    ASSERT_TRUE(SDL_MUSTLOCK(surface.get()));
    lockSurfaceIfNeeded(surface.get());
    EXPECT_EQ(surface->locked, 1u);
    putPixel(surface.get(), 3, 3, 255, 255, 255);
    unlockSurfaceIfNeeded(surface.get());
    EXPECT_EQ(surface->locked, 0u);
}

}  // namespace
