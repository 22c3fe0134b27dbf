// The level change: what it resets, what it keeps, and the cycle through the LevelSet.
#include <gtest/gtest.h>

#include <chrono>

#include "game/level_change.h"
#include "world.h"

using play::World;

namespace {

/// A state in the middle of a level: kills at the target, ammunition, live shots and blasts.
void playSomeLevel(GameState& state) {
    state.kills = state.killTarget;
    state.ammo = {0, 40, 3, 120, 5};
    state.player.weapon = 2;
    state.player.health = 37;
    state.rapidFireTicks = 5000;
    state.camera.x = 321;
    state.camera.y = -45;
    state.shots.live.fill(1);
    state.shots.next = 123;
    state.explosions.live.fill(1);
    state.explosions.next = 7;
    for (int e = 0; e < kEnemyCount; ++e) {
        state.enemies[e].respawnCountdown = e * 10;  // some alive, some dead
    }
}

}  // namespace

TEST(LevelChange, ResetsCountersRingsAndShipsAndKeepsTheRest) {
    World a({{30, 30}, {12, 9}});
    a.arena();
    playSomeLevel(*a);
    advanceLevel(*a);

    EXPECT_EQ(a->levelIndex, 1);
    EXPECT_EQ(a->currentLattice, a->levels->lattices[1].get());
    EXPECT_EQ(a->killTarget, 50);
    EXPECT_EQ(a->kills, 0);
    for (int w = 0; w < kWeaponCount; ++w) {
        EXPECT_EQ(a->ammo[w], 0);
    }
    EXPECT_EQ(a->player.respawnCountdown, 2);
    for (const Ship& enemy : a->enemies) {
        EXPECT_EQ(enemy.respawnCountdown, 50);
    }
    for (uint8_t live : a->shots.live) {
        ASSERT_EQ(live, 0);
    }
    for (uint8_t live : a->explosions.live) {
        ASSERT_EQ(live, 0);
    }
    EXPECT_EQ(a.liveShots(), 0);

    // Kept as they were.
    EXPECT_EQ(a->player.weapon, 2);
    EXPECT_EQ(a->player.health, 37);  // restored by the respawn, two frames later
    EXPECT_EQ(a->rapidFireTicks, 5000);
    EXPECT_EQ(a->camera.x, 321);
    EXPECT_EQ(a->camera.y, -45);
    EXPECT_EQ(a->shots.next, 123);
    EXPECT_EQ(a->explosions.next, 7);
}

TEST(LevelChange, LevelsCycleKeepingTheirBendsAndTargetsGrowByTwenty) {
    World a({{30, 30}, {12, 9}, {20, 20}});
    a.arena();
    Lattice& first = *a->levels->lattices[0];
    first.setNodePosition(4, 5, 170.0f, 222.0f);  // a black hole's bend
    first.refitAll();
    const int targets[] = {50, 70, 90, 110};
    const int indices[] = {1, 2, 0, 1};
    for (int change = 0; change < 4; ++change) {
        a->kills = a->killTarget;
        advanceLevel(*a);
        EXPECT_EQ(a->levelIndex, indices[change]);
        EXPECT_EQ(a->currentLattice, a->levels->lattices[indices[change]].get());
        EXPECT_EQ(a->killTarget, targets[change]);
        if (indices[change] == 0) {
            float x = 0.0f;
            float y = 0.0f;
            a->currentLattice->mapPoint(4.0f, 5.0f, x, y, true, true);
            EXPECT_EQ(x, 170.0f);
            EXPECT_EQ(y, 222.0f);
        }
    }
    World one;  // a set of one level plays the same Lattice again
    one.arena();
    Lattice* only = one->currentLattice;
    advanceLevel(*one);
    EXPECT_EQ(one->levelIndex, 0);
    EXPECT_EQ(one->currentLattice, only);
}

TEST(LevelChange, ShowsTheLevelUpImageWaitsAndRedrawsThePlayfield) {
    World a;
    a.arena();
    a->pacing.levelUpWaitMs = 60;
    a->images.levelUp = a.keep(play::image(300, 200, 0xABCDEF));
    SDL_FillRect(a->playfield, nullptr, 0xFF123456);
    a->drawnCellX = 0;
    a->drawnCellY = 0;
    const auto start = std::chrono::steady_clock::now();
    advanceLevel(*a);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 55);
    EXPECT_EQ(play::pixel(a->screen, 1, 1), 0xABCDEFu);
    EXPECT_EQ(play::pixel(a->screen, 299, 199), 0xABCDEFu);
    EXPECT_EQ(play::pixel(a->screen, 300, 200), 0u);
    // The marker colour is gone: the Playfield was cleared and the Lattice drawn again.
    bool marker = false;
    bool drawn = false;
    for (int y = 0; y < 1000; y += 5) {
        for (int x = 0; x < 1200; x += 5) {
            const Uint32 p = play::pixel(a->playfield, x, y);
            marker = marker || p == 0x123456u;
            drawn = drawn || p != 0u;
        }
    }
    EXPECT_FALSE(marker);
    EXPECT_TRUE(drawn);
}
