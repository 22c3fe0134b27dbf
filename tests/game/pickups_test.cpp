// Debris, pick-up drops and what collecting a pick-up gives.
#include <gtest/gtest.h>

#include <cstdlib>

#include "arena_fixture.h"
#include "game/pickups.h"

using arena::Arena;

// ---- Debris -----------------------------------------------------------------------------------

TEST(Debris, EachPieceDrawsVxVyKindSpinInThatOrder) {
    Arena a;
    Ship dying = arena::livingEnemy(2, 640.0f, 480.0f);
    dying.vx = 1.5f;
    dying.vy = -2.5f;
    dying.heading = 0.75f;
    const std::vector<int> draws = arena::drawsAfter(31, 25);
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

TEST(Debris, KindsAndSpinsStayInTheirRanges) {
    Arena a;
    std::srand(8);
    for (int round = 0; round < 200; ++round) {
        dropDebris(*a, arena::livingEnemy(0, 100.0f, 100.0f), 3);
    }
    for (const Shot& piece : a->shots.shots) {
        EXPECT_GE(piece.kind, Shrapnel1);
        EXPECT_LE(piece.kind, Shrapnel5);
        EXPECT_GE(piece.spin, -6.0f);
        EXPECT_LE(piece.spin, 5.0f);
        EXPECT_GE(piece.vx, -20.0f);
        EXPECT_LE(piece.vx, 19.0f);
    }
}

// ---- Pick-up drops ----------------------------------------------------------------------------

TEST(PowerUpDrop, OwnAmmunitionUnlessALaterDrawOverrides) {
    for (unsigned seed = 1; seed < 300; ++seed) {
        const int kind = static_cast<int>(seed % 3);
        Arena a;
        Ship dying = arena::livingEnemy(kind, 700.0f, 800.0f);
        const std::vector<int> d = arena::drawsAfter(seed, 6);
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

TEST(PowerUpDrop, ProbabilitiesOverManyDrops) {
    Arena a;
    std::srand(12345);
    constexpr int kDrops = 200000;
    int counts[kShotKindCount] = {};
    for (int n = 0; n < kDrops; ++n) {
        dropPowerUp(*a, arena::livingEnemy(1, 700.0f, 800.0f));
        counts[a->shots.shots[(a->shots.next + kShotRingSize - 1) % kShotRingSize].kind] += 1;
    }
    EXPECT_NEAR(counts[PowerUp4] / double(kDrops), 0.1, 0.004);
    EXPECT_NEAR(counts[PowerUp6] / double(kDrops), 0.09, 0.004);
    EXPECT_NEAR(counts[PowerUp5] / double(kDrops), 0.081, 0.004);
    EXPECT_NEAR(counts[PowerUp2] / double(kDrops), 0.729, 0.006);
    EXPECT_EQ(counts[PowerUp1] + counts[PowerUp3], 0);
}

// ---- Collecting -------------------------------------------------------------------------------

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
        Arena a;
        a->ammo[c.weapon] = -1;  // a weapon fired dry
        std::vector<int> d = arena::drawsAfter(40 + c.kind, 2);
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

TEST(Collect, BlackHolesAddThreeUpToFiveWithoutADraw) {
    Arena a;
    const std::vector<int> d = arena::drawsAfter(3, 1);
    collectPowerUp(*a, PowerUp4, 0);
    EXPECT_EQ(a->ammo[4], 3);
    collectPowerUp(*a, PowerUp4, 0);
    EXPECT_EQ(a->ammo[4], 5);
    collectPowerUp(*a, PowerUp4, 0);
    EXPECT_EQ(a->ammo[4], 5);
    EXPECT_EQ(std::rand(), d[0]);
}

TEST(Collect, HealthAddsItsDrawUpToAHundred) {
    Arena a;
    a->player.health = 0;
    const std::vector<int> d = arena::drawsAfter(17, 1);
    collectPowerUp(*a, PowerUp5, 0);
    EXPECT_EQ(a->player.health, 20 + d[0] % 30);
    a->player.health = 80;
    collectPowerUp(*a, PowerUp5, 0);
    EXPECT_EQ(a->player.health, 100);
}

TEST(Collect, RapidFireRestartsFromTheTicksGiven) {
    Arena a;
    const std::vector<int> d = arena::drawsAfter(4, 1);
    collectPowerUp(*a, PowerUp6, 123456);
    EXPECT_EQ(a->rapidFireTicks, 123456);
    collectPowerUp(*a, PowerUp6, 130000);
    EXPECT_EQ(a->rapidFireTicks, 130000);
    EXPECT_EQ(std::rand(), d[0]);
    EXPECT_EQ(a->player.health, 100);
}
