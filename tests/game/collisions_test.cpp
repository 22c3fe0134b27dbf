// Shot hits, ship bounces, the collision pass and enemy kills. On the default Lattice a world
// velocity v is the picture velocity 40·v, which the expected values below are worked from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/collisions.h"
#include "world.h"

using play::World;

TEST(ShotHit, DamageIsTheRelativePictureImpactInWholeStepsTruncated) {
    // On the default Lattice |r·sv| = (40·relative speed)·(40·shot speed): below 1000000 nothing,
    // otherwise one step of the kind's damage per million, and the health truncates to an int.
    struct Case {
        int kind;
        float shotVx, shipVx;
        int health, after;
    };
    const Case cases[] = {
        {SimpleShot, 10, 0, 50, 50},    // 400²: a slow hit costs nothing
        {SimpleShot, 30, 0, 50, 49},    // 1200²: one step of 0.7, 49.3 → 49
        {SimpleShot, 30, 0, 0, 0},      // −0.7 truncates to 0: still alive
        {PurpleLaser, 60, 0, 50, 43},   // 2400²: five steps of 1.4
        {Shrapnel4, 30, 30, 50, 50},    // a ship flying with the shot feels nothing
        {Shrapnel4, 30, -30, 50, 48},   // one flying into it: two steps of 0.8
        {SimpleShot, 1200, 0, 50, -1},  // far beyond a 32-bit int: hurts, does not wrap
        {TripleBomb, 5, 0, 50, 30},     // a slow bomb: only its blast of 20
    };
    for (const Case& c : cases) {
        World a(play::kArena);
        Ship target = play::ship(0, 1000.0f, 1000.0f, c.health, c.shipVx);
        a->explosions.next = 4;
        a->shots.shots[0] = Shot{1010.0f, 990.0f, 0.0f, c.shotVx, 0.0f, 0.0f, c.kind, 5};
        a->shots.live[0] = 1;
        applyShotHit(*a, 0, target);
        if (c.after < 0) {
            EXPECT_LT(target.health, 0);
        } else {
            EXPECT_EQ(target.health, c.after) << c.kind << " at " << c.shotVx;
        }
        EXPECT_EQ(a->shots.live[0], 0);
        // A bomb shows a small explosion in the ring's next slot, from age 0 not the shot's 5.
        EXPECT_EQ(a->explosions.next, c.kind == TripleBomb ? 5 : 4);
        const Explosion& blast = a->explosions.explosions[4];
        EXPECT_EQ(std::make_tuple(a->explosions.live[4], blast.kind, blast.age, blast.x, blast.y),
                  c.kind == TripleBomb
                      ? std::make_tuple(Uint8{1}, int{SmallExplosion}, 0, 1010.0f, 990.0f)
                      : std::make_tuple(Uint8{0}, 0, 0, 0.0f, 0.0f));
    }
}

TEST(Bounce, EachShipTakesTheOthersVelocityPerAxisAndLosesAThirdOfTheChangeSquared) {
    // Random velocities of two ships on the default Lattice: along the local axes (40, 0) and
    // (0, 40) each takes 40·(40·v) / (40² + 1) of the other's.
    const Lattice lattice(30, 30);
    const double f = 1600.0 / 1601.0;
    std::srand(5);
    for (int n = 0; n < 40; ++n) {
        double v[4];
        for (double& value : v) {
            value = (std::rand() % 81 - 40) / 4.0;
        }
        Ship first = play::ship(0, 1000.0f, 1000.0f, 100, v[0], v[1]);
        Ship second = play::ship(0, 1050.0f, 1000.0f, 50, v[2], v[3]);
        bounceShips(lattice, first, second);
        EXPECT_NEAR(first.vx, v[2] * f, 1e-4);
        EXPECT_NEAR(first.vy, v[3] * f, 1e-4);
        EXPECT_NEAR(second.vx, v[0] * f, 1e-4);
        EXPECT_NEAR(second.vy, v[1] * f, 1e-4);
        const double lossFirst = (std::pow(v[0] - v[2] * f, 2) + std::pow(v[1] - v[3] * f, 2));
        const double lossSecond = (std::pow(v[2] - v[0] * f, 2) + std::pow(v[3] - v[1] * f, 2));
        EXPECT_NEAR(first.health, std::trunc(100.0 - lossFirst / 3.0), 1.0);
        EXPECT_NEAR(second.health, std::trunc(50.0 - lossSecond / 3.0), 1.0);
    }
}

