// The enemy pass: pull and push, the fold across the seam, and firing. (How enemies look on screen,
// pose by pose, the heading blend, the speed cap and drag, how they keep apart, die and are reborn
// in their corners are pinned by the pictures and state digests of tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/enemies.h"
#include "world.h"

using namespace play;

namespace {

/// One pass over a kind-0 enemy at rest at (ex, ey) that holds fire, the player at (px, py);
/// returns the step it made (its velocity before the drag, which can turn a small one round).
std::pair<float, float> pulled(float px, float py, float ex, float ey, int rows = 30) {
    World a(play::kArena, {{30, rows}});
    a->player.x = px, a->player.y = py;
    Ship& e = a->enemies[0] = play::ship(0, ex, ey);
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    return {e.x - ex, e.y - ey};
}

}  // namespace

TEST(EnemyMotion, PushedOutInsideThreeUnitsPulledInOutsideTheShortWayAcrossTheSeam) {
    // Around the player in eight directions: the step points away from it within 3 lattice
    // units, towards it beyond, and is zero at exactly 3 (on the axes).
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4, ux = std::cos(a), uy = std::sin(a);
        for (double d : {150.0, 280.0, 300.0, 310.0, 600.0}) {
            const auto [vx, vy] = pulled(1500, 1500, float(1500 + d * ux), float(1500 + d * uy));
            const double towards = -(vx * ux + vy * uy);
            if (d == 300.0 && k % 2 == 0) {
                EXPECT_EQ(std::make_pair(vx, vy), std::make_pair(0.0f, 0.0f)) << k;
            } else {
                EXPECT_EQ(towards > 0, d > 300.0) << "direction " << k << ", distance " << d;
                EXPECT_NEAR(vx * uy - vy * ux, 0.0, 1e-3 * std::hypot(vx, vy) + 2e-4) << "straight";
            }
        }
    }
    // 26 columns right is 4 left across the seam: pulled left (a 30-column arena); 16 rows down
    // of 20 is 4 up; 4 units right is pulled right.
    EXPECT_LT(pulled(2700, 1000, 100, 1000).first, 0.0f);
    EXPECT_LT(pulled(1000, 1700, 1000, 100, 20).second, 0.0f);
    EXPECT_GT(pulled(1400, 1000, 1000, 1000).first, 0.0f);
}

TEST(EnemyFiring, OddsByKindAVolleyOfFifteenAlongTheOldHeadingSwarmShotsFannedWithOwnDraws) {
    unsigned laserOnly = 1;  // a first draw that is a multiple of 25 but not of 50
    while (play::drawsAfter(laserOnly, 1)[0] % 50 == 0 || play::drawsAfter(laserOnly, 1)[0] % 25) {
        ++laserOnly;
    }
    // Lasers 1 in 25, bombs 1 in 50, the swarm ship six shots 1 in 75.
    const unsigned cases[][4] = {{0, seedWhere(true, 25), 1, PurpleLaser},
                                 {0, seedWhere(false, 25), 0, 0},
                                 {1, laserOnly, 0, 0},
                                 {1, seedWhere(true, 50), 1, TripleBomb},
                                 {2, seedWhere(true, 75), 6, Swarm}};
    for (const auto& [kind, seed, shots, shotKind] : cases) {
        World a(play::kArena);
        a->enemies[0] = play::ship(int(kind), 1000.0f, 700.0f, 50, 1.0f);
        a->enemies[0].heading = 0.5f;
        const std::vector<int> draws = play::drawsAfter(seed, 8);
        updateEnemies(*a);
        EXPECT_EQ(std::rand(), draws[kind == 2 && shots ? 7 : 1]) << "one draw, one per swarm shot";
        ASSERT_EQ(a.liveShots(), int(shots)) << "kind " << kind << ", seed " << seed;
        double low = 1, high = -1;
        for (unsigned n = 0; n < shots; ++n) {
            const Shot& shot = a->shots.shots[n];
            const double vx = shot.vx - 1.0, vy = shot.vy, off = std::atan2(vx, vy) - 0.5;
            low = std::min(low, off), high = std::max(high, off);
            EXPECT_EQ(std::make_tuple(shot.kind, shot.heading, shot.age),
                      std::make_tuple(int(shotKind), 0.5f, 0));
            EXPECT_NEAR(std::hypot(vx, vy), 15.0, 1e-4);
            EXPECT_NEAR(shot.x, 1000.0 + 2.0 * shot.vx, 1e-3);  // two steps ahead of the enemy
            EXPECT_NEAR(shot.y, 700.0 + 2.0 * shot.vy, 1e-3);
        }
        EXPECT_TRUE(shots == 0 || (low > -0.25 - 1e-5 && high < 0.225 + 1e-5 &&
                                   (kind == 2 ? high > low + 0.1 : std::fabs(low) < 1e-5)));
    }
}
