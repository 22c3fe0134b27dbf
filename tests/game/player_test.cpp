// The player's step through the real frame: firing rules, steering, the sprite's pivot and
// heading, the speed limit, wrapping, death and respawn and the caption. (The Camera's easing is
// pinned by tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

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
        w->player.weapon = c.weapon;
        w->ammo[c.weapon] = c.rounds;
        w->player.heading = 0.5f;
        w->player.vx = 30.0f;
        w->player.vy = 40.0f;
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
            EXPECT_NEAR(shot.x, 900.0 + 3 * shot.vx, 1e-3);
            EXPECT_NEAR(shot.y, 900.0 + 3 * shot.vy, 1e-3);
        }
        // Speed 50 becomes 32 in the same direction, then the ship moves.
        EXPECT_NEAR(w->player.vx, 19.2f, 1e-4);
        EXPECT_NEAR(w->player.vy, 25.6f, 1e-4);
        EXPECT_NEAR(w->player.y, 925.6f, 1e-3);
    }
    World w;  // the weapon keys 1..5: with several held the highest wins
    w.frame({SDLK_3});
    EXPECT_EQ(w->player.weapon, 2);
    w.frame({SDLK_1, SDLK_2, SDLK_5});
    EXPECT_EQ(w->player.weapon, 4);
}

TEST(PlayerFiring, HeldKeyFiresEveryEleventhFrameAndEveryFrameInRapidFire) {
    World w;
    std::vector<int> firedOn;
    for (int f = 1; f <= 45; ++f) {
        const int before = w->shots.next;
        w.frame({SDLK_RCTRL});
        if (w->shots.next != before) {
            firedOn.push_back(f);
        }
    }
    EXPECT_EQ(firedOn, (std::vector<int>{1, 12, 23, 34, 45}));

    // Rapid fire: every frame until 20000 ms after the pick-up, then the 200 ms rule again.
    w->player.weapon = 1;
    w->ammo[1] = 5;
    const int before = w->shots.next;
    for (int sinceMs : {0, 20, 19999, 20000}) {
        w->rapidFireTicks = static_cast<int>(w.ticks + 20) - sinceMs;
        w.frame({sinceMs == 0 ? SDLK_LCTRL : SDLK_SPACE});
    }
    EXPECT_EQ(w->shots.next - before, 3);
    EXPECT_EQ(w->ammo[1], 2);
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
        EXPECT_NEAR(p.vx, c.vx, 1e-5) << "pose " << c.pose;
        EXPECT_NEAR(p.vy, c.vy, 1e-5) << "pose " << c.pose;
        // The sprite box is blitted where the Camera was before this frame's follow; the pivot
        // lies 66 pixels into it.
        const int x = static_cast<int>(w->playerPicturePos.x - 66.0 - camera.x) + 66;
        const int y = static_cast<int>(w->playerPicturePos.y - 66.0 - camera.y) + 66;
        EXPECT_EQ(play::pixel(w->screen, x, y), play::kShipColour[c.pose]) << "pose " << c.pose;
    }
}

TEST(PlayerSprite, ThePivotLandsOnTheShipsPlaceAndTheNoseLeadsAlongTheHeading) {
    // A ship picture with a marked pivot (45, 52) and a marked nose 47 pixels above it.
    constexpr Uint32 kPivot = 0xFE0102, kNose = 0x0102FE;
    for (float heading : {0.0f, 1.0f, 2.5f, -2.0f}) {
        World w;
        SDL_Surface* ship = w.keep(play::image(90, 103, play::kShipColour[0]));
        SDL_Rect pivot{44, 51, 3, 3}, nose{43, 3, 5, 5};
        SDL_FillRect(ship, &pivot, 0xFF000000 | kPivot);
        SDL_FillRect(ship, &nose, 0xFF000000 | kNose);
        w->images.ship[0] = ship;
        w->player.heading = heading;
        w.frame();
        const SDL_Rect camera = w->camera;
        w.frame();
        double sum[2][3] = {};  // per colour: x, y, count
        for (int y = 0; y < 415; ++y) {
            for (int x = 0; x < 800; ++x) {
                const Uint32 c = play::pixel(w->screen, x, y);
                for (int k : {0, 1}) {
                    if (c == (k == 0 ? kPivot : kNose)) {
                        sum[k][0] += x, sum[k][1] += y, sum[k][2] += 1;
                    }
                }
            }
        }
        ASSERT_TRUE(sum[0][2] > 0 && sum[1][2] > 0) << "heading " << heading;
        const double px = sum[0][0] / sum[0][2], py = sum[0][1] / sum[0][2];
        EXPECT_NEAR(px, int(w->playerPicturePos.x - 66.0 - camera.x) + 66 + 0.5, 1.5) << heading;
        EXPECT_NEAR(py, int(w->playerPicturePos.y - 66.0 - camera.y) + 66, 1.5) << heading;
        EXPECT_NEAR(sum[1][0] / sum[1][2] - px, 47 * std::sin(heading), 2.0) << heading;
        EXPECT_NEAR(sum[1][1] / sum[1][2] - py, 47 * std::cos(heading), 2.0) << heading;
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
        EXPECT_FLOAT_EQ(p.x, c.wrappedX);
        EXPECT_FLOAT_EQ(p.y, c.wrappedY);
    }
    w.frames(5);  // no friction: a drifting ship keeps its velocity
    EXPECT_FLOAT_EQ(p.vy, -5.0f);
}

TEST(PlayerLife, ZeroHealthLivesMinusOneDiesAndComesBackAfterOneHundredFrames) {
    World w;
    w->player.health = 0;
    w.frame();
    EXPECT_EQ(w->player.respawnCountdown, 0);

    w->player.health = -1;
    w->player.vx = 3.0f;
    const std::vector<int> draws = play::drawsAfter(77, 1);
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
    Ship dead = play::ship(0, 903.0f, 900.0f, -1, 3.0f);  // not moved, not steered, no shots
    dead.heading = 0.1f;                                  // the turn of the dying frame
    dead.respawnCountdown = 1;
    dead.weapon = 1;
    EXPECT_EQ(play::fields(w->player), play::fields(dead));
    EXPECT_EQ(w.liveShots(), 0);
    EXPECT_EQ(std::make_pair(w->camera.x, w->camera.y), std::make_pair(camera.x, camera.y));

    w->player.weapon = 3;
    w->ammo[3] = 7;
    w->player.heading = 2.0f;
    w->player.vy = -4.0f;
    w.frame();  // the hundredth dead frame: reborn at the start, weapon and ammunition kept
    Ship reborn = play::ship(0, 900.0f, 900.0f, 100);
    reborn.weapon = 3;
    EXPECT_EQ(play::fields(w->player), play::fields(reborn));
    EXPECT_EQ(w->ammo[3], 7);
    w->kills = 4;
    w.frame();
    EXPECT_STREQ(w->caption, " health:100 Kills: 4");  // the window shows it (real-window test)
}