TEST(CollisionPass, PlayerContactBouncesJoltsTheCameraAndComesFirst) {
    // Enemy 0 touches the player and enemy 1: it bounces twice in one frame, the player first.
    World a(play::kArena);
    a->player.vx = 10.0f;
    a->enemies[0] = play::ship(0, 1100.0f, 1000.0f, 50, 0.0f, 5.0f);  // 40 pixels from the player
    // 35 pixels beyond enemy 0 (radii 22 + 19) and 75 from the player (19 + 25).
    a->enemies[1] = play::ship(2, 1187.5f, 1000.0f, 50, -8.0f);
    a->camera.x = 500;
    a->camera.y = -40;

    Ship player = a->player;
    Ship e0 = a->enemies[0];
    Ship e1 = a->enemies[1];
    bounceShips(*a->currentLattice, e0, player);
    bounceShips(*a->currentLattice, e0, e1);

    const std::vector<int> draws = play::drawsAfter(77, 3);
    resolveShipCollisions(*a);
    EXPECT_EQ(a->camera.x, 500 + draws[0] % 300 - 150);
    EXPECT_EQ(a->camera.y, -40 + draws[1] % 300 - 150);
    EXPECT_EQ(std::rand(), draws[2]);  // two draws and no more

    EXPECT_EQ(play::fields(a->player), play::fields(player));
    EXPECT_EQ(play::fields(a->enemies[0]), play::fields(e0));
    EXPECT_EQ(play::fields(a->enemies[1]), play::fields(e1));
}

TEST(CollisionPass, ContactNeedsTheSumOfTheRadiiAndTwoLivingShips) {
    // Player (25) and a kind-0 enemy (22): 48 pixels apart is no contact, 45 is; a dead player
    // or enemy takes part in no collision.
    struct Case {
        float enemyX;
        bool playerDead, deadEnemyOnTop, contact;
    };
    const Case cases[] = {{1120.0f, false, false, false},
                          {1112.5f, false, false, true},
                          {1000.0f, true, true, false}};
    for (const Case& c : cases) {
        World a(play::kArena);
        a->player.respawnCountdown = c.playerDead ? 40 : 0;
        a->enemies[0] = play::ship(0, c.enemyX, 1000.0f, 50, 4.0f);
        if (c.deadEnemyOnTop) {
            a->enemies[1] = play::parkedShip(c.enemyX, 1010.0f);
            a->enemies[1].vx = -4.0f;
        }
        const std::vector<int> draws = play::drawsAfter(9, 3);
        resolveShipCollisions(*a);
        EXPECT_NEAR(a->enemies[0].vx, c.contact ? 0.0f : 4.0f, 1e-6) << c.enemyX;
        EXPECT_NEAR(a->player.vx, c.contact ? 4.0 * 1600.0 / 1601.0 : 0.0, 1e-4) << c.enemyX;
        EXPECT_EQ(a->enemies[1].vx, c.deadEnemyOnTop ? -4.0f : 0.0f);
        EXPECT_EQ(a->enemies[0].health < 50, c.contact);
        EXPECT_EQ(std::rand(), draws[c.contact ? 2 : 0]);  // the Camera's jolt draws two
    }
}

TEST(Kill, ExplodesCountsDropsAndGoesDeadInOrder) {
    for (int kind = 0; kind < 3; ++kind) {
        World a(play::kArena);
        a->shots.next = 298;  // the drops wrap round the ring
        a->kills = 4;
        Ship& enemy = a->enemies[2];
        enemy = play::ship(kind, 1234.0f, 567.0f, -5, 2.0f);
        const std::vector<int> draws = play::drawsAfter(100 + kind, 40);
        killEnemy(*a, enemy);

        const Explosion& blast = a->explosions.explosions[0];
        EXPECT_EQ(
            std::make_tuple(a->explosions.live[0], blast.kind, blast.age, blast.x),
            std::make_tuple(Uint8{1}, kind == 0 ? BlueExplosion : LargeExplosion, 0, 1234.0f));

        // The debris count is drawn first, then each piece's four draws (see the pick-up tests).
        const int debris = draws[0] % 4 + 3;
        EXPECT_EQ(a->kills, 5);
        EXPECT_EQ(a.liveShots(), debris + 1);
        EXPECT_EQ(a->shots.shots[298].vx, 2.0f + static_cast<float>(draws[1] % 40 - 20));
        EXPECT_EQ(a->shots.shots[(298 + debris - 1) % kShotRingSize].kind,
                  draws[4 * debris - 1] % 5 + 5);
        const Shot& pickUp = a->shots.shots[(298 + debris) % kShotRingSize];
        EXPECT_GE(pickUp.kind, PowerUp1);
        EXPECT_EQ(pickUp.vx, 2.0f + static_cast<float>(draws[1 + 4 * debris] % 4 - 2));
        EXPECT_EQ(a->shots.next, (298 + debris + 1) % kShotRingSize);
        EXPECT_EQ(enemy.respawnCountdown, 100);
        EXPECT_EQ(std::rand(), draws[1 + 4 * debris + 5]);  // nothing drawn after the pick-up
    }
}
