// The enemy pass: pull and push, the fold across the seam, the heading blend, the speed cap and
// drag, keeping apart, firing, respawning and drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/enemies.h"
#include "world.h"

using play::seedWhere;
using play::World;

namespace {

constexpr float kAny = NAN;  ///< not checked

}  // namespace

TEST(EnemyMotion, PullPushFoldBlendCapDragAndWrap) {
    // One kind-0 enemy that holds fire; the player at rest. Expected values after one pass.
    struct Case {
        const char* what;
        int rows;
        float px, py, ex, ey, evx, eh;
        float x, y, vx, vy, heading;
    };
    const double push = 2.9 * (-3.0 * std::pow(-0.1, 4)) / 10.0 + 0.5;  // d = −0.1, then drag
    const double pull = 3.1 * 0.05 / 10.0 - 0.5;                        // d = 0.1: k = d / 2
    const double blend = (9.0 * 3.0 + std::atan2(-0.01, -5.0)) / 10.0;  // no wrapping
    const Case cases[] = {
        {"exactly 3 units: no pull", 30, 1000, 1000, 1000, 700, 0, 0, 1000, 700, 0, 0, kAny},
        {"just inside: pushed out", 30, 1000, 1000, 1000, 710, 0, 0, kAny, kAny, kAny,
         static_cast<float>(push), kAny},
        {"just outside: drawn in", 30, 1000, 1000, 1000, 690, 0, 0, kAny, kAny, kAny,
         static_cast<float>(pull), kAny},
        {"27 columns right folds to 3 left", 30, 2800, 1000, 100, 1000, 0, 0, kAny, kAny, 0, kAny,
         static_cast<float>(-M_PI / 20.0)},
        {"17 rows down folds to 3 up", 20, 1000, 1800, 1000, 100, 0, 0, kAny, kAny, kAny, 0,
         static_cast<float>(M_PI / 10.0)},
        {"heading blends as a plain average", 30, 999, 1000, 1000, 1500, 0, 3.0f, kAny, kAny, kAny,
         kAny, static_cast<float>(blend)},
        {"capped at 17, dragged by the uncapped speed", 30, 1000, 1000, 1000, 700, 34, 0, 1017, 700,
         16.75f, 0, kAny},
        {"wraps at the arena edge", 30, 2895, 1300, 2895, 1000, 10, 0, 5, kAny, kAny, kAny, kAny},
    };
    for (const Case& c : cases) {
        World a(play::kArena, {{30, c.rows}});
        a->player.x = c.px;
        a->player.y = c.py;
        Ship& e = a->enemies[0] = play::ship(0, c.ex, c.ey, 50, c.evx);
        e.heading = c.eh;
        std::srand(seedWhere(false, 25));
        updateEnemies(*a);
        const float got[] = {e.x, e.y, e.vx, e.vy, e.heading};
        const float want[] = {c.x, c.y, c.vx, c.vy, c.heading};
        for (int n = 0; n < 5; ++n) {
            if (!std::isnan(want[n])) {
                EXPECT_NEAR(got[n], want[n], 1e-5) << c.what << ", value " << n;
            }
        }
    }
}

TEST(EnemyKeepApart, LowerNumberIsPushedByACloseLaterEnemyEvenWhenDeadButEnemyFourNever) {
    World a(play::kArena);
    a->enemies[0] = play::ship(0, 1000.0f, 700.0f);  // no pull
    a->enemies[1] = play::parkedShip(1100.0f, 700.0f);  // one unit right: g = −2, m = −12, ax = −12
    a->enemies[4] = play::ship(0, 1000.0f, 1300.0f);  // no pull
    a->enemies[3] = play::ship(0, 1100.0f, 1300.0f);  // one unit away, alive
    std::srand(seedWhere(false, 25));
    updateEnemies(*a);
    EXPECT_FLOAT_EQ(a->enemies[0].x, 988.0f);
    EXPECT_FLOAT_EQ(a->enemies[0].vx, -11.5f);  // −12, then half a unit of drag
    EXPECT_FLOAT_EQ(a->enemies[1].x, 1100.0f);  // the dead one is not moved
    EXPECT_EQ(std::make_pair(a->enemies[4].x, a->enemies[4].vx), std::make_pair(1000.0f, 0.0f));
    EXPECT_GT(a->enemies[3].x, 1100.0f);  // pushed away from enemy 4
}

