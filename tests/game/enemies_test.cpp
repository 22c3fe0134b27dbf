// The enemy pass: pull and push, the fold across the seam, the heading blend, the speed cap and
// drag, keeping apart, firing, respawning and drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "arena_fixture.h"
#include "game/enemies.h"

using arena::Arena;

namespace {

constexpr double kPi = 3.14159265358979323846;

/// A seed whose first rand() is a multiple of `odds` (fire) or is not (hold fire).
unsigned seedWhere(bool fires, int odds) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        if ((std::rand() % odds == 0) == fires) {
            return seed;
        }
    }
}

}  // namespace

// ---- Pull towards the player ------------------------------------------------------------------

TEST(EnemyPull, ExactlyThreeLatticeUnitsFeelsNoPull) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(0, 1000.0f, 700.0f);  // player 3 units along +y
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const Ship& e = a->enemies[0];
    EXPECT_EQ(e.vx, 0.0f);
    EXPECT_EQ(e.vy, 0.0f);
    EXPECT_EQ(e.x, 1000.0f);
    EXPECT_EQ(e.y, 700.0f);
}

TEST(EnemyPull, JustInsideIsPushedOutAndJustOutsideIsDrawnIn) {
    // Inside: d = −0.1, k = −3·d⁴, ay = 2.9·k / 10 (away from the player, along −y).
    Arena inside;
    inside->enemies[0] = arena::livingEnemy(0, 1000.0f, 710.0f);
    std::srand(seedWhere(false, 25));
    updateEnemies(*inside);
    const double pushInside = 2.9 * (-3.0 * std::pow(-0.1, 4)) / 10.0;
    // After the move the drag takes half a unit against the motion.
    EXPECT_NEAR(inside->enemies[0].vy, pushInside + 0.5, 1e-6);
    EXPECT_LT(inside->enemies[0].y, 710.0f);

    // Outside: d = 0.1, k = d / 2, ay = 3.1·k / 10 towards the player.
    Arena outside;
    outside->enemies[0] = arena::livingEnemy(0, 1000.0f, 690.0f);
    std::srand(seedWhere(false, 25));
    updateEnemies(*outside);
    const double pullOutside = 3.1 * 0.05 / 10.0;
    EXPECT_NEAR(outside->enemies[0].vy, pullOutside - 0.5, 1e-6);
    EXPECT_GT(outside->enemies[0].y, 690.0f);
}

TEST(EnemyPull, OffsetFoldsTheShortWayAcrossTheSeam) {
    // 30 columns: the player 27 units to the right is folded to 3 units to the left.
    Arena a;
    a->player.x = 2800.0f;
    a->player.y = 1000.0f;
    a->enemies[0] = arena::livingEnemy(0, 100.0f, 1000.0f);
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const Ship& e = a->enemies[0];
    EXPECT_EQ(e.vx, 0.0f);  // exactly 3 units after the fold
    EXPECT_NEAR(e.heading, -kPi / 2.0 / 10.0, 1e-6);

    // The same across rows, with a Lattice of 30 × 20 nodes: 17 rows below becomes 3 above.
    Arena rows({{30, 20}});
    rows->player.x = 1000.0f;
    rows->player.y = 1800.0f;
    rows->enemies[0] = arena::livingEnemy(0, 1000.0f, 100.0f);
    std::srand(seedWhere(false, 25));
    updateEnemies(*rows);
    EXPECT_EQ(rows->enemies[0].vy, 0.0f);
    EXPECT_NEAR(rows->enemies[0].heading, kPi / 10.0, 1e-6);  // atan2(0, −3) = π
}

TEST(EnemyHeading, BlendIsAPlainAverageWithoutWrapping) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(0, 1000.0f, 1500.0f);
    a->enemies[0].heading = 3.0f;
    a->player.x = 999.0f;  // target just past −π: atan2(−0.01, −5)
    a->player.y = 1000.0f;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const double target = std::atan2(-0.01, -5.0);
    EXPECT_LT(target, -3.1);
    EXPECT_NEAR(a->enemies[0].heading, (9.0 * 3.0 + target) / 10.0, 1e-5);  // swings through 0
}

