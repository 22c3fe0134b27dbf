// The heads-up display: the two bars and the ammunition alphas, checked on the screen's pixels.
#include <gtest/gtest.h>

#include "game/hud.h"
#include "world.h"

using namespace play;

namespace {

/// The arena with none of the HUD's pictures: each test gives the ones it looks at.
void bare(World& a) {
    Images& im = a->images;
    im.front = im.health = im.completion = nullptr;
    im.ammo.fill(nullptr), im.indicator.fill(nullptr);
}

/// Width of the bar drawn from x = 490 in row y: the first black column after it.
int barWidth(SDL_Surface* screen, int y) {
    int width = 0;
    while (490 + width < 800 && pixel(screen, 490 + width, y) != 0) {
        ++width;
    }
    return width;
}

}  // namespace

TEST(HudBars, HealthTwiceLessOneCompletionShrinkingWithTheKillsBothTwentyRowsHigh) {
    World a(play::kArena);
    bare(a);
    a->images.health = a.keep(play::image(250, 30, play::kGreen));
    a->images.completion = a.keep(play::image(250, 30, play::kBlue));
    struct Case {
        int health, target, kills, healthWidth, completionWidth;
    };
    // Completion: (target − kills) / target · 200, at least 1, less 1, truncated.
    const Case cases[] = {{0, 30, 0, 0, 199},   {1, 30, 1, 1, 192},  {100, 30, 15, 199, 99},
                          {-7, 50, 10, 0, 159}, {50, 30, 29, 99, 5}, {37, 30, 30, 73, 0},
                          {37, 30, 33, 73, 0}};
    for (const Case& c : cases) {
        SDL_FillRect(a->screen, nullptr, 0);
        a->player.health = c.health, a->killTarget = c.target, a->kills = c.kills;
        drawHud(*a);
        for (int y : {529, 530, 549, 550, 559, 560, 579, 580}) {  // each bar's ends and beyond
            const bool inside = (y >= 530 && y < 550) || (y >= 560 && y < 580);
            const int width = !inside ? 0 : y < 550 ? c.healthWidth : c.completionWidth;
            EXPECT_EQ(barWidth(a->screen, y), width)
                << "row " << y << ": " << c.health << ", " << c.kills << "/" << c.target;
        }
    }
}

// Where the panel, the indicator and the icons land and in which order is pinned to the pixel by
// tests/perf/identical_output.sh; the alphas at the ends of each gauge are not all shown there.
TEST(HudGauges, AmmunitionAlphaByEachWeaponsCapacity) {
    World a(play::kArena);
    bare(a);
    for (int w = 1; w < kWeaponCount; ++w) {
        a->images.ammo[w] = a.keep(play::image(10, 10, 0xFFFFFF));
    }
    a->ammo = {0, 0, 1, 200, 5};
    drawHud(*a);
    EXPECT_EQ(a->images.ammo[1]->format->alpha, 0);    // empty: invisible
    EXPECT_EQ(a->images.ammo[2]->format->alpha, 55);   // (1/50·0.8 + 0.2)·255 = 55.08
    EXPECT_EQ(a->images.ammo[3]->format->alpha, 255);  // full
    EXPECT_EQ(a->images.ammo[4]->format->alpha, 153);  // 5 black holes, the pick-up's cap
    a->ammo[1] = 100, a->ammo[2] = -1;  // the second fired dry with nothing left: a faint icon
    drawHud(*a);
    EXPECT_EQ(a->images.ammo[1]->format->alpha, 255);
    EXPECT_EQ(a->images.ammo[2]->format->alpha, 46);  // (−1/50·0.8 + 0.2)·255 = 46.92
}
