// Debris, pick-up drops and what collecting a pick-up gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/pickups.h"
#include "world.h"

using play::World;

TEST(Debris, EachPieceDrawsVxVyKindSpinInThatOrder) {
    World a(play::kArena);
    Ship dying = play::ship(2, 640.0f, 480.0f, 50, 1.5f, -2.5f);
    dying.heading = 0.75f;
    const std::vector<int> draws = play::drawsAfter(31, 25);
    dropDebris(*a, dying, 6);
    ASSERT_EQ(a.liveShots(), 6);
    for (int n = 0; n < 6; ++n) {
        const Shot& p = a->shots.shots[n];
        EXPECT_EQ(std::make_tuple(p.x, p.y, p.heading, p.age),
                  std::make_tuple(640.0f, 480.0f, 0.75f, 0));
        EXPECT_EQ(p.vx, 1.5f + static_cast<float>(draws[4 * n] % 40 - 20));
        EXPECT_EQ(p.vy, -2.5f + static_cast<float>(draws[4 * n + 1] % 40 - 20));
        EXPECT_EQ(p.kind, draws[4 * n + 2] % 5 + 5);
        EXPECT_EQ(p.spin, static_cast<float>(draws[4 * n + 3] % 12 - 6));
    }
    EXPECT_EQ(std::rand(), draws[24]);
}

TEST(PowerUpDrop, OwnAmmunitionUnlessALaterDrawOverrides) {
    for (unsigned seed = 1; seed < 300; ++seed) {
        const int kind = static_cast<int>(seed % 3);
        World a(play::kArena);
        Ship dying = play::ship(kind, 700.0f, 800.0f);
        const std::vector<int> d = play::drawsAfter(seed, 6);
        dropPowerUp(*a, dying);
        const int overrides[] = {PowerUp5, PowerUp6, PowerUp4};  // draws 2, 3, 4: the last wins
        int expected = PowerUp1 + kind;
        for (int k = 0; k < 3; ++k) {
            expected = d[2 + k] % 10 == 0 ? overrides[k] : expected;
        }
        const Shot& pickUp = a->shots.shots[0];
        ASSERT_EQ(pickUp.kind, expected) << seed;
        EXPECT_EQ(pickUp.vx, static_cast<float>(d[0] % 4 - 2));
        EXPECT_EQ(pickUp.vy, static_cast<float>(d[1] % 4 - 2));
        EXPECT_EQ(std::rand(), d[5]);
    }
}

TEST(Collect, EachPickUpAddsItsDrawCapsAfterTheAdditionAndRapidFireRestarts) {
    // PowerUp1 … 4 fill weapons 1 … 4 (black holes without a draw), PowerUp5 the health.
    struct Case {
        int kind, base, spread, cap;
    };
    const Case cases[] = {{PowerUp1, 10, 30, 100},
                          {PowerUp2, 7, 5, 50},
                          {PowerUp3, 40, 40, 200},
                          {PowerUp4, 3, 0, 5},
                          {PowerUp5, 20, 30, 100}};
    for (const Case& c : cases) {
        World a(play::kArena);
        int& value = c.kind == PowerUp5 ? a->player.health : a->ammo[c.kind - PowerUp1 + 1];
        value = -1;  // a weapon fired dry
        const std::vector<int> d = play::drawsAfter(40 + c.kind, 2);
        collectPowerUp(*a, c.kind, 0);
        EXPECT_EQ(value, -1 + c.base + (c.spread > 0 ? d[0] % c.spread : 0)) << c.kind;
        EXPECT_EQ(std::rand(), d[c.spread > 0 ? 1 : 0]) << c.kind;
        value = c.cap - 1;
        collectPowerUp(*a, c.kind, 0);
        EXPECT_EQ(value, c.cap) << c.kind;
        EXPECT_EQ(a->player.health, 100);  // the cap or untouched
        EXPECT_EQ(std::count(a->ammo.begin(), a->ammo.end(), 0), c.kind == PowerUp5 ? 5 : 4);
    }
    World a;
    const std::vector<int> d = play::drawsAfter(17, 1);
    for (int ticks : {123456, 130000}) {  // rapid fire restarts from the ticks given, no draw
        collectPowerUp(*a, PowerUp6, ticks);
        EXPECT_EQ(a->rapidFireTicks, ticks);
    }
    EXPECT_EQ(std::rand(), d[0]);
}