// ---- Speed cap and drag -----------------------------------------------------------------------

TEST(EnemySpeed, CappedAtSeventeenAndDraggedByTheUncappedSpeed) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(0, 1000.0f, 700.0f);  // no pull: 3 units from the player
    a->enemies[0].vx = 34.0f;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const Ship& e = a->enemies[0];
    EXPECT_FLOAT_EQ(e.x, 1017.0f);  // moved at the capped 17
    EXPECT_FLOAT_EQ(e.vx, 16.75f);  // 17 − 17 / 34 / 2
    EXPECT_FLOAT_EQ(e.vy, 0.0f);
}

TEST(EnemySpeed, WrapsAtTheArenaEdge) {
    // 30 columns wrap at 2900 world units.
    Arena a;
    a->player.x = 2895.0f;
    a->player.y = 1300.0f;  // 3 units below: no pull
    a->enemies[0] = arena::livingEnemy(0, 2895.0f, 1000.0f);
    a->enemies[0].vx = 10.0f;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    EXPECT_FLOAT_EQ(a->enemies[0].x, 5.0f);
}

// ---- Keeping apart ----------------------------------------------------------------------------

TEST(EnemyKeepApart, LowerNumberIsPushedByCloseLaterEnemyEvenWhenDead) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(0, 1000.0f, 700.0f);  // no pull
    a->enemies[1] = arena::parkedShip();
    a->enemies[1].x = 1100.0f;  // one unit to the right: g = −2, m = −12, ax = −12
    a->enemies[1].y = 700.0f;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const Ship& e = a->enemies[0];
    EXPECT_FLOAT_EQ(e.x, 988.0f);
    EXPECT_FLOAT_EQ(e.vx, -11.5f);              // −12, then half a unit of drag
    EXPECT_FLOAT_EQ(a->enemies[1].x, 1100.0f);  // the dead one is not moved
}

TEST(EnemyKeepApart, EnemyFourIsNeverPushed) {
    Arena a;
    a->enemies[4] = arena::livingEnemy(0, 1000.0f, 700.0f);  // no pull
    a->enemies[3] = arena::livingEnemy(0, 1100.0f, 700.0f);  // one unit away, alive
    std::srand(1);
    updateEnemies(*a);
    const Ship& e = a->enemies[4];
    EXPECT_EQ(e.vx, 0.0f);
    EXPECT_EQ(e.vy, 0.0f);
    EXPECT_EQ(e.x, 1000.0f);
    // Enemy 3 was pushed away from enemy 4 (and pulled a little by the player).
    EXPECT_GT(a->enemies[3].x, 1100.0f);
}

// ---- Firing -----------------------------------------------------------------------------------

TEST(EnemyFiring, SwarmShipFiresSixShotsEachWithItsOwnSpread) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(2, 1000.0f, 700.0f);
    a->enemies[0].heading = 0.5f;
    a->enemies[0].vx = 1.0f;
    const unsigned seed = seedWhere(true, 75);
    const std::vector<int> draws = arena::drawsAfter(seed, 7);
    updateEnemies(*a);
    ASSERT_EQ(a.liveShots(), 6);
    for (int n = 0; n < 6; ++n) {
        const Shot& shot = a->shots.shots[n];
        const double spread = (draws[1 + n] % 20 - 10) / 40.0;
        const double vx = 1.0 + 15.0 * std::sin(0.5 + spread);
        const double vy = 0.0 + 15.0 * std::cos(0.5 + spread);
        EXPECT_EQ(shot.kind, Swarm);
        EXPECT_NEAR(shot.vx, vx, 1e-5);
        EXPECT_NEAR(shot.vy, vy, 1e-5);
        EXPECT_NEAR(shot.x, 1000.0 + 2.0 * vx, 1e-3);  // two steps ahead of the enemy
        EXPECT_NEAR(shot.y, 700.0 + 2.0 * vy, 1e-3);
        EXPECT_FLOAT_EQ(shot.heading, 0.5f);  // the heading before this frame's turn
        EXPECT_EQ(shot.age, 0);
    }
}

