// The enemy, explosion, collision and HUD passes inside the real frame, with no keys held.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "arena_fixture.h"
#include "game/frame.h"

using arena::Arena;

namespace {

/// Runs n frames with no key held, the clock at 20 ms a frame.
void runIdleFrames(GameState& state, int n, int& frame) {
    std::vector<Uint8> keys(SDLK_LAST, 0);
    for (int k = 0; k < n; ++k) {
        FrameInput input;
        input.keys = keys.data();
        input.ticks = static_cast<Uint32>(++frame) * 20;
        runFrame(state, input);
    }
}

}  // namespace

TEST(EnemyFrames, EnemiesAppearInTheFiftiethFrameAndHuntFromTheNext) {
    Arena a;
    a.giveSpriteImages();
    for (int e = 0; e < kEnemyCount; ++e) {
        a->enemies[e] = Ship{20.0f, 100.0f * e, 20.0f * e, 0.0f, 0.0f, 0.0f, 0, 0, 50, 0, 1, 0};
    }
    std::srand(11);
    int frame = 0;
    runIdleFrames(*a, 49, frame);
    for (const Ship& enemy : a->enemies) {
        EXPECT_EQ(enemy.respawnCountdown, 1);
        EXPECT_EQ(enemy.health, 0);
    }
    runIdleFrames(*a, 1, frame);
    for (const Ship& enemy : a->enemies) {
        EXPECT_EQ(enemy.respawnCountdown, 0);
        EXPECT_EQ(enemy.health, 50);
        EXPECT_EQ(enemy.vx, 0.0f);
    }
    std::vector<Ship> born(a->enemies.begin(), a->enemies.end());
    runIdleFrames(*a, 1, frame);
    for (int e = 0; e < kEnemyCount; ++e) {
        // Far from the player at (1000, 1000): every one is drawn in.
        const Ship& enemy = a->enemies[e];
        EXPECT_TRUE(enemy.x != born[e].x || enemy.y != born[e].y) << e;
    }
}

TEST(EnemyFrames, KillsInAFrameCompleteTheLevel) {
    Arena a({{30, 30}, {20, 20}});
    a.giveSpriteImages();
    a->killTarget = 2;
    a->enemies[0] = arena::livingEnemy(1, 300.0f, 300.0f);
    a->enemies[1] = arena::livingEnemy(2, 2500.0f, 300.0f);
    a->enemies[0].health = -1;
    a->enemies[1].health = -1;
    std::srand(5);
    int frame = 0;
    runIdleFrames(*a, 1, frame);
    // Both died in the enemy pass, the target was met and the level changed after the flip.
    EXPECT_EQ(a->levelIndex, 1);
    EXPECT_EQ(a->kills, 0);
    EXPECT_EQ(a->killTarget, 22);
    EXPECT_EQ(a->enemies[0].respawnCountdown, 50);
    EXPECT_EQ(a.liveShots(), 0);
}
