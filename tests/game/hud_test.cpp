// The heads-up display: panel, indicator, ammunition alphas and the two bars, checked on the
// screen's pixels.
#include <gtest/gtest.h>

#include "arena_fixture.h"
#include "game/hud.h"

using arena::Arena;

namespace {

/// The columns of row y, from x0 to x1 inclusive, whose pixel is not black.
int litColumns(SDL_Surface* screen, int y, int x0, int x1) {
    int lit = 0;
    for (int x = x0; x <= x1; ++x) {
        lit += arena::pixelAt(screen, x, y) != 0 ? 1 : 0;
    }
    return lit;
}

/// Width of the bar drawn from x = 490 in row y: the first black column after it.
int barWidth(SDL_Surface* screen, int y) {
    int width = 0;
    while (490 + width < 800 && arena::pixelAt(screen, 490 + width, y) != 0) {
        ++width;
    }
    return width;
}

}  // namespace

TEST(HealthBar, TwicePlusOneColumnsAndNothingAtZero) {
    Arena a;
    a->images.health = a.keep(arena::makeImage(250, 30, arena::kGreen));
    a->player.health = 0;  // alive, but the bar is empty
    drawHud(*a);
    EXPECT_EQ(litColumns(a->screen, 530, 480, 799), 0);
    EXPECT_EQ(litColumns(a->screen, 549, 480, 799), 0);

    a->player.health = 1;
    drawHud(*a);
    EXPECT_EQ(litColumns(a->screen, 530, 480, 799), 1);
    EXPECT_EQ(arena::pixelAt(a->screen, 490, 530), arena::kGreen);
    EXPECT_EQ(arena::pixelAt(a->screen, 490, 549), arena::kGreen);
    EXPECT_EQ(arena::pixelAt(a->screen, 490, 550), 0u);  // 20 rows high
    EXPECT_EQ(arena::pixelAt(a->screen, 490, 529), 0u);

    SDL_FillRect(a->screen, nullptr, 0);
    a->player.health = 100;
    drawHud(*a);
    EXPECT_EQ(barWidth(a->screen, 540), 199);

    SDL_FillRect(a->screen, nullptr, 0);
    a->player.health = -7;  // the frame of death
    drawHud(*a);
    EXPECT_EQ(litColumns(a->screen, 540, 480, 799), 0);
}

TEST(CompletionBar, ShrinksWithTheKillsAndIsEmptyAtTheTarget) {
    Arena a;
    a->images.completion = a.keep(arena::makeImage(250, 30, arena::kBlue));
    struct Case {
        int target;
        int kills;
        int width;
    };
    // (target − kills) / target · 200, at least 1, less 1, truncated.
    const Case cases[] = {{30, 0, 199}, {30, 1, 192}, {30, 15, 99}, {50, 10, 159},
                          {30, 29, 5},  {30, 30, 0},  {30, 33, 0}};
    for (const Case& c : cases) {
        SDL_FillRect(a->screen, nullptr, 0);
        a->killTarget = c.target;
        a->kills = c.kills;
        drawHud(*a);
        EXPECT_EQ(barWidth(a->screen, 560), c.width) << c.kills << "/" << c.target;
        EXPECT_EQ(barWidth(a->screen, 579), c.width);
        EXPECT_EQ(arena::pixelAt(a->screen, 490, 580), 0u);
    }
}

TEST(AmmoGauges, AlphaFollowsTheAmmunitionAndBlackHolesStopAt153) {
    Arena a;
    for (int w = 1; w < kWeaponCount; ++w) {
        a->images.ammo[w] = a.keep(arena::makeImage(10, 10, 0xFFFFFF));
    }
    a->ammo = {0, 0, 1, 200, 5};
    drawHud(*a);
    EXPECT_EQ(a->images.ammo[1]->format->alpha, 0);    // empty: invisible
    EXPECT_EQ(a->images.ammo[2]->format->alpha, 55);   // (1/50·0.8 + 0.2)·255 = 55.08
    EXPECT_EQ(a->images.ammo[3]->format->alpha, 255);  // full
    EXPECT_EQ(a->images.ammo[4]->format->alpha, 153);  // 5 black holes, the pick-up's cap
    EXPECT_TRUE(a->images.ammo[4]->flags & SDL_SRCALPHA);
    // The invisible icon leaves the screen black; the full one is white at (160 + 50·3, 540).
    EXPECT_EQ(arena::pixelAt(a->screen, 210, 540), 0u);
    EXPECT_EQ(arena::pixelAt(a->screen, 310, 540), 0xFFFFFFu);
    EXPECT_EQ(arena::pixelAt(a->screen, 319, 549), 0xFFFFFFu);
    const Uint32 halfWhite = arena::pixelAt(a->screen, 360, 540);
    EXPECT_GT(halfWhite, 0u);
    EXPECT_LT(halfWhite, 0xFFFFFFu);

    a->ammo[1] = 100;
    a->ammo[2] = -1;  // fired dry with nothing left: a faint icon
    drawHud(*a);
    EXPECT_EQ(a->images.ammo[1]->format->alpha, 255);
    EXPECT_EQ(a->images.ammo[2]->format->alpha,
              static_cast<int>((-1.0f / 50.0f * 0.8f + 0.2f) * 255.0f));
}

TEST(PanelAndIndicator, PanelFirstThenTheSelectedWeaponsIndicator) {
    Arena a;
    a->images.front = a.keep(arena::makeImage(800, 185, 0x303030));
    for (int w = 0; w < kWeaponCount; ++w) {
        a->images.indicator[w] = a.keep(arena::makeImage(12, 6, 0x100000u * (w + 1)));
    }
    a->images.health = a.keep(arena::makeImage(250, 30, arena::kGreen));
    a->player.weapon = 3;
    a->player.health = 50;
    drawHud(*a);
    EXPECT_EQ(arena::pixelAt(a->screen, 5, 414), 0u);
    EXPECT_EQ(arena::pixelAt(a->screen, 5, 415), 0x303030u);
    EXPECT_EQ(arena::pixelAt(a->screen, 310, 510), 0x400000u);
    EXPECT_EQ(arena::pixelAt(a->screen, 321, 515), 0x400000u);
    EXPECT_EQ(arena::pixelAt(a->screen, 260, 510), 0x303030u);  // weapon 2's place: panel only
    EXPECT_EQ(arena::pixelAt(a->screen, 490 + 98, 530), arena::kGreen);  // bar over the panel
    EXPECT_EQ(arena::pixelAt(a->screen, 490 + 99, 530), 0x303030u);
}

TEST(Hud, DrawsNothingWithoutImages) {
    Arena a;
    drawHud(*a);
    for (int y = 400; y < 600; y += 3) {
        ASSERT_EQ(litColumns(a->screen, y, 0, 799), 0);
    }
}