TEST(EnemyFiring, LaserShipFiresOneLaserOnlyWhenTheDrawAllows) {
    Arena fires;
    fires->enemies[0] = arena::livingEnemy(0, 1000.0f, 700.0f);
    std::srand(seedWhere(true, 25));
    updateEnemies(*fires);
    ASSERT_EQ(fires.liveShots(), 1);
    EXPECT_EQ(fires->shots.shots[0].kind, PurpleLaser);
    EXPECT_NEAR(fires->shots.shots[0].vy, 15.0, 1e-5);
    EXPECT_NEAR(fires->shots.shots[0].y, 730.0, 1e-3);

    Arena holds;
    holds->enemies[0] = arena::livingEnemy(0, 1000.0f, 700.0f);
    std::srand(seedWhere(false, 25));
    updateEnemies(*holds);
    EXPECT_EQ(holds.liveShots(), 0);
}

TEST(EnemyFiring, BombShipUsesOddsOfOneInFifty) {
    // A draw that is a multiple of 25 but not of 50 fires a laser ship, not a bomb ship.
    unsigned seed = 1;
    for (;; ++seed) {
        std::srand(seed);
        const int r = std::rand();
        if (r % 25 == 0 && r % 50 != 0) {
            break;
        }
    }
    Arena a;
    a->enemies[0] = arena::livingEnemy(1, 1000.0f, 700.0f);
    std::srand(seed);
    updateEnemies(*a);
    EXPECT_EQ(a.liveShots(), 0);

    Arena b;
    b->enemies[0] = arena::livingEnemy(1, 1000.0f, 700.0f);
    std::srand(seedWhere(true, 50));
    updateEnemies(*b);
    ASSERT_EQ(b.liveShots(), 1);
    EXPECT_EQ(b->shots.shots[0].kind, TripleBomb);
}

// ---- Death and respawn ------------------------------------------------------------------------

