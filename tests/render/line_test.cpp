// Line drawing: the exact pixels of the walker in every direction and pixel size, the dropped
// lines, and the byte layout of three-byte pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/render.h"
#include "render/surfaces.h"

using rendertest::litPixels;
using rendertest::makeSurface;
using rendertest::PixelSet;
using rendertest::rawPixel;

namespace {

// Every line in all eight directions: max(|dx|, |dy|) + 1 pixels, the k-th one k steps along the
// major axis from the first end and ceil(k · minor / major) steps along the minor axis, so a line
// and its reverse cover different pixels; each stores the mapped colour. The odd width pads the
// rows of the 2- and 3-byte surfaces.
TEST(DrawLine, EveryLineFollowsTheCeilingRuleInEveryPixelSize) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        for (int x2 = 1; x2 < 17; ++x2) {
            for (int y2 = 1; y2 < 14; ++y2) {
                const int x1 = 8, y1 = 7, dx = x2 - x1, dy = y2 - y1;
                const bool xMajor = std::abs(dx) > std::abs(dy);
                const int major = xMajor ? std::abs(dx) : std::abs(dy);
                const int minor = xMajor ? std::abs(dy) : std::abs(dx);
                PixelSet expected;
                for (int k = 0; k <= major; ++k) {
                    const int side = major == 0 ? 0 : (k * minor + major - 1) / major;
                    const int along = xMajor ? (dx < 0 ? -k : k) : (dy < 0 ? -k : k);
                    const int across = xMajor ? (dy < 0 ? -side : side) : (dx < 0 ? -side : side);
                    expected.insert(xMajor ? std::pair{x1 + along, y1 + across}
                                           : std::pair{x1 + across, y1 + along});
                }
                auto surface = makeSurface(bytes, 17, 14);
                drawLine(surface.get(), x1, y1, x2, y2, 0, 255, 0);
                ASSERT_EQ(litPixels(surface.get()), expected)
                    << bytes << " bytes to (" << x2 << ", " << y2 << ")";
                const Uint32 mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1u;
                ASSERT_EQ(rawPixel(surface.get(), x2, y2),
                          SDL_MapRGB(surface->format, 0, 255, 0) & mask);
            }
        }
    }
}

TEST(DrawLine, AnEndPointOutsideTheWindowDropsTheWholeLine) {
    // Row 0 and column 0 are outside, the last row and column inside.
    const int lines[][5] = {{0, 5, 30, 20, 0},  {5, 0, 30, 20, 0},   {30, 20, 0, 5, 0},
                            {30, 20, 5, 0, 0},  {1, 1, 40, 20, 0},   {1, 1, 20, 30, 0},
                            {-4, 5, 20, 20, 0}, {39, 29, 39, 29, 1}, {1, 1, 1, 1, 1}};
    for (int bytes = 1; bytes <= 4; ++bytes) {
        for (const auto& l : lines) {
            auto surface = makeSurface(bytes, 40, 30);
            drawLine(surface.get(), l[0], l[1], l[2], l[3], 255, 255, 255);
            EXPECT_EQ(litPixels(surface.get()).size(), static_cast<size_t>(l[4]))
                << bytes << ": " << l[0] << "," << l[1] << " " << l[2] << "," << l[3];
        }
    }
}

TEST(DrawLine, ThreeBytePixelsStartAtByteThreeTimesXLowByteFirst) {
    auto surface = makeSurface(3, 13, 10);  // pitch 40 > 39: rows are padded
    drawLine(surface.get(), 4, 2, 4, 9, 0x12, 0x34, 0x56);
    for (int y = 2; y <= 9; ++y) {
        const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + 12;
        EXPECT_EQ(p[0] | p[1] << 8 | p[2] << 16, 0x123456);
    }
    EXPECT_EQ(litPixels(surface.get()).size(), 8u);
}

}  // namespace
