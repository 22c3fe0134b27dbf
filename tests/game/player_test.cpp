// The player's step through the real frame: firing rules, steering, the speed limit, wrapping,
// death and respawn, the caption and the Camera.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "play_world.h"

using play::World;

namespace {

/// The screen pixel under the player's pivot: the sprite box is blitted at the box that the
/// Camera had before this frame's follow, and the pivot lies 66 pixels into it.
Uint32 pivotPixel(World& w, const SDL_Rect& cameraBefore) {
    const int x = static_cast<int>(w->playerPicturePos.x - 66.0 - cameraBefore.x) + 66;
    const int y = static_cast<int>(w->playerPicturePos.y - 66.0 - cameraBefore.y) + 66;
    return play::pixel(w->screen, x, y) & 0x00FFFFFF;
}

std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int n = 0; n < count; ++n) {
        draws.push_back(std::rand());
    }
    std::srand(seed);
    return draws;
}

}  // namespace

TEST(PlayerFiring, FirstShotIsASimpleShotThatLeavesLaserAmmoAtMinusOne) {
    World w;
    w.parkEnemies();
    ASSERT_EQ(w->player.weapon, 1);
    w.frame({SDLK_SPACE});
    EXPECT_EQ(w->ammo[1], -1);
    EXPECT_EQ(w->player.weapon, 0);
    ASSERT_EQ(w.liveShots(), 1);
    const Shot& shot = w->shots.shots[0];
    EXPECT_EQ(shot.kind, SimpleShot);
    EXPECT_EQ(shot.age, 1);  // already moved once in the same frame's shot pass
    EXPECT_FLOAT_EQ(shot.vx, 0.0f);
    EXPECT_FLOAT_EQ(shot.vy, 20.0f);
    EXPECT_FLOAT_EQ(shot.x, 900.0f);
    EXPECT_FLOAT_EQ(shot.y, 900.0f + 2 * 20.0f + 20.0f);  // two steps ahead, then one step
    EXPECT_EQ(w->lastFireTicks, static_cast<int>(w.ticks));
}

TEST(PlayerFiring, HeldKeyFiresEveryEleventhFrameAndEveryFrameInRapidFire) {
    World w;
    w.parkEnemies();
    std::vector<int> firedOn;
    for (int f = 1; f <= 45; ++f) {
        const int before = w->shots.next;
        w.frame({SDLK_RCTRL});
        if (w->shots.next != before) {
            firedOn.push_back(f);
        }
    }
    EXPECT_EQ(firedOn, (std::vector<int>{1, 12, 23, 34, 45}));

    // Rapid fire: every frame, and every shot still costs a round.
    w->player.weapon = 1;
    w->ammo[1] = 5;
    w->rapidFireTicks = static_cast<int>(w.ticks);
    const int before = w->shots.next;
    w.frames(3, {SDLK_LCTRL});
    EXPECT_EQ(w->shots.next - before, 3);
    EXPECT_EQ(w->ammo[1], 2);
    EXPECT_EQ(w->shots.shots[before].kind, PurpleLaser);

    // 20000 ms after the pick-up the interval is back.
    w->rapidFireTicks = static_cast<int>(w.ticks + 20) - 19999;
    w.frame({SDLK_SPACE});  // 19999 ms after: still rapid
    EXPECT_EQ(w->shots.next - before, 4);
    w->rapidFireTicks = static_cast<int>(w.ticks + 20) - 20000;
    w.frame({SDLK_SPACE});  // exactly 20000 ms: the 200 ms rule again, 20 ms after the last
    EXPECT_EQ(w->shots.next - before, 4);
}

TEST(PlayerFiring, LastRoundFiresASimpleShotAndFallsBackToWeaponZero) {
    World w;
    w.parkEnemies();
    w->player.weapon = 2;
    w->ammo[2] = 1;
    w.frame({SDLK_SPACE});
    EXPECT_EQ(w->ammo[2], 0);
    EXPECT_EQ(w->player.weapon, 0);
    EXPECT_EQ(w->shots.shots[0].kind, SimpleShot);
    w->ammo[2] = 2;
    w.frame({SDLK_3});  // selects weapon 2
    EXPECT_EQ(w->player.weapon, 2);
    w.frames(10, {SDLK_SPACE});
    EXPECT_EQ(w->ammo[2], 1);
    EXPECT_EQ(w->player.weapon, 2);
    EXPECT_EQ(w->shots.shots[1].kind, TripleBomb);
    w.frame({SDLK_1, SDLK_2, SDLK_5});  // the highest held key wins
    EXPECT_EQ(w->player.weapon, 4);
}

