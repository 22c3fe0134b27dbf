// The generated pictures: every file the game loads exists with the pixel format, alpha and size
// that its use in the game needs. Reads the data folder the build generates.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kData = LUMEN_DATA_DIR;

/// How the game treats a loaded picture.
enum class Use {
    AlphaImage,   // converted to an alpha image: 32-bit, fourth byte is alpha
    Rotated,      // rotated into the 122 × 122 scratch surface: 32-bit with alpha
    KeyedPickUp,  // colour key 0xFF00FF
    Plain,        // blitted as loaded
};

struct Expected {
    std::string path;
    Use use;
};

std::vector<Expected> everyImage() {
    std::vector<Expected> list;
    char name[80];
    for (const char* s : {"000", "010", "100", "001", "011", "101"}) {
        list.push_back({std::string("images/ship") + s + ".bmp", Use::Rotated});
    }
    for (const char* s : {"1000", "1010", "1100", "1001", "1011", "1101", "20000", "20011", "20010",
                          "21000", "21100", "3"}) {
        list.push_back({std::string("images/enemy") + s + ".bmp", Use::Rotated});
    }
    list.push_back({"images/simpleshot.bmp", Use::AlphaImage});
    list.push_back({"images/purplelaser.bmp", Use::AlphaImage});
    for (int k = 0; k < 12; ++k) {
        std::snprintf(name, sizeof name, "images/newtriplebomb%02d.bmp", k);
        list.push_back({name, Use::AlphaImage});
    }
    for (int k = 0; k < 5; ++k) {
        std::snprintf(name, sizeof name, "images/swarm%d.bmp", k);
        list.push_back({name, Use::AlphaImage});
    }
    list.push_back({"images/blackhole.bmp", Use::AlphaImage});
    for (int k = 1; k <= 6; ++k) {
        std::snprintf(name, sizeof name, "images/shrapnel%d.bmp", k);
        list.push_back({name, Use::Rotated});
        std::snprintf(name, sizeof name, "images/powerup%d.bmp", k);
        list.push_back({name, Use::KeyedPickUp});
        for (const char* stem : {"explosion", "blue explosion", "smallexplosion"}) {
            std::snprintf(name, sizeof name, "images/%s%d.bmp", stem, k);
            list.push_back({name, Use::AlphaImage});
        }
    }
    for (int k = 1; k <= 4; ++k) {
        std::snprintf(name, sizeof name, "images/ammo%d.bmp", k);
        list.push_back({name, Use::Plain});
    }
    for (int k = 0; k <= 4; ++k) {
        std::snprintf(name, sizeof name, "images/indicator%d.bmp", k);
        list.push_back({name, Use::Plain});
    }
    for (const char* p : {"images/health.bmp", "images/completion.bmp", "images/levelup.BMP",
                          "images/titlescreen.bmp", "play/front.bmp"}) {
        list.push_back({p, Use::Plain});
    }
    return list;
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

Surface load(const std::string& relative) {
    return Surface(SDL_LoadBMP((kData + "/" + relative).c_str()));
}

/// The 32-bit pixel (x, y) of a 4-byte surface.
uint32_t pixel32(SDL_Surface* s, int x, int y) {
    return *reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                              y * s->pitch + x * 4);
}

/// The 24-bit pixel (x, y) of a 3-byte surface as 0xRRGGBB.
uint32_t pixel24(SDL_Surface* s, int x, int y) {
    const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * 3;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16);
}

uint32_t alphaOf(SDL_Surface* s, int x, int y) {
    return pixel32(s, x, y) >> 24;
}

/// Largest distance from (px, py) of any pixel with alpha above 8.
double inkRadius(SDL_Surface* s, double px, double py) {
    double r = 0.0;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            if (alphaOf(s, x, y) > 8) {
                r = std::max(r, std::hypot(x - px, y - py));
            }
        }
    }
    return r;
}

class Images : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { SDL_Init(SDL_INIT_VIDEO); }
    static void TearDownTestSuite() { SDL_Quit(); }
};

