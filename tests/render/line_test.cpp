// Line drawing: the exact pixels of the walker in every direction and pixel size, the dropped
// lines, and the byte layout of three-byte pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/render.h"
#include "render/surfaces.h"

using namespace rendertest;

namespace {

// Every line between (8, 7) and each point of the surface and one past each edge, both ways, in
// every pixel size. A line with both ends inside the strict window (row 0 and column 0 are outside,
// the last row and column inside) has max(|dx|, |dy|) + 1 pixels, the k-th one k steps along the
// major axis from the first end and ceil(k · minor / major) steps along the minor axis, so a line
// and its reverse cover different pixels; each stores the mapped colour. A line with an end
// outside is dropped whole. The odd width pads the rows of the 2- and 3-byte surfaces.
TEST(DrawLine, EveryLineFollowsTheCeilingRuleOrIsDroppedWithAnEndOutside) {
    for (int bytes = 1; bytes <= 4; ++bytes) {
        for (int x = -1; x <= 17; ++x) {
            for (int y = -1; y <= 14; ++y) {
                for (const bool reverse : {false, true}) {
                    const int x1 = reverse ? x : 8, y1 = reverse ? y : 7;
                    const int x2 = reverse ? 8 : x, y2 = reverse ? 7 : y;
                    const int dx = x2 - x1, dy = y2 - y1;
                    const bool xMajor = std::abs(dx) > std::abs(dy);
                    const int major = xMajor ? std::abs(dx) : std::abs(dy);
                    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
                    PixelSet expected;
                    for (int k = 0; k <= major && x >= 1 && x < 17 && y >= 1 && y < 14; ++k) {
                        const int side = major == 0 ? 0 : (k * minor + major - 1) / major;
                        const int along = xMajor ? (dx < 0 ? -k : k) : (dy < 0 ? -k : k);
                        const int across =
                            xMajor ? (dy < 0 ? -side : side) : (dx < 0 ? -side : side);
                        expected.insert(xMajor ? std::pair{x1 + along, y1 + across}
                                               : std::pair{x1 + across, y1 + along});
                    }
                    auto surface = makeSurface(bytes, 17, 14);
                    drawLine(surface.get(), x1, y1, x2, y2, 0, 255, 0);
                    ASSERT_EQ(litPixels(surface.get()), expected)
                        << bytes << " bytes, (" << x1 << ", " << y1 << ") to (" << x2 << ", " << y2
                        << ")";
                    const Uint32 mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1u;
                    ASSERT_TRUE(expected.empty() ||
                                rawPixel(surface.get(), x2, y2) ==
                                    (SDL_MapRGB(surface->format, 0, 255, 0) & mask));
                }
            }
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
