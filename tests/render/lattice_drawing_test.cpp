// Lattice pictures: the culled warped grid against a picture drawn sample by sample (truncated
// before scaling), lines far outside, and the square reference view.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "lattice/lattice.h"
#include "render/render.h"
#include "render/surfaces.h"

namespace {

using namespace rendertest;

/// trunc(value)·scale + offset as the pictures map points, with values beyond int off the target.
int mapped(float value, int scale, int offset) {
    if (!(std::fabs(value) < 2147483648.0f)) {
        return -1;
    }
    const long long result = static_cast<long long>(value) * scale + offset;
    return result < -2147483647LL || result > 2147483647LL ? -1 : static_cast<int>(result);
}

void segment(SDL_Surface* target, float x1, float y1, float x2, float y2, int scale, int ox, int oy,
             Uint8 r, Uint8 g, Uint8 b) {
    drawLine(target, mapped(x1, scale, ox), mapped(y1, scale, oy), mapped(x2, scale, ox),
             mapped(y2, scale, oy), r, g, b);
}

/// The grid sampled at every step (row lines while u ≤ columns, then column lines while
/// v < rows) and the rim with its ticks, nothing skipped.
void drawEverySample(SDL_Surface* target, const Lattice& lattice, float step, bool rim, int scale,
                     int ox, int oy) {
    for (const bool alongRows : {true, false}) {
        for (float line = 0.0f; line < (alongRows ? lattice.rows : lattice.columns); line += 1.0f) {
            const auto at = [&](float along, float& x, float& y) {
                alongRows ? lattice.mapPoint(along, line, x, y, false, true)
                          : lattice.mapPoint(line, along, x, y, true, false);
            };
            float px = 0.0f, py = 0.0f;
            at(0.0f, px, py);
            float qx = px, qy = py;
            for (float along = step; alongRows ? along <= lattice.columns : along < lattice.rows;
                 along += step) {
                at(along, qx, qy);
                segment(target, qx, qy, px, py, scale, ox, oy, 0, 255, 0);
                px = qx, py = qy;
            }
        }
    }
    if (!rim) {
        return;
    }
    float u = 0.0f, v = 0.0f, x = 0.0f, y = 0.0f;
    lattice.rimPoint(0.0f, u, v);
    lattice.mapPoint(u, v, x, y, false, false);
    for (float s = 0.0f; s < lattice.rimCount; s += 0.05f) {
        const float prevX = x, prevY = y;
        lattice.rimPoint(s, u, v);
        lattice.mapPoint(u, v, x, y, false, false);
        segment(target, x, y, prevX, prevY, scale, ox, oy, 255, 255, 255);
        const double ds = s;
        if (ds - std::trunc(ds) <= 0.1) {
            const float dx = x - prevX, dy = y - prevY;
            segment(target, x + dy, y - dx, prevX - dy, prevY + dx, scale, ox, oy, 255, 255, 255);
        }
    }
}

/// A 40 × 40 Lattice pulled towards two points the way black holes pull it, many times over, with
/// one far corner node flung a long way out.
void bend(Lattice& lattice) {
    const float holes[2][2] = {{610.0f, 730.0f}, {1010.0f, 540.0f}};
    for (int round = 0; round < 30; ++round) {
        for (const auto& hole : holes) {
            for (int i = 0; i < 40; ++i) {
                for (int j = 0; j < 40; ++j) {
                    float x = 0.0f, y = 0.0f;
                    lattice.mapPoint(static_cast<float>(i), static_cast<float>(j), x, y, true,
                                     true);
                    const float ex = x - hole[0], ey = y - hole[1];
                    const float q = ex * ex + ey * ey + 1.0f;
                    lattice.setNodePosition(i, j, x - ex / (q * 0.01f), y - ey / (q * 0.01f));
                }
            }
        }
    }
    lattice.setNodePosition(39, 39, 9000.0f, -7000.0f);
    lattice.refitAll();
}

bool sameBytes(const SDL_Surface* a, const SDL_Surface* b) {
    return std::memcmp(a->pixels, b->pixels, static_cast<size_t>(a->pitch) * a->h) == 0;
}

constexpr Uint32 kGreen = 0x00FF00u;
constexpr Uint32 kWhite = 0xFFFFFFu;
constexpr Uint32 kRed = 0xFF0000u;

/// A 32-bit surface without alpha filled with one colour, so colours read back as 0xRRGGBB.
SurfacePtr picture(int w, int h, Uint32 fill = 0) {
    SurfacePtr surface = makeSurface(5, w, h);
    SDL_FillRect(surface.get(), nullptr, fill);
    return surface;
}

}  // namespace