TEST_F(Images, EveryFileLoadsWithTheFormatItsUseNeeds) {
    for (const Expected& e : everyImage()) {
        SCOPED_TRACE(e.path);
        Surface s = load(e.path);
        ASSERT_NE(s, nullptr) << SDL_GetError();
        switch (e.use) {
            case Use::AlphaImage:
            case Use::Rotated: {
                ASSERT_EQ(s->format->BytesPerPixel, 4);
                EXPECT_EQ(s->format->Rmask, 0x00FF0000u);
                EXPECT_EQ(s->format->Gmask, 0x0000FF00u);
                EXPECT_EQ(s->format->Bmask, 0x000000FFu);
                EXPECT_EQ(s->pitch, s->w * 4);  // the alpha copy moves w·h·4 bytes in one go
                // Transparent corners, an opaque-enough body.
                EXPECT_EQ(alphaOf(s.get(), 0, 0), 0u);
                EXPECT_EQ(alphaOf(s.get(), s->w - 1, 0), 0u);
                EXPECT_EQ(alphaOf(s.get(), 0, s->h - 1), 0u);
                EXPECT_EQ(alphaOf(s.get(), s->w - 1, s->h - 1), 0u);
                // Soft edges (partial alpha) and a visible body; the last explosion frames are
                // meant to be faint.
                uint32_t most = 0;
                int partial = 0;
                for (int y = 0; y < s->h; ++y) {
                    for (int x = 0; x < s->w; ++x) {
                        uint32_t a = alphaOf(s.get(), x, y);
                        most = std::max(most, a);
                        partial += a > 0 && a < 255 ? 1 : 0;
                    }
                }
                bool fading = e.path.find("explosion") != std::string::npos;
                EXPECT_GE(most, fading ? 40u : 200u);
                EXPECT_GT(partial, 8);
                break;
            }
            case Use::KeyedPickUp:
                ASSERT_EQ(s->format->BytesPerPixel, 3);
                EXPECT_EQ(pixel24(s.get(), 0, 0), 0xFF00FFu);
                EXPECT_EQ(pixel24(s.get(), s->w - 1, s->h - 1), 0xFF00FFu);
                EXPECT_NE(pixel24(s.get(), s->w / 2, s->h / 2), 0xFF00FFu);
                break;
            case Use::Plain:
                EXPECT_GE(s->format->BytesPerPixel, 3);
                break;
        }
    }
}

TEST_F(Images, AlphaIsStraightNotPremultiplied) {
    // A soft glow has pixels of low alpha; premultiplied storage would make their colour dark. In
    // straight alpha the colour of a faint laser-glow pixel keeps the laser's brightness.
    Surface s = load("images/purplelaser.bmp");
    ASSERT_NE(s, nullptr);
    int faintBright = 0;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            uint32_t p = pixel32(s.get(), x, y);
            uint32_t a = p >> 24;
            uint32_t maxChannel = std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
            if (a > 0 && a < 100 && maxChannel > 2 * a) {
                ++faintBright;
            }
        }
    }
    EXPECT_GT(faintBright, 10);
}

