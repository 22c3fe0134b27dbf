// Line drawing: the exact pixels of the walker, its reverse lines, the dropped lines and the stores
// of every pixel size.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::PixelSet;
using rendertest::rawPixel;

namespace {

PixelSet drawn(int bytes, int x1, int y1, int x2, int y2) {
    auto surface = makeSurface(bytes, 40, 30);
    drawLine(surface.get(), x1, y1, x2, y2, 255, 255, 255);
    return litPixels(surface.get());
}

TEST(DrawLine, ShallowLineStepsDownAsEarlyAsPossible) {
    PixelSet expected{{1, 1}};
    for (int x = 2; x <= 11; ++x) {
        expected.insert({x, 2});
    }
    EXPECT_EQ(drawn(4, 1, 1, 11, 2), expected);
}

TEST(DrawLine, ReverseShallowLineCoversOtherPixels) {
    PixelSet expected{{11, 2}};
    for (int x = 1; x <= 10; ++x) {
        expected.insert({x, 1});
    }
    EXPECT_EQ(drawn(4, 11, 2, 1, 1), expected);
    EXPECT_NE(drawn(4, 11, 2, 1, 1), drawn(4, 1, 1, 11, 2));
}

TEST(DrawLine, SteepLineStepsAcrossAsEarlyAsPossible) {
    PixelSet expected{{1, 1}};
    for (int y = 2; y <= 11; ++y) {
        expected.insert({2, y});
    }
    EXPECT_EQ(drawn(4, 1, 1, 2, 11), expected);
    PixelSet reverse{{2, 11}};
    for (int y = 1; y <= 10; ++y) {
        reverse.insert({1, y});
    }
    EXPECT_EQ(drawn(4, 2, 11, 1, 1), reverse);
}

TEST(DrawLine, SinglePointDiagonalAndAxisLines) {
    EXPECT_EQ(drawn(4, 5, 5, 5, 5), (PixelSet{{5, 5}}));
    EXPECT_EQ(drawn(4, 5, 5, 9, 9), (PixelSet{{5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}));
    EXPECT_EQ(drawn(4, 9, 5, 5, 9), (PixelSet{{9, 5}, {8, 6}, {7, 7}, {6, 8}, {5, 9}}));
    EXPECT_EQ(drawn(4, 7, 3, 3, 3), (PixelSet{{3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}));
    EXPECT_EQ(drawn(4, 2, 8, 2, 5), (PixelSet{{2, 5}, {2, 6}, {2, 7}, {2, 8}}));
}

// Every line in all eight directions: max(|dx|, |dy|) + 1 pixels, the k-th one k steps along the
// major axis and ceil(k · minor / major) steps along the minor axis, in every pixel size.
TEST(DrawLine, EveryLineFollowsTheCeilingRule) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        for (int x2 = 1; x2 < 16; ++x2) {
            for (int y2 = 1; y2 < 14; ++y2) {
                const int x1 = 8;
                const int y1 = 7;
                const int dx = x2 - x1;
                const int dy = y2 - y1;
                const int adx = std::abs(dx);
                const int ady = std::abs(dy);
                const bool xMajor = adx > ady;
                const int major = xMajor ? adx : ady;
                const int minor = xMajor ? ady : adx;
                const int sx = dx < 0 ? -1 : 1;
                const int sy = dy < 0 ? -1 : 1;
                PixelSet expected;
                for (int k = 0; k <= major; ++k) {
                    const int side = major == 0 ? 0 : (k * minor + major - 1) / major;
                    expected.insert(xMajor ? std::pair{x1 + sx * k, y1 + sy * side}
                                           : std::pair{x1 + sx * side, y1 + sy * k});
                }
                ASSERT_EQ(drawn(bytes, x1, y1, x2, y2), expected)
                    << bytes << " bytes to (" << x2 << ", " << y2 << ")";
            }
        }
    }
}

TEST(DrawLine, AnEndPointOutsideTheWindowDropsTheWholeLine) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        EXPECT_TRUE(drawn(bytes, 0, 5, 30, 20).empty());
        EXPECT_TRUE(drawn(bytes, 5, 0, 30, 20).empty());
        EXPECT_TRUE(drawn(bytes, 30, 20, 0, 5).empty());
        EXPECT_TRUE(drawn(bytes, 30, 20, 5, 0).empty());
        EXPECT_TRUE(drawn(bytes, 1, 1, 40, 20).empty());
        EXPECT_TRUE(drawn(bytes, 1, 1, 20, 30).empty());
        EXPECT_TRUE(drawn(bytes, -4, 5, 20, 20).empty());
    }
    // The last row and column are inside.
    EXPECT_EQ(drawn(4, 39, 29, 39, 29), (PixelSet{{39, 29}}));
    EXPECT_EQ(drawn(4, 1, 1, 1, 1), (PixelSet{{1, 1}}));
}

TEST(DrawLine, EachPixelSizeStoresTheMappedColour) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        auto surface = makeSurface(bytes, 40, 30);
        drawLine(surface.get(), 3, 4, 12, 9, 0, 255, 0);
        const Uint32 green = SDL_MapRGB(surface->format, 0, 255, 0);
        const Uint32 mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1u;
        const PixelSet lit = litPixels(surface.get());
        EXPECT_EQ(lit.size(), 10u) << bytes;
        for (auto [x, y] : lit) {
            EXPECT_EQ(rawPixel(surface.get(), x, y), green & mask) << bytes;
        }
    }
}

TEST(DrawLine, ThreeBytePixelsStartAtByteThreeTimesX) {
    auto surface = makeSurface(3, 13, 10);  // pitch 40 > 39: rows are padded
    drawLine(surface.get(), 4, 2, 4, 9, 0x12, 0x34, 0x56);
    for (int y = 2; y <= 9; ++y) {
        const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + 12;
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
        EXPECT_EQ(p[0], 0x12);
        EXPECT_EQ(p[2], 0x56);
#else
        EXPECT_EQ(p[0], 0x56);
        EXPECT_EQ(p[1], 0x34);
        EXPECT_EQ(p[2], 0x12);
#endif
    }
    EXPECT_EQ(litPixels(surface.get()).size(), 8u);
}

TEST(DrawLine, SixteenBitLinesFollowThePitch) {
    auto surface = makeSurface(2, 15, 12);  // 30 bytes a row, padded to a 32-byte pitch
    ASSERT_NE(surface->pitch, surface->w * 2);
    drawLine(surface.get(), 14, 1, 1, 11, 255, 0, 0);
    const PixelSet lit = litPixels(surface.get());
    EXPECT_EQ(lit.size(), 14u);
    EXPECT_TRUE(lit.count({14, 1}));
    EXPECT_TRUE(lit.count({1, 11}));
}

}  // namespace
