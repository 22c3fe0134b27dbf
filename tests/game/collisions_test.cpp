// Shot hits, ship bounces and the collision pass. On the default Lattice a world velocity v is the
// picture velocity 40·v, which the expected values below are worked from. (What a kill drops and
// counts is pinned by the state digests of tests/perf/identical_output.sh.)
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
        EXPECT_TRUE(c.after < 0 ? target.health < 0 : target.health == c.after)
            << c.kind << " at " << c.shotVx << ": health " << target.health;
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

TEST(Bounce, EachShipTakesNearlyTheOthersVelocityAndLosesHealthGrowingWithTheChange) {
    // On the default Lattice a ship takes 1600/1601 of the other's velocity per axis: within
    // 0.1 % of it, never more; the larger the change, the more health it costs, none for none.
    const Lattice lattice(30, 30);
    std::srand(5);
    int lastLoss = -1;
    for (double change : {0.0, 2.0, 6.0, 12.0, 24.0}) {
        const double vx = std::rand() % 21 - 10, vy = std::rand() % 21 - 10;
        Ship first = play::ship(0, 1000.0f, 1000.0f, 1000, float(vx), float(vy));
        Ship second = play::ship(0, 1050.0f, 1000.0f, 50, float(vx + change), float(vy));
        bounceShips(lattice, first, second);
        EXPECT_NEAR(first.vx, vx + change, 1e-3 * std::fabs(vx + change) + 1e-5);
        EXPECT_LE(std::fabs(first.vx), std::fabs(vx + change));
        EXPECT_NEAR(second.vx, vx, 1e-3 * std::fabs(vx) + 1e-5);
        EXPECT_NEAR(first.vy, vy, 1e-3 * std::fabs(vy) + 1e-5);
        EXPECT_GT(1000 - first.health, lastLoss) << change;
        lastLoss = 1000 - first.health;
    }
    EXPECT_GE(lastLoss, 24 * 24 / 3 - 1);  // a third of the change squared, within rounding
}

TEST(CollisionPass, PlayerContactBouncesJoltsTheCameraAndComesFirst) {
    // Enemy 0 touches the player and enemy 1: it bounces twice in one frame, the player first.
    World a(play::kArena);
    a->player.vx = 10.0f;
    a->enemies[0] = play::ship(0, 1100.0f, 1000.0f, 50, 0.0f, 5.0f);  // 40 pixels from the player
    // 35 pixels beyond enemy 0 (radii 22 + 19) and 75 from the player (19 + 25).
    a->enemies[1] = play::ship(2, 1187.5f, 1000.0f, 50, -8.0f);
    Ship player = a->player, e0 = a->enemies[0], e1 = a->enemies[1];
    bounceShips(*a->currentLattice, e0, player);
    bounceShips(*a->currentLattice, e0, e1);
    int low = 0, high = 0;  // the jolt spans −150 … 149 pixels per axis, two draws
    World b(play::kArena);
    for (unsigned seed = 1; seed < 300; ++seed) {
        b->player = a->player;
        b->enemies = a->enemies;
        b->camera.x = 500;
        const std::vector<int> draws = play::drawsAfter(seed, 3);
        resolveShipCollisions(*b);
        EXPECT_EQ(std::rand(), draws[2]);
        low = std::min(low, b->camera.x - 500), high = std::max(high, b->camera.x - 500);
        if (seed == 1) {
            EXPECT_EQ(play::fields(b->player), play::fields(player));
            EXPECT_EQ(play::fields(b->enemies[0]), play::fields(e0));
            EXPECT_EQ(play::fields(b->enemies[1]), play::fields(e1));
        }
    }
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(-150, 149));
}

TEST(CollisionPass, ContactNeedsTheSumOfTheRadiiAndTwoLivingShips) {
    // Player 25 + kind-0 enemy 22: 48 pixels apart is no contact, 45 is; the dead never collide.
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