TEST_F(Images, SpritesHaveTheSizesAndPivotsTheirDrawingUses) {
    // Player: 90 × 103, pivot (45, 52) at (66, 66) of the 122 × 122 scratch surface; column and
    // row 0 are never written and one extra pixel goes to the right, so the ink must stay within
    // 54 pixels of the pivot whatever the angle.
    for (const char* s : {"000", "010", "100", "001", "011", "101"}) {
        Surface ship = load(std::string("images/ship") + s + ".bmp");
        ASSERT_NE(ship, nullptr);
        EXPECT_EQ(ship->w, 90);
        EXPECT_EQ(ship->h, 103);
        EXPECT_LE(inkRadius(ship.get(), 45, 52), 54.0) << s;
    }
    // Enemies: pivot at the centre lands on (52, 52).
    for (const char* s : {"1000", "1011", "20000", "21100", "3"}) {
        Surface enemy = load(std::string("images/enemy") + s + ".bmp");
        ASSERT_NE(enemy, nullptr);
        EXPECT_GE(enemy->w, 40);
        EXPECT_LE(enemy->w, 75);
        EXPECT_LE(inkRadius(enemy.get(), enemy->w / 2, enemy->h / 2), 51.0) << s;
    }
    // The laser: rectangle (0, 0, 12, 40) about (6, 20) at (25, 25) of an 80 × 80 window.
    Surface laser = load("images/purplelaser.bmp");
    ASSERT_NE(laser, nullptr);
    EXPECT_EQ(laser->w, 12);
    EXPECT_EQ(laser->h, 40);
    // Shrapnel: turned about its centre onto (25, 25).
    for (int k = 1; k <= 6; ++k) {
        Surface piece = load("images/shrapnel" + std::to_string(k) + ".bmp");
        ASSERT_NE(piece, nullptr);
        EXPECT_LT(piece->w, 34);
        EXPECT_LT(piece->h, 34);
        EXPECT_LE(inkRadius(piece.get(), piece->w / 2, piece->h / 2), 24.0);
    }
}

TEST_F(Images, ShipPosesDiffer) {
    // Each pose is its own picture: no two of the six player images are the same.
    std::vector<Surface> poses;
    for (const char* s : {"000", "010", "100", "001", "011", "101"}) {
        poses.push_back(load(std::string("images/ship") + s + ".bmp"));
        ASSERT_NE(poses.back(), nullptr);
    }
    for (size_t a = 0; a < poses.size(); ++a) {
        for (size_t b = a + 1; b < poses.size(); ++b) {
            EXPECT_NE(std::memcmp(poses[a]->pixels, poses[b]->pixels, 90 * 103 * 4), 0)
                << a << " " << b;
        }
    }
    // The thrust pose has ink below the idle ship's nozzle (the flame).
    EXPECT_EQ(alphaOf(poses[0].get(), 45, 97), 0u);
    EXPECT_GT(alphaOf(poses[3].get(), 45, 95), 100u);
}

TEST_F(Images, ExplosionsGrowAndFade) {
    const struct {
        const char* stem;
        int size;
    } styles[] = {{"explosion", 180}, {"blue explosion", 180}, {"smallexplosion", 100}};
    for (const auto& style : styles) {
        double lastRadius = 0.0;
        double firstTotal = 0.0, lastTotal = 0.0;
        for (int k = 1; k <= 6; ++k) {
            Surface s = load(std::string("images/") + style.stem + std::to_string(k) + ".bmp");
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->w, style.size);
            EXPECT_EQ(s->h, style.size);
            double total = 0.0;
            for (int y = 0; y < s->h; ++y) {
                for (int x = 0; x < s->w; ++x) {
                    total += alphaOf(s.get(), x, y);
                }
            }
            double radius = inkRadius(s.get(), s->w / 2.0, s->h / 2.0);
            if (k <= 4) {
                EXPECT_GE(radius, lastRadius) << style.stem << k;
            }
            lastRadius = radius;
            if (k == 2) {
                firstTotal = total;
            }
            lastTotal = total;
        }
        EXPECT_LT(lastTotal, firstTotal * 0.6) << style.stem;
    }
}

TEST_F(Images, AnimationsHaveDistinctFrames) {
    Surface bomb0 = load("images/newtriplebomb00.bmp");
    Surface bomb1 = load("images/newtriplebomb01.bmp");
    Surface swarm0 = load("images/swarm0.bmp");
    Surface swarm1 = load("images/swarm1.bmp");
    ASSERT_TRUE(bomb0 && bomb1 && swarm0 && swarm1);
    EXPECT_NE(std::memcmp(bomb0->pixels, bomb1->pixels, bomb0->w * bomb0->h * 4), 0);
    EXPECT_NE(std::memcmp(swarm0->pixels, swarm1->pixels, swarm0->w * swarm0->h * 4), 0);
}

