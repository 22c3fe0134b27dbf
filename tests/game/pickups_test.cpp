// Debris, pick-up drops and what collecting a pick-up gives, as properties over many seeds: the
// ranges each random part spans, the draws each event takes and the caps. (The exact values of a
// whole run are pinned by tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "game/pickups.h"
#include "world.h"

using play::World;

namespace {

/// Smallest and largest value seen.
struct Span {
    int low = 1 << 30, high = -(1 << 30);
    void add(float v) { low = std::min(low, int(v)), high = std::max(high, int(v)); }
    bool operator==(const Span& o) const { return low == o.low && high == o.high; }
};

}  // namespace

TEST(Drops, DebrisAndPickUpsKeepTheShipsPlaceAndSpanTheirKicksWithFixedDraws) {
    Span kick, kind, spin, drift, pickUp;
    std::map<int, int> pickUpKinds;
    World a(play::kArena);
    for (unsigned seed = 1; seed <= 400; ++seed) {
        a->shots.live.fill(0), a->shots.next = 0;
        Ship dying = play::ship(static_cast<int>(seed % 3), 640.0f, 480.0f, 50, 1.5f, -2.5f);
        dying.heading = 0.75f;
        const std::vector<int> draws = play::drawsAfter(seed, 30);
        dropDebris(*a, dying, 6);
        dropPowerUp(*a, dying);
        EXPECT_EQ(std::rand(), draws[29]) << "6 pieces draw 4 each, the pick-up 5";
        ASSERT_EQ(a.liveShots(), 7);
        for (int n = 0; n < 7; ++n) {
            const Shot& p = a->shots.shots[n];
            EXPECT_EQ(std::make_tuple(p.x, p.y, p.heading, p.age),
                      std::make_tuple(640.0f, 480.0f, 0.75f, 0));
            (n < 6 ? kick : drift).add(p.vx - 1.5f);
            (n < 6 ? kick : drift).add(p.vy + 2.5f);
            (n < 6 ? kind : pickUp).add(static_cast<float>(p.kind));
            spin.add(n < 6 ? p.spin : 0.0f);
        }
        ++pickUpKinds[a->shots.shots[6].kind == PowerUp1 + dying.kind ? -1
                                                                      : a->shots.shots[6].kind];
    }
    EXPECT_EQ(std::make_tuple(kick, kind, spin, drift, pickUp),
              std::make_tuple(Span{-20, 19}, Span{Shrapnel1, Shrapnel1 + 4}, Span{-6, 5},
                              Span{-2, 1}, Span{PowerUp1, PowerUp6}));
    // Mostly the enemy's own ammunition (0.729), else black holes, rapid fire or health.
    EXPECT_GT(pickUpKinds[-1], 250);
    EXPECT_EQ(pickUpKinds.size(), 4u);
    EXPECT_GT(std::min({pickUpKinds[PowerUp4], pickUpKinds[PowerUp5], pickUpKinds[PowerUp6]}), 10);
}

TEST(Collect, EachPickUpAddsWithinItsRangeCapsAfterTheAdditionAndRapidFireRestarts) {
    // PowerUp1 … 4 fill weapons 1 … 4 (black holes by exactly 3, without a draw), PowerUp5 the
    // health: each adds base … base + spread − 1 to what is there, then caps.
    const int cases[][4] = {{PowerUp1, 10, 39, 100},
                            {PowerUp2, 7, 11, 50},
                            {PowerUp3, 40, 79, 200},
                            {PowerUp4, 3, 3, 5},
                            {PowerUp5, 20, 49, 100}};
    for (const auto& [kind, least, most, cap] : cases) {
        Span gain;
        World a(play::kArena);
        for (unsigned seed = 1; seed <= 300; ++seed) {
            a->ammo.fill(0);
            a->player.health = 100;  // health is collected to the cap, other kinds leave it
            int& value = kind == PowerUp5 ? a->player.health : a->ammo[kind - PowerUp1 + 1];
            value = -1;  // a weapon fired dry
            const std::vector<int> d = play::drawsAfter(seed, 2);
            collectPowerUp(*a, kind, 0);
            gain.add(static_cast<float>(value + 1));
            EXPECT_EQ(std::rand(), d[kind == PowerUp4 ? 0 : 1]) << kind;
            value = cap - 1;
            collectPowerUp(*a, kind, 0);
            EXPECT_EQ(std::make_pair(value, a->player.health), std::make_pair(cap, 100)) << kind;
            EXPECT_EQ(a->rapidFireTicks, -20000) << kind;  // no rapid fire since the set-up
            EXPECT_EQ(std::count(a->ammo.begin(), a->ammo.end(), 0), kind == PowerUp5 ? 5 : 4);
        }
        EXPECT_EQ(gain, (Span{least, most})) << kind;
    }
    World a;
    const std::vector<int> d = play::drawsAfter(17, 1);
    for (int ticks : {123456, 130000}) {  // rapid fire restarts from the ticks given, no draw
        collectPowerUp(*a, PowerUp6, ticks);
        EXPECT_EQ(a->rapidFireTicks, ticks);
    }
    EXPECT_EQ(std::rand(), d[0]);
}