TEST(PlayerFiring, SwarmFiresThreeShotsEachWithItsOwnOffset) {
    World w;
    w.parkEnemies();
    w->player.weapon = 3;
    w->ammo[3] = 10;
    w->player.heading = 0.5f;
    const std::vector<int> draws = drawsAfter(1234, 3);
    w.frame({SDLK_SPACE});
    EXPECT_EQ(w->ammo[3], 9);  // one round per volley
    ASSERT_EQ(w.liveShots(), 3);
    for (int n = 0; n < 3; ++n) {
        const Shot& shot = w->shots.shots[n];
        const float offset = static_cast<float>(draws[n] % 20 - 10) / 40.0f;
        EXPECT_EQ(shot.kind, Swarm);
        EXPECT_FLOAT_EQ(shot.heading, 0.5f);  // the ship's heading, without the offset
        EXPECT_NEAR(shot.vx, 20.0 * std::sin(0.5 + offset), 1e-4);
        EXPECT_NEAR(shot.vy, 20.0 * std::cos(0.5 + offset), 1e-4);
        EXPECT_NEAR(shot.x, 900.0 + 3 * shot.vx, 1e-3);
    }
}

TEST(PlayerFiring, ShotInheritsTheVelocityFromBeforeTheSpeedLimit) {
    World w;
    w.parkEnemies();
    w->player.vy = 40.0f;
    w.frame({SDLK_SPACE});
    const Shot& shot = w->shots.shots[0];
    EXPECT_FLOAT_EQ(shot.vy, 60.0f);
    EXPECT_FLOAT_EQ(shot.y, 900.0f + 2 * 60.0f + 60.0f);
    EXPECT_FLOAT_EQ(w->player.vy, 32.0f);
    EXPECT_FLOAT_EQ(w->player.y, 932.0f);

    w->player.vx = 30.0f;
    w->player.vy = 40.0f;  // speed 50 becomes 32 in the same direction
    w.frame();
    EXPECT_NEAR(w->player.vx, 19.2f, 1e-4);
    EXPECT_NEAR(w->player.vy, 25.6f, 1e-4);
}

TEST(PlayerSteering, ArrowsTurnThrustAndStrafeAndPickThePose) {
    World w;
    w.parkEnemies();
    w.frame({SDLK_LEFT});
    EXPECT_FLOAT_EQ(w->player.heading, 0.1f);
    w.frame({SDLK_LEFT, SDLK_RIGHT});  // both act, one after the other
    EXPECT_NEAR(w->player.heading, 0.1f, 1e-7);
    EXPECT_FLOAT_EQ(w->player.vx, 0.0f);

    w->player.heading = 0.0f;
    w.frame({SDLK_UP});
    EXPECT_FLOAT_EQ(w->player.vy, 1.0f);
    w.frame({SDLK_DOWN});
    EXPECT_FLOAT_EQ(w->player.vy, 0.0f);
    w.frame({SDLK_RSHIFT, SDLK_LEFT});  // strafe towards (cos h, −sin h)
    EXPECT_FLOAT_EQ(w->player.vx, 1.0f);
    EXPECT_FLOAT_EQ(w->player.heading, 0.0f);

    struct Case {
        std::initializer_list<SDLKey> keys;
        int pose;
    };
    const Case cases[] = {
        {{}, 0},
        {{SDLK_LEFT}, 1},
        {{SDLK_RIGHT}, 2},
        {{SDLK_LEFT, SDLK_RIGHT}, 2},
        {{SDLK_UP}, 3},
        {{SDLK_UP, SDLK_LEFT}, 4},
        {{SDLK_UP, SDLK_RIGHT}, 5},
        {{SDLK_RSHIFT, SDLK_RIGHT}, 2},  // strafing shows the turning picture
        {{SDLK_DOWN}, 0},
    };
    for (const Case& c : cases) {
        w->player.vx = w->player.vy = 0.0f;
        const SDL_Rect before = w->camera;
        w.frame(c.keys);
        EXPECT_EQ(pivotPixel(w, before), play::kShipColour[c.pose]) << "pose " << c.pose;
    }
}

