// The enemy pass: pull and push, the fold across the seam, the heading blend, the speed cap and
// drag, keeping apart, firing and respawning. (How enemies look on screen, pose by pose, is pinned
// by tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/enemies.h"
#include "world.h"

using play::seedWhere;
using play::World;

namespace {

/// One pass over a kind-0 enemy at rest at (ex, ey) that holds fire, the player at (px, py);
/// returns the step it made (its velocity before the drag, which can turn a small one round).
std::pair<float, float> pulled(float px, float py, float ex, float ey, int rows = 30) {
    World a(play::kArena, {{30, rows}});
    a->player.x = px;
    a->player.y = py;
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

TEST(EnemyMotion, HeadingBlendsAPlainAverageSpeedIsCappedAndDraggedByTheUncappedSpeedAndWraps) {
    World a(play::kArena);
    Ship& e = a->enemies[0] = play::ship(0, 1000.0f, 700.0f, 50, 34.0f);  // 3 units: no pull
    e.heading = 3.0f;
    a->player.x = 1000.0f;  // straight ahead (+y): atan2 gives 0, so 3.0 blends to 2.7
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    EXPECT_NEAR(e.heading, 2.7f, 1e-5);
    EXPECT_EQ(std::make_tuple(e.x, e.vx), std::make_tuple(1017.0f, 16.75f));  // 34 → 17 − 0.25
    e = play::ship(0, 2895.0f, 1000.0f, 50, 10.0f);
    a->player.x = 2895.0f, a->player.y = 1300.0f;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    EXPECT_FLOAT_EQ(e.x, 5.0f);  // the arena is 2900 wide
}

TEST(EnemyKeepApart, PushedOnlyByALaterEnemyWithinThreeUnitsEvenWhenDeadButEnemyFourNever) {
    // Enemies 0 and 4 lie 3 units from the player (no pull); enemies 1 (dead) and 3 sit `gap`
    // to their right.
    for (double gap : {100.0, 250.0, 350.0}) {
        World a(play::kArena);
        a->enemies[0] = play::ship(0, 1000.0f, 700.0f);
        a->enemies[1] = play::parkedShip(float(1000 + gap), 700.0f);
        a->enemies[4] = play::ship(0, 1000.0f, 1300.0f);
        a->enemies[3] = play::ship(0, float(1000 + gap), 1300.0f);
        std::srand(seedWhere(false, 25));
        updateEnemies(*a);
        EXPECT_EQ(a->enemies[0].x < 1000.0f, gap < 300.0) << gap;
        EXPECT_EQ(a->enemies[3].x > float(1000 + gap), gap < 300.0) << gap;  // else pulled in
        EXPECT_EQ(a->enemies[1].x, float(1000 + gap));  // the dead one is not moved
        EXPECT_EQ(std::make_pair(a->enemies[4].x, a->enemies[4].vx), std::make_pair(1000.0f, 0.0f));
    }
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

TEST(EnemyRespawn, ThreeDrawsKindAndAPlaceWithin300OfTheKindsCornerHeadingKept) {
    World a(play::kArena);
    int low[3][2] = {{9999, 9999}, {9999, 9999}, {9999, 9999}}, high[3][2] = {};
    for (unsigned seed = 1; seed < 4000; ++seed) {
        const std::vector<int> draws = play::drawsAfter(seed, 4);
        Ship enemy = play::parkedShip();
        enemy.heading = 1.25f;
        enemy.vx = 5.0f;
        enemy.health = -3;
        enemy.age = 7;
        respawnEnemy(enemy, *a->currentLattice);
        EXPECT_EQ(std::rand(), draws[3]);
        Ship want = play::ship(enemy.kind, enemy.x, enemy.y);
        want.heading = 1.25f;
        want.respawnCountdown = 1000000;  // left to the pass
        EXPECT_EQ(play::fields(enemy), play::fields(want));
        // Kind 0 near (0, 0), kind 1 at the right end of the 30-column arena, kind 2 the bottom.
        const int at[2] = {int(enemy.x) - (enemy.kind == 1 ? 2700 : 0),
                           int(enemy.y) - (enemy.kind == 2 ? 2700 : 0)};
        for (int axis : {0, 1}) {
            low[enemy.kind][axis] = std::min(low[enemy.kind][axis], at[axis]);
            high[enemy.kind][axis] = std::max(high[enemy.kind][axis], at[axis]);
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        for (int axis : {0, 1}) {
            EXPECT_EQ(std::make_pair(low[kind][axis], high[kind][axis]), std::make_pair(0, 299))
                << "kind " << kind << ", axis " << axis;
        }
    }
}

TEST(EnemyLife, DiesBelowZeroInThePassRebornReadingOneAliveFromTheNextFrame) {
    World a(play::kArena);
    a->enemies[0] = play::ship(1, 1000.0f, 700.0f, -1);
    a->enemies[1] = play::ship(1, 1000.0f, 1300.0f, 0);  // still alive
    a->enemies[2].respawnCountdown = 2;
    std::srand(3);
    updateEnemies(*a);
    EXPECT_EQ(a->enemies[0].respawnCountdown, 100);
    EXPECT_EQ(a->enemies[1].respawnCountdown, 0);
    EXPECT_EQ(a->enemies[2].respawnCountdown, 1);
    EXPECT_EQ(a->enemies[2].x, 2500.0f);  // not yet moved to a corner
    updateEnemies(*a);
    const Ship born = a->enemies[2];
    EXPECT_EQ(born.respawnCountdown, 0);
    EXPECT_NE(born.x, 2500.0f);
    updateEnemies(*a);  // alive now: pulled towards the player
    EXPECT_TRUE(a->enemies[2].x != born.x || a->enemies[2].y != born.y);
}

