// Debris, pick-up drops and what collecting a pick-up gives.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/pickups.h"
#include "world.h"

using play::World;

TEST(Debris, EachPieceDrawsVxVyKindSpinInThatOrder) {
    World a;
    a.arena();
    Ship dying = play::ship(2, 640.0f, 480.0f, 50, 1.5f, -2.5f);
    dying.heading = 0.75f;
    const std::vector<int> draws = play::drawsAfter(31, 25);
    dropDebris(*a, dying, 6);
    ASSERT_EQ(a.liveShots(), 6);
    for (int n = 0; n < 6; ++n) {
        const Shot& piece = a->shots.shots[n];
        EXPECT_EQ(piece.x, 640.0f);
        EXPECT_EQ(piece.y, 480.0f);
        EXPECT_EQ(piece.heading, 0.75f);
        EXPECT_EQ(piece.vx, 1.5f + static_cast<float>(draws[4 * n] % 40 - 20));
        EXPECT_EQ(piece.vy, -2.5f + static_cast<float>(draws[4 * n + 1] % 40 - 20));
        EXPECT_EQ(piece.kind, draws[4 * n + 2] % 5 + 5);
        EXPECT_EQ(piece.spin, static_cast<float>(draws[4 * n + 3] % 12 - 6));
        EXPECT_EQ(piece.age, 0);
    }
    EXPECT_EQ(std::rand(), draws[24]);
}

TEST(PowerUpDrop, OwnAmmunitionUnlessALaterDrawOverrides) {
    for (unsigned seed = 1; seed < 300; ++seed) {
        const int kind = static_cast<int>(seed % 3);
        World a;
        a.arena();
        Ship dying = play::ship(kind, 700.0f, 800.0f);
        const std::vector<int> d = play::drawsAfter(seed, 6);
        dropPowerUp(*a, dying);
        int expected = PowerUp1 + kind;
        if (d[2] % 10 == 0)
            expected = PowerUp5;
        if (d[3] % 10 == 0)
            expected = PowerUp6;
        if (d[4] % 10 == 0)
            expected = PowerUp4;
        const Shot& pickUp = a->shots.shots[0];
        ASSERT_EQ(pickUp.kind, expected) << seed;
        EXPECT_EQ(pickUp.vx, static_cast<float>(d[0] % 4 - 2));
        EXPECT_EQ(pickUp.vy, static_cast<float>(d[1] % 4 - 2));
        EXPECT_EQ(std::rand(), d[5]);
    }
}

TEST(Collect, AmmunitionAddsItsDrawAndCapsAfterTheAddition) {
    struct Case {
        int kind;
        int weapon;
        int base;
        int spread;
        int cap;
    };
    const Case cases[] = {
        {PowerUp1, 1, 10, 30, 100}, {PowerUp2, 2, 7, 5, 50}, {PowerUp3, 3, 40, 40, 200}};
    for (const Case& c : cases) {
        World a;
        a.arena();
        a->ammo[c.weapon] = -1;  // a weapon fired dry
        std::vector<int> d = play::drawsAfter(40 + c.kind, 2);
        collectPowerUp(*a, c.kind, 0);
        EXPECT_EQ(a->ammo[c.weapon], -1 + c.base + d[0] % c.spread);
        EXPECT_EQ(std::rand(), d[1]);

        a->ammo[c.weapon] = c.cap - 1;
        collectPowerUp(*a, c.kind, 0);
        EXPECT_EQ(a->ammo[c.weapon], c.cap);
        for (int w = 0; w < kWeaponCount; ++w) {
            if (w != c.weapon) {
                EXPECT_EQ(a->ammo[w], 0);
            }
        }
    }
}

TEST(Collect, BlackHolesHealthAndRapidFire) {
    World a;
    a.arena();
    const std::vector<int> d = play::drawsAfter(17, 3);
    for (int expected : {3, 5, 5}) {  // three black holes a pick-up, up to five, without a draw
        collectPowerUp(*a, PowerUp4, 0);
        EXPECT_EQ(a->ammo[4], expected);
    }
    a->player.health = 0;
    collectPowerUp(*a, PowerUp5, 0);  // health: its draw, up to a hundred
    EXPECT_EQ(a->player.health, 20 + d[0] % 30);
    a->player.health = 80;
    collectPowerUp(*a, PowerUp5, 0);
    EXPECT_EQ(a->player.health, 100);
    for (int ticks : {123456, 130000}) {  // rapid fire restarts from the ticks given, no draw
        collectPowerUp(*a, PowerUp6, ticks);
        EXPECT_EQ(a->rapidFireTicks, ticks);
    }
    EXPECT_EQ(std::rand(), d[2]);
}