TEST(LatticeCulling, BentLatticeLargerThanTheTargetGivesTheSamePixelsAtEveryOffsetAndScale) {
    Lattice lattice(40, 40);
    bend(lattice);
    const int offsets[][2] = {{0, 0},       {-100, -100}, {-400, -500},  {-900, -300},
                              {-1300, 200}, {350, -1200}, {-2000, -2000}};
    for (const auto& offset : offsets) {
        SurfacePtr fast = makeSurface(4, 1200, 1000), slow = makeSurface(4, 1200, 1000);
        drawLattice(fast.get(), lattice, 1, offset[0], offset[1]);
        drawEverySample(slow.get(), lattice, 0.05f, true, 1, offset[0], offset[1]);
        EXPECT_TRUE(sameBytes(fast.get(), slow.get()))
            << "offset " << offset[0] << ", " << offset[1];
        EXPECT_TRUE(offset[0] != -400 || litPixels(fast.get()).size() > 20000u) << "none drawn";
    }
    // The coarse grid, scaled, in small targets of every pixel size.
    for (int scale : {1, 2, 3}) {
        for (int bytes : {1, 2, 3, 4}) {
            SurfacePtr fast = makeSurface(bytes, 333, 211), slow = makeSurface(bytes, 333, 211);
            drawLatticeCoarse(fast.get(), lattice, scale, -250 * scale, -180 * scale);
            drawEverySample(slow.get(), lattice, 0.2f, false, scale, -250 * scale, -180 * scale);
            EXPECT_TRUE(sameBytes(fast.get(), slow.get()))
                << "scale " << scale << ", " << bytes << " bytes per pixel";
        }
    }
}

TEST(LatticeCulling, SkipsFarPiecesAndKeepsLinesOnePixelInsideEachWindowEdge) {
    // A default 12 × 12 Lattice moved so that row line 5 (or column line 5) lies on the first or
    // last pixel inside one edge of a 200 × 150 target, whose valid window is 0 < X < 200,
    // 0 < Y < 150; then the same line moved 300 pixels farther out.
    struct Edge {
        bool row;   ///< a row line (top, bottom) or a column line (left, right)
        int place;  ///< where the line lies, target pixels
    };
    const Edge edges[] = {{true, 1}, {true, 149}, {false, 1}, {false, 199}};
    for (const Edge& edge : edges) {
        for (const int far : {0, edge.place < 100 ? -300 : 300}) {
            SCOPED_TRACE(std::to_string(edge.place) + (edge.row ? " row" : " column") + " +" +
                         std::to_string(far));
            const float shift = static_cast<float>(edge.place + far - 5 * 40);
            Lattice lattice(12, 12);
            for (int i = 0; i < 12; ++i) {
                for (int j = 0; j < 12; ++j) {
                    lattice.setNodePosition(i, j, 40.0f * i + (edge.row ? -20.0f : shift),
                                            40.0f * j + (edge.row ? shift : -20.0f));
                }
            }
            lattice.refitAll();
            auto target = picture(200, 150);
            for (int k = 1; k <= 3; ++k) {  // pieces across the target
                PictureBox box;
                ASSERT_TRUE(edge.row ? lattice.rowPieceBox(k, 5, box)
                                     : lattice.columnPieceBox(5, k, box));
                EXPECT_EQ(pictureBoxOutside(target.get(), box, 1, 0, 0), far != 0) << k;
            }
            drawLattice(target.get(), lattice, 1, 0, 0);
            for (int k = 30; k < 130; ++k) {
                const Uint32 pixel = edge.row ? rawPixel(target.get(), k + 50, edge.place)
                                              : rawPixel(target.get(), edge.place, k);
                ASSERT_EQ(pixel, far == 0 ? kGreen : 0u) << k;
            }
        }
    }
}

TEST(LatticeDrawing, LinesOutsideEveryTargetAreDroppedWithoutHarm) {
    Lattice lattice(4, 4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            lattice.setNodePosition(i, j, 3.0e9f * (i - 1.5f), 1.0e38f * (j - 1.5f));
        }
    }
    lattice.refitAll();
    auto surface = picture(100, 100);
    drawLattice(surface.get(), lattice, 1, 0, 0);
    drawLattice(surface.get(), lattice, 1000, -5, -5);
    EXPECT_TRUE(litPixels(surface.get()).empty());
}

TEST(LatticeDrawing, ReferenceGridIsSquareAndIgnoresTheWarp) {
    // At scale 2 from (20, 20) cells are 80 pixels, one past the last node like the warped grid:
    // black lines at 20, 100, 180 running to 260, none along x = 260 or y = 260; the rim in red,
    // in lattice coordinates times 80, close to the border through the nodes. Bending the nodes
    // changes nothing: neither the grid nor the rim goes through the mapping.
    Lattice lattice(3, 3), bent(3, 3);
    bent.setNodePosition(1, 1, 70.0f, 20.0f);
    bent.refitAll();
    auto surface = picture(300, 300, kWhite), bentSurface = picture(300, 300, kWhite);
    drawLatticeReference(surface.get(), lattice, 2, 20, 20);
    drawLatticeReference(bentSurface.get(), bent, 2, 20, 20);
    EXPECT_TRUE(sameBytes(bentSurface.get(), surface.get()));
    for (int k = 185; k <= 260; ++k) {
        for (int line : {20, 100, 180}) {
            ASSERT_EQ(rawPixel(surface.get(), k, line), 0u) << k << "," << line;
            ASSERT_EQ(rawPixel(surface.get(), line, k), 0u) << line << "," << k;
        }
    }
    for (const auto& [x, y] : {std::pair{261, 100}, std::pair{100, 261}, std::pair{220, 260},
                               std::pair{260, 220}, std::pair{110, 60}, std::pair{60, 110}}) {
        EXPECT_EQ(rawPixel(surface.get(), x, y), kWhite) << x << "," << y;
    }
    int red = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            const bool isRed = rawPixel(surface.get(), x, y) == kRed;
            red += isRed ? 1 : 0;
            EXPECT_TRUE(!isRed || (x >= 10 && x <= 190 && y >= 10 && y <= 190)) << x << "," << y;
        }
    }
    EXPECT_GT(red, 4 * 140);
}
