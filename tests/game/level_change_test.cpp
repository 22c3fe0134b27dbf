// The level change: what it resets, what it keeps, and the cycle through the LevelSet.
#include <gtest/gtest.h>

#include <chrono>

#include "game/level_change.h"
#include "world.h"

using play::World;

TEST(LevelChange, LevelsCycleKeepingBendsResettingCountersRingsAndShipsTargetsGrowByTwenty) {
    World a(play::kArena, {{30, 30}, {12, 9}, {20, 20}});
    Lattice& first = *a->levels->lattices[0];
    first.setNodePosition(4, 5, 170.0f, 222.0f);  // a black hole's bend
    first.refitAll();
    const int targets[] = {50, 70, 90, 110};
    const int indices[] = {1, 2, 0, 1};
    for (int change = 0; change < 4; ++change) {
        // The middle of a level: kills at the target, ammunition, live shots and blasts.
        GameState& s = *a;
        s.kills = s.killTarget;
        s.ammo = {0, 40, 3, 120, 5};
        s.player.weapon = 2, s.player.health = 37;
        s.rapidFireTicks = 5000 + change;
        s.camera.x = 321, s.camera.y = -45;
        s.shots.live.fill(1), s.shots.next = 123;
        s.explosions.live.fill(1), s.explosions.next = 7;
        for (int e = 0; e < kEnemyCount; ++e) {
            s.enemies[e].respawnCountdown = e * 10;  // some alive, some dead
        }
        advanceLevel(s);
        EXPECT_EQ(s.levelIndex, indices[change]);
        EXPECT_EQ(s.currentLattice, s.levels->lattices[indices[change]].get());
        EXPECT_EQ(std::make_pair(s.killTarget, s.kills), std::make_pair(targets[change], 0));
        EXPECT_EQ(s.ammo, (std::array<int, kWeaponCount>{}));
        EXPECT_EQ(s.player.respawnCountdown, 2);
        for (const Ship& enemy : s.enemies) {
            EXPECT_EQ(enemy.respawnCountdown, 50);
        }
        EXPECT_EQ(a.liveShots(), 0);
        EXPECT_EQ(std::count(s.explosions.live.begin(), s.explosions.live.end(), 1), 0);
        // Kept as they were; the health is restored by the respawn, two frames later.
        EXPECT_EQ(std::make_tuple(s.player.weapon, s.player.health, s.rapidFireTicks, s.camera.x,
                                  s.camera.y, s.shots.next, s.explosions.next),
                  std::make_tuple(2, 37, 5000 + change, 321, -45, 123, 7));
    }
    EXPECT_EQ(std::make_pair(first.node(4, 5).x, first.node(4, 5).y),
              std::make_pair(170.0f, 222.0f));
}

TEST(LevelChange, ShowsTheLevelUpImageWaitsAndRedrawsThePlayfield) {
    World a(play::kArena);
    a->pacing.levelUpWaitMs = 60;
    a->images.levelUp = a.keep(play::image(300, 200, 0xABCDEF));
    SDL_FillRect(a->playfield, nullptr, 0xFF123456);
    a->drawnCellX = a->drawnCellY = 0;
    const auto start = std::chrono::steady_clock::now();
    advanceLevel(*a);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 55);
    EXPECT_EQ(play::pixel(a->screen, 1, 1), 0xABCDEFu);
    EXPECT_EQ(play::pixel(a->screen, 299, 199), 0xABCDEFu);
    EXPECT_EQ(play::pixel(a->screen, 300, 200), 0u);
    // The marker is gone: the Playfield was cleared, the Lattice redrawn (node column 1 at x = 40).
    EXPECT_EQ(play::pixel(a->playfield, 20, 20), 0u);
    EXPECT_EQ(play::pixel(a->playfield, 1150, 950), 0u);
    EXPECT_NE(play::pixel(a->playfield, 40, 100), 0u);
}