TEST_F(Images, HudPiecesFitTheScreenWhereTheyAreDrawn) {
    for (const char* bar : {"images/health.bmp", "images/completion.bmp"}) {
        Surface s = load(bar);
        ASSERT_NE(s, nullptr);
        EXPECT_GE(s->w, 199);
        EXPECT_GE(s->h, 20);
        EXPECT_LE(490 + s->w, 800);
    }
    for (int w = 0; w <= 4; ++w) {
        Surface s = load("images/indicator" + std::to_string(w) + ".bmp");
        ASSERT_NE(s, nullptr);
        EXPECT_LE(s->w, 50);  // slots are 50 pixels apart
        EXPECT_LE(510 + s->h, 540);
    }
    for (int w = 1; w <= 4; ++w) {
        Surface s = load("images/ammo" + std::to_string(w) + ".bmp");
        ASSERT_NE(s, nullptr);
        EXPECT_LE(s->w, 50);
        EXPECT_LE(540 + s->h, 600);
        EXPECT_EQ(s->format->Amask, 0u);  // faded with per-surface alpha
    }
    for (const char* screen : {"images/titlescreen.bmp", "images/levelup.BMP", "play/front.bmp"}) {
        Surface s = load(screen);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->w, 800);
        EXPECT_EQ(s->h, 600);
    }
}

TEST_F(Images, FrontPanelIsTransparentAboveItsEdgeAndSolidUnderTheGauges) {
    Surface front = load("play/front.bmp");
    ASSERT_NE(front, nullptr);
    SDL_Surface* screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(screen, nullptr);
    const uint32_t arena = 0x123456;
    SDL_FillRect(screen, nullptr, arena);
    // As the game does: the colour key 0xFFFF00FF, the whole picture at (0, 415).
    SDL_SetColorKey(front.get(), SDL_SRCCOLORKEY, 0xFFFF00FF);
    SDL_Rect at = {0, 415, 0, 0};
    SDL_BlitSurface(front.get(), nullptr, screen, &at);
    // The arena shows through above the panel's edge.
    EXPECT_EQ(pixel32(screen, 400, 420) & 0xFFFFFF, arena);
    EXPECT_EQ(pixel32(screen, 5, 480) & 0xFFFFFF, arena);
    // No magenta reaches the screen anywhere.
    for (int y = 415; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            ASSERT_NE(pixel32(screen, x, y) & 0xFFFFFF, 0xFF00FFu) << x << "," << y;
        }
    }
    // Under every gauge the panel is solid: wells for the indicators and ammunition icons and
    // frames for the two bars.
    for (int w = 0; w < 5; ++w) {
        EXPECT_NE(pixel32(screen, 160 + 50 * w + 20, 512) & 0xFFFFFF, arena);
        EXPECT_NE(pixel32(screen, 160 + 50 * w + 20, 560) & 0xFFFFFF, arena);
    }
    EXPECT_NE(pixel32(screen, 490, 530) & 0xFFFFFF, arena);
    EXPECT_NE(pixel32(screen, 688, 579) & 0xFFFFFF, arena);
    SDL_FreeSurface(screen);
}

TEST_F(Images, PickUpsAreKeyedMagenta) {
    SDL_Surface* screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 64, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(screen, nullptr);
    for (int k = 1; k <= 6; ++k) {
        Surface s = load("images/powerup" + std::to_string(k) + ".bmp");
        ASSERT_NE(s, nullptr);
        SDL_FillRect(screen, nullptr, 0);
        SDL_SetColorKey(s.get(), SDL_SRCCOLORKEY, 0xFF00FF);
        SDL_BlitSurface(s.get(), nullptr, screen, nullptr);
        EXPECT_EQ(pixel32(screen, 0, 0) & 0xFFFFFF, 0u);
        // The badge's rim is drawn, the key colour nowhere.
        EXPECT_NE(pixel32(screen, s->w / 2, 5) & 0xFFFFFF, 0u);
        for (int y = 0; y < s->h; ++y) {
            for (int x = 0; x < s->w; ++x) {
                ASSERT_NE(pixel32(screen, x, y) & 0xFFFFFF, 0xFF00FFu);
            }
        }
    }
    SDL_FreeSurface(screen);
}

}  // namespace