TEST(PlayerMotion, WrapsAtTheArenaSizeWhichIsOneCellLessThanTheNodes) {
    World w({{30, 20}});  // W = 2900, H = 1900 world units
    w.parkEnemies();
    Ship& p = w->player;
    auto step = [&](float x, float y, float vx, float vy) {
        p.x = x;
        p.y = y;
        p.vx = vx;
        p.vy = vy;
        w.frame();
    };
    step(2890.0f, 500.0f, 15.0f, 0.0f);
    EXPECT_FLOAT_EQ(p.x, 5.0f);
    step(5.0f, 500.0f, -10.0f, 0.0f);
    EXPECT_FLOAT_EQ(p.x, 2895.0f);
    step(2890.0f, 500.0f, 10.0f, 0.0f);
    EXPECT_FLOAT_EQ(p.x, 2900.0f);  // exactly on the seam stays there
    step(500.0f, 1890.0f, 0.0f, 15.0f);
    EXPECT_FLOAT_EQ(p.y, 5.0f);
    step(500.0f, 3.0f, 0.0f, -5.0f);
    EXPECT_FLOAT_EQ(p.y, 1898.0f);
    // No friction: a drifting ship keeps its velocity.
    w.frames(5);
    EXPECT_FLOAT_EQ(p.vy, -5.0f);
}

TEST(PlayerLife, ZeroHealthLivesMinusOneDiesAndComesBackAfterOneHundredFrames) {
    World w;
    w.parkEnemies();
    w->player.health = 0;
    w.frame();
    EXPECT_EQ(w->player.respawnCountdown, 0);

    w->player.health = -1;
    w->player.vx = 3.0f;
    const std::vector<int> draws = drawsAfter(77, 1);
    w.frame({SDLK_LEFT});
    EXPECT_EQ(w->player.respawnCountdown, 100);
    EXPECT_EQ(w->explosions.live[0], 1);
    EXPECT_EQ(w->explosions.explosions[0].kind, LargeExplosion);
    EXPECT_FLOAT_EQ(w->explosions.explosions[0].x, 903.0f);
    EXPECT_EQ(w.liveShots(), draws[0] % 4 + 3);  // the debris
    EXPECT_STREQ(w->caption, " health:-1 Kills: 0");
    const SDL_Rect camera = w->camera;
    w->shots.live.fill(0);

    w.frames(99, {SDLK_UP, SDLK_SPACE});
    EXPECT_EQ(w->player.respawnCountdown, 1);
    EXPECT_EQ(w->player.health, -1);
    EXPECT_FLOAT_EQ(w->player.x, 903.0f);  // not moved, not steered, no shots
    EXPECT_EQ(w.liveShots(), 0);
    EXPECT_EQ(w->camera.x, camera.x);
    EXPECT_EQ(w->camera.y, camera.y);
    EXPECT_STREQ(w->caption, " health:-1 Kills: 0");

    w->player.weapon = 3;
    w->ammo[3] = 7;
    w.frame();  // the hundredth dead frame: reborn
    EXPECT_EQ(w->player.respawnCountdown, 0);
    EXPECT_EQ(w->player.health, 100);
    EXPECT_FLOAT_EQ(w->player.x, 900.0f);
    EXPECT_FLOAT_EQ(w->player.y, 900.0f);
    EXPECT_FLOAT_EQ(w->player.vx, 0.0f);
    EXPECT_FLOAT_EQ(w->player.heading, 0.0f);
    EXPECT_EQ(w->player.weapon, 3);
    EXPECT_EQ(w->ammo[3], 7);
    w.frame();
    EXPECT_STREQ(w->caption, " health:100 Kills: 0");
}

TEST(PlayerCaption, ShowsHealthAndKillsWithTheIconNameFoo) {
    World w;
    w.parkEnemies();
    w->player.health = 73;
    w->kills = 4;
    w.frame();
    EXPECT_STREQ(w->caption, " health:73 Kills: 4");
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, " health:73 Kills: 4");
    EXPECT_STREQ(icon, "foo");
}

TEST(PlayerCamera, EasesAFifthOfTheWayAndStopsWithinFivePixels) {
    World w;
    w.parkEnemies();
    // The player's picture position on a default Lattice is (360, 360).
    w.frame();
    EXPECT_EQ(w->camera.x, -21);  // (360 − 66 − 0 − 400) / 5 = −106 / 5
    EXPECT_EQ(w->camera.y, 8);    // (360 − 66 − 0 − 250) / 5 = 44 / 5
    w.frame();
    EXPECT_EQ(w->camera.x, -21 + (360 - 66 + 21 - 400) / 5);
    EXPECT_EQ(w->camera.y, 8 + (360 - 66 - 8 - 250) / 5);
    w.frames(60);
    const int restX = 360 - 66 - w->camera.x - 400;
    const int restY = 360 - 66 - w->camera.y - 250;
    EXPECT_LT(std::abs(restX), 5);
    EXPECT_LT(std::abs(restY), 5);
    const SDL_Rect still = w->camera;
    w.frame();
    EXPECT_EQ(w->camera.x, still.x);
    EXPECT_EQ(w->camera.y, still.y);
    EXPECT_EQ(w->camera.w, 800);
    EXPECT_EQ(w->camera.h, 600);
}
