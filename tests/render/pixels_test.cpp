// Pixel access: the strict window, stores and reads of every pixel size, the alpha-keeping write
// and the lock pair.
#include <gtest/gtest.h>

#include "render/render.h"
#include "render/surfaces.h"

using namespace rendertest;

namespace {

bool colourIs(SDL_Color c, int r, int g, int b) {
    return c.r == r && c.g == g && c.b == b && c.unused == 255;
}

TEST(PixelAccess, StoresAndReadsInsideTheStrictWindowInEveryPixelSize) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        auto s = makeSurface(bytes, 13, 9);
        for (int k = -2; k < 15; ++k) {  // row 0, column 0 and the far sides are never written
            for (auto [x, y] : {std::pair{0, k}, std::pair{k, 0}, std::pair{13, k}, std::pair{k, 9},
                                std::pair{-1, k}}) {
                putPixel(s.get(), x, y, 255, 255, 255);
                putPixelKeepAlpha(s.get(), x, y, 255, 255, 255);
            }
        }
        EXPECT_TRUE(litPixels(s.get()).empty()) << bytes;
        putPixel(s.get(), 12, 8, 255, 0, 255);  // components every format here holds exactly
        putPixelKeepAlpha(s.get(), 3, 4, 0, 255, 0);
        const Uint32 mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1u;
        EXPECT_EQ(rawPixel(s.get(), 12, 8), SDL_MapRGB(s->format, 255, 0, 255) & mask);
        EXPECT_EQ(rawPixel(s.get(), 3, 4) & 0xFFFFFF, SDL_MapRGB(s->format, 0, 255, 0) & 0xFFFFFF);
        EXPECT_EQ(litPixels(s.get()).size(), 2u);
        EXPECT_TRUE(colourIs(getPixel(s.get(), 12, 8), 255, 0, 255)) << bytes;
        EXPECT_TRUE(colourIs(getPixel(s.get(), 6, 6), 0, 0, 0)) << bytes;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{0, 4}, std::pair{4, 0}, std::pair{13, 4},
                            std::pair{4, 9}, std::pair{-3, -3}}) {
            EXPECT_TRUE(colourIs(getPixel(s.get(), x, y), 255, 255, 255)) << x << "," << y;
        }
    }
}

TEST(PixelAccess, KeepAlphaLeavesTheAlphaThatPutPixelMakesOpaque) {
    auto s = makeSurface(4, 10, 10);  // putPixel's opaque alpha: the mapped colour above
    (static_cast<Uint32*>(s->pixels) + 4 * s->pitch / 4)[5] = 0x40112233;
    putPixelKeepAlpha(s.get(), 5, 4, 0xAA, 0xBB, 0xCC);
    EXPECT_EQ(rawPixel(s.get(), 5, 4), 0x40AABBCCu);
}

TEST(PixelAccess, TheLockPairLocksOnlyASurfaceThatNeedsIt) {
    auto plain = makeSurface(4, 10, 10);
    lockSurfaceIfNeeded(plain.get());
    EXPECT_EQ(plain->locked, 0u);
    unlockSurfaceIfNeeded(plain.get());
    // Colour-key run-length acceleration (encoded at the first blit) needs a lock.
    auto rle = makeSurface(2, 10, 10);
    ASSERT_EQ(SDL_SetColorKey(rle.get(), SDL_SRCCOLORKEY | SDL_RLEACCEL, 0), 0);
    ASSERT_EQ(SDL_UpperBlit(rle.get(), nullptr, makeSurface(2, 10, 10).get(), nullptr), 0);
    ASSERT_TRUE(SDL_MUSTLOCK(rle.get()));
    lockSurfaceIfNeeded(rle.get());
    EXPECT_EQ(rle->locked, 1u);
    unlockSurfaceIfNeeded(rle.get());
    EXPECT_EQ(rle->locked, 0u);
}

}  // namespace