TEST(EnemyFiring, OddsByKindAVolleyAlongTheOldHeadingAndEachSwarmShotWithItsOwnSpread) {
    unsigned laserOnly = 1;  // a first draw that is a multiple of 25 but not of 50
    while (play::drawsAfter(laserOnly, 1)[0] % 50 == 0 || play::drawsAfter(laserOnly, 1)[0] % 25) {
        ++laserOnly;
    }
    struct Case {
        int kind;
        unsigned seed;
        int shots, shotKind;
    };
    // Lasers 1 in 25, bombs 1 in 50, the swarm ship six shots 1 in 75.
    const Case cases[] = {{0, seedWhere(true, 25), 1, PurpleLaser},
                          {0, seedWhere(false, 25), 0, 0},
                          {1, laserOnly, 0, 0},
                          {1, seedWhere(true, 50), 1, TripleBomb},
                          {2, seedWhere(true, 75), 6, Swarm}};
    for (const Case& c : cases) {
        World a(play::kArena);
        a->enemies[0] = play::ship(c.kind, 1000.0f, 700.0f, 50, 1.0f);
        a->enemies[0].heading = 0.5f;
        const std::vector<int> draws = play::drawsAfter(c.seed, 7);
        updateEnemies(*a);
        ASSERT_EQ(a.liveShots(), c.shots) << "kind " << c.kind << ", seed " << c.seed;
        for (int n = 0; n < c.shots; ++n) {
            const Shot& shot = a->shots.shots[n];
            const double spread = c.kind == 2 ? (draws[1 + n] % 20 - 10) / 40.0 : 0.0;
            const double vx = 1.0 + 15.0 * std::sin(0.5 + spread);
            const double vy = 0.0 + 15.0 * std::cos(0.5 + spread);
            EXPECT_EQ(shot.kind, c.shotKind);
            EXPECT_NEAR(shot.vx, vx, 1e-5);
            EXPECT_NEAR(shot.vy, vy, 1e-5);
            EXPECT_NEAR(shot.x, 1000.0 + 2.0 * vx, 1e-3);  // two steps ahead of the enemy
            EXPECT_NEAR(shot.y, 700.0 + 2.0 * vy, 1e-3);
            EXPECT_FLOAT_EQ(shot.heading, 0.5f);  // the heading before this frame's turn
            EXPECT_EQ(shot.age, 0);
        }
    }
}

TEST(EnemyRespawn, CornerByKindFromTheDrawsInOrder) {
    World a(play::kArena);
    bool seen[3] = {false, false, false};
    for (unsigned seed = 1; seed < 40; ++seed) {
        const std::vector<int> draws = play::drawsAfter(seed, 3);
        Ship enemy = play::parkedShip();
        enemy.heading = 1.25f;
        enemy.vx = 5.0f;
        enemy.health = -3;
        enemy.age = 7;
        respawnEnemy(enemy, *a->currentLattice);
        // Kind, then x and y within 300 units of the kind's corner; the heading is kept.
        const int kind = draws[0] % 3;
        const int r1 = draws[1] % 300;
        const int r2 = draws[2] % 300;
        seen[kind] = true;
        Ship want = play::ship(kind, kind == 1 ? 3000.0f + r1 - 300 : static_cast<float>(r1),
                               kind == 2 ? 3000.0f + r2 - 300 : static_cast<float>(r2));
        want.heading = 1.25f;
        want.respawnCountdown = 1000000;  // left to the pass
        EXPECT_EQ(play::fields(enemy), play::fields(want));
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
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

TEST(EnemyDrawing, ThePoseImageIsDrawnCentredOnThePicturePositionDeadOnesAndMissingNot) {
    // The pose from the pull seen along the new heading: 3 for thrust, +1 left, +2 right. The
    // player 10 units away pulls with 3.5; far along +x the heading turns to π/20, so forward =
    // cos(h)·3.5 and side = sin(h)·3.5 are both above 0.2.
    const Uint32 poseColour[6] = {0x101010, 0x202020, 0x303030, 0x404040, 0x00FF00, 0x606060};
    const int cases[][3] = {{2000, 1000, 4}, {1000, 2000, 2}, {1000, 0, 1}};
    for (const auto& c : cases) {
        World a(play::kArena);
        for (int pose = 0; pose < 6; ++pose) {
            a->images.enemy[pose] = a.keep(play::image(20, 20, poseColour[pose], true));
            a->images.enemy[6 + pose] = nullptr;  // kind 1 has no images here
        }
        a->player.x = static_cast<float>(c[0]);
        a->player.y = static_cast<float>(c[1]);
        a->enemies[0] = play::ship(0, 1000.0f, 1000.0f);
        a->enemies[1] = play::parkedShip(1500.0f, 1500.0f);  // dead: screen (500, 400)
        a->enemies[2] = play::ship(1, 500.0f, 1500.0f);      // no images: screen (100, 400)
        a->camera.x = 100;
        a->camera.y = 200;
        std::srand(seedWhere(false, 25));
        updateEnemies(*a);
        const Ship& e = a->enemies[0];
        const int cx = static_cast<int>(e.x * 0.4f) - 100;  // default Lattice: 40 pixels a unit
        const int cy = static_cast<int>(e.y * 0.4f) - 200;
        EXPECT_EQ(play::pixel(a->screen, cx, cy), poseColour[c[2]]) << "pose " << c[2];
        EXPECT_EQ(play::pixel(a->screen, cx + 3, cy - 3), poseColour[c[2]]) << "pose " << c[2];
        EXPECT_EQ(play::pixel(a->screen, cx + 30, cy), 0u);  // a 20-pixel sprite ends sooner
        EXPECT_EQ(play::pixel(a->screen, 500, 400), 0u);
        EXPECT_EQ(play::pixel(a->screen, 100, 400), 0u);
    }
}