TEST(EnemyRespawn, CornerByKindFromTheDrawsInOrder) {
    Arena a;
    const Lattice& lattice = *a->currentLattice;
    bool seen[3] = {false, false, false};
    for (unsigned seed = 1; seed < 40; ++seed) {
        const std::vector<int> draws = arena::drawsAfter(seed, 3);
        Ship enemy = arena::parkedShip();
        enemy.heading = 1.25f;
        enemy.vx = 5.0f;
        enemy.health = -3;
        enemy.age = 7;
        respawnEnemy(enemy, lattice);
        const int kind = draws[0] % 3;
        const int r1 = draws[1] % 300;
        const int r2 = draws[2] % 300;
        seen[kind] = true;
        EXPECT_EQ(enemy.kind, kind);
        EXPECT_EQ(enemy.health, 50);
        EXPECT_EQ(enemy.age, 0);
        EXPECT_EQ(enemy.vx, 0.0f);
        EXPECT_EQ(enemy.vy, 0.0f);
        EXPECT_EQ(enemy.heading, 1.25f);
        const float expectX = kind == 1 ? 3000.0f + r1 - 300 : static_cast<float>(r1);
        const float expectY = kind == 2 ? 3000.0f + r2 - 300 : static_cast<float>(r2);
        EXPECT_EQ(enemy.x, expectX);
        EXPECT_EQ(enemy.y, expectY);
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST(EnemyRespawn, RebornOnTheFrameReadingOneAndAliveFromTheNext) {
    Arena a;
    a->enemies[2].respawnCountdown = 2;
    std::srand(3);
    updateEnemies(*a);
    EXPECT_EQ(a->enemies[2].respawnCountdown, 1);
    EXPECT_EQ(a->enemies[2].health, 50);
    EXPECT_EQ(a->enemies[2].x, 2500.0f);  // not yet moved to a corner
    updateEnemies(*a);
    EXPECT_EQ(a->enemies[2].respawnCountdown, 0);
    // In its kind's corner: the high corners start 300 world units before the node count.
    const Ship& born = a->enemies[2];
    const float lowX = born.kind == 1 ? 2700.0f : 0.0f;
    const float lowY = born.kind == 2 ? 2700.0f : 0.0f;
    EXPECT_GE(born.x, lowX);
    EXPECT_LT(born.x, lowX + 300.0f);
    EXPECT_GE(born.y, lowY);
    EXPECT_LT(born.y, lowY + 300.0f);
    const float bornX = a->enemies[2].x;
    const float bornY = a->enemies[2].y;
    updateEnemies(*a);  // alive now: pulled towards the player
    EXPECT_TRUE(a->enemies[2].x != bornX || a->enemies[2].y != bornY);
}

TEST(EnemyDeath, BelowZeroHealthKillsInTheEnemyPass) {
    Arena a;
    a->enemies[0] = arena::livingEnemy(1, 1000.0f, 700.0f);
    a->enemies[0].health = -1;
    std::srand(seedWhere(false, 50));
    updateEnemies(*a);
    EXPECT_EQ(a->enemies[0].respawnCountdown, 100);
    EXPECT_EQ(a->kills, 1);
    EXPECT_EQ(a->explosions.live[0], 1);

    Arena zero;
    zero->enemies[0] = arena::livingEnemy(1, 1000.0f, 700.0f);
    zero->enemies[0].health = 0;  // still alive
    std::srand(seedWhere(false, 50));
    updateEnemies(*zero);
    EXPECT_EQ(zero->enemies[0].respawnCountdown, 0);
    EXPECT_EQ(zero->kills, 0);
}

// ---- Drawing ----------------------------------------------------------------------------------

TEST(EnemyDrawing, PoseImageIsDrawnCentredOnThePicturePosition) {
    Arena a;
    const Uint32 poseColour[6] = {0x101010, 0x202020, 0x303030, 0x404040, 0x00FF00, 0x606060};
    for (int pose = 0; pose < 6; ++pose) {
        a->images.enemy[pose] = a.keep(arena::makeImage(20, 20, poseColour[pose], true));
    }
    // The player far along +x: the heading turns to π/20, the pull is (3.5, 0), so forward =
    // cos(h)·3.5 > 0.2 and side = sin(h)·3.5 > 0.2: pose 3 + 1.
    a->player.x = 2000.0f;
    a->player.y = 1000.0f;
    a->enemies[0] = arena::livingEnemy(0, 1000.0f, 1000.0f);
    a->camera.x = 100;
    a->camera.y = 200;
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    const Ship& e = a->enemies[0];
    const int cx = static_cast<int>(e.x * 0.4f) - 100;  // default Lattice: 40 pixels a unit
    const int cy = static_cast<int>(e.y * 0.4f) - 200;
    EXPECT_EQ(arena::pixelAt(a->screen, cx, cy), 0x00FF00u);
    EXPECT_EQ(arena::pixelAt(a->screen, cx + 3, cy - 3), 0x00FF00u);
    EXPECT_EQ(arena::pixelAt(a->screen, cx + 30, cy), 0u);  // a 20-pixel sprite ends sooner
    EXPECT_EQ(arena::pixelAt(a->screen, 10, 10), 0u);
}

TEST(EnemyDrawing, DeadEnemiesAreNotDrawnAndMissingImagesDrawNothing) {
    Arena a;
    a->images.enemy[6] = a.keep(arena::makeImage(20, 20, arena::kRed, true));
    a->enemies[0] = arena::parkedShip();
    a->enemies[0].kind = 1;
    a->enemies[0].x = 1000.0f;
    a->enemies[0].y = 1000.0f;
    a->enemies[1] = arena::livingEnemy(0, 1500.0f, 1000.0f);  // kind 0 has no images here
    updateEnemies(*a);
    EXPECT_EQ(arena::pixelAt(a->screen, 400, 400), 0u);
    for (int y = 1; y < 600; y += 7) {
        for (int x = 1; x < 800; x += 7) {
            ASSERT_EQ(arena::pixelAt(a->screen, x, y), 0u) << x << "," << y;
        }
    }
}
