// The player's step through the real frame: each weapon's volley, rapid fire, steering and the
// pose, the speed limit, wrapping and the caption. (The Camera's easing, the sprite's pivot and
// turn, the 200 ms fire interval, the weapon keys, death and respawn are pinned by the pictures
// and state digests of tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cmath>

#include "world.h"

using play::World;

TEST(PlayerFiring, EachWeaponSpendsARoundTheLastFiresASimpleShotAndTheShipIsCappedAfter) {
    // The count is lowered before it is tested: the last round, and none at all, fire a
    // SimpleShot. The swarm fires three shots, each with its own offset, for one round.
    struct Case {
        int weapon, rounds, left, after, kind;
    };
    const Case cases[] = {{1, 0, -1, 0, SimpleShot},
                          {2, 1, 0, 0, SimpleShot},
                          {2, 2, 1, 2, TripleBomb},
                          {3, 10, 9, 3, Swarm}};
    for (const Case& c : cases) {
        World w;
        w->player.weapon = c.weapon, w->ammo[c.weapon] = c.rounds;
        w->player.heading = 0.5f, w->player.vx = 30.0f, w->player.vy = 40.0f;
        w.frame({SDLK_SPACE});
        EXPECT_EQ(std::make_pair(w->ammo[c.weapon], w->player.weapon),
                  std::make_pair(c.left, c.after));
        ASSERT_EQ(w.liveShots(), c.kind == Swarm ? 3 : 1) << c.weapon;
        for (int n = 0; n < w.liveShots(); ++n) {
            // 20 along the heading (the swarm's turned by up to a quarter) on top of the ship's
            // velocity before the speed limit; two steps ahead, then one in the shot pass.
            const Shot& shot = w->shots.shots[n];
            const double rx = shot.vx - 30.0, ry = shot.vy - 40.0, off = std::atan2(rx, ry) - 0.5;
            EXPECT_EQ(std::make_pair(shot.kind, shot.heading), std::make_pair(c.kind, 0.5f));
            EXPECT_NEAR(std::hypot(rx, ry), 20.0, 1e-4);
            EXPECT_TRUE(c.kind == Swarm ? off > -0.251 && off < 0.226 : std::fabs(off) < 1e-5);
            EXPECT_LT(std::hypot(shot.x - 900 - 3 * shot.vx, shot.y - 900 - 3 * shot.vy), 1.5e-3);
        }
        // Speed 50 becomes 32 in the same direction, then the ship moves.
        EXPECT_LT(std::hypot(w->player.vx - 19.2f, w->player.vy - 25.6f), 1e-4);
        EXPECT_NEAR(w->player.y, 925.6f, 1e-3);
    }
}

TEST(PlayerFiring, RapidFireFiresEveryFrameUntil20000MsAfterThePickUp) {
    World w;
    w.frame({SDLK_RCTRL});  // a shot now: the 200 ms rule holds back the next ones
    w->player.weapon = 1, w->ammo[1] = 5;
    const int before = w->shots.next;
    for (int sinceMs : {0, 20, 19999, 20000}) {
        w->rapidFireTicks = static_cast<int>(w.ticks + 20) - sinceMs;
        w.frame({sinceMs == 0 ? SDLK_LCTRL : SDLK_SPACE});
    }
    EXPECT_EQ(std::make_pair(w->shots.next - before, w->ammo[1]), std::make_pair(3, 2));
    EXPECT_EQ(w->shots.shots[before].kind, PurpleLaser);
}

TEST(PlayerSteering, ArrowsTurnThrustAndStrafeAndPickThePose) {
    struct Case {
        std::initializer_list<SDLKey> keys;
        float heading, vx, vy;
        int pose;
        float start = 0.0f;  ///< heading before the frame
    };
    const Case cases[] = {
        {{}, 0.0f, 0.0f, 0.0f, 0},
        {{SDLK_LEFT}, 0.1f, 0.0f, 0.0f, 1},
        {{SDLK_RIGHT}, -0.1f, 0.0f, 0.0f, 2},
        {{SDLK_LEFT, SDLK_RIGHT}, 0.0f, 0.0f, 0.0f, 2},  // both act, one after the other
        {{SDLK_UP}, 0.0f, 0.0f, 1.0f, 3},
        {{SDLK_UP, SDLK_LEFT}, 0.1f, std::sin(0.1f), std::cos(0.1f), 4},
        {{SDLK_UP, SDLK_RIGHT}, -0.1f, -std::sin(0.1f), std::cos(0.1f), 5},
        {{SDLK_DOWN}, 0.0f, 0.0f, -1.0f, 0},
        {{SDLK_RSHIFT, SDLK_LEFT}, 0.0f, 1.0f, 0.0f, 1},    // strafe towards (cos h, −sin h)
        {{SDLK_RSHIFT, SDLK_RIGHT}, 0.0f, -1.0f, 0.0f, 2},  // strafing shows the turning picture
        {{SDLK_RSHIFT, SDLK_RIGHT}, 0.5f, -std::cos(0.5f), std::sin(0.5f), 2, 0.5f},
    };
    for (const Case& c : cases) {
        World w;
        w->player.heading = c.start;
        w.frame();  // the sprite is drawn where the previous frame mapped the ship
        const SDL_Rect camera = w->camera;
        w.frame(c.keys);
        const Ship& p = w->player;
        EXPECT_NEAR(p.heading, c.heading, 1e-6) << "pose " << c.pose;
        EXPECT_LT(std::hypot(p.vx - c.vx, p.vy - c.vy), 1.5e-5) << "pose " << c.pose;
        // The sprite box is blitted where the Camera was before this frame's follow, pivot 66 in.
        const int x = static_cast<int>(w->playerPicturePos.x - 66.0 - camera.x) + 66;
        const int y = static_cast<int>(w->playerPicturePos.y - 66.0 - camera.y) + 66;
        EXPECT_EQ(play::pixel(w->screen, x, y), play::kShipColour[c.pose]) << "pose " << c.pose;
    }
}

TEST(PlayerMotion, WrapsAtTheArenaSizeWhichIsOneCellLessThanTheNodes) {
    World w({{30, 20}});  // W = 2900, H = 1900 world units
    struct Case {
        float x, y, vx, vy, wrappedX, wrappedY;
    };
    const Case cases[] = {{2890, 500, 15, 0, 5, 500},
                          {5, 500, -10, 0, 2895, 500},
                          {2890, 500, 10, 0, 2900, 500},  // exactly on the seam stays there
                          {500, 1890, 0, 15, 500, 5},
                          {500, 3, 0, -5, 500, 1898}};
    Ship& p = w->player;
    for (const Case& c : cases) {
        p.x = c.x, p.y = c.y, p.vx = c.vx, p.vy = c.vy;
        w.frame();
        EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(c.wrappedX, c.wrappedY));
    }
    w.frames(5);  // no friction: a drifting ship keeps its velocity
    EXPECT_FLOAT_EQ(p.vy, -5.0f);
    p.health = -1, w->kills = 4;
    w.frame();
    EXPECT_STREQ(w->caption, " health:-1 Kills: 4");  // written before the ship dies
}
