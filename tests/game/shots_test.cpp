// The shot pass: arming after three frames, contacts, homing, arena bounds and the black hole's
// bend of the Lattice. (How shots look on screen is pinned by tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "game/shots.h"
#include "game/spawn.h"
#include "world.h"

using play::World;

namespace {

/// A shot of `kind` at rest at (x, y), spawned like any other.
Shot& placeShot(World& w, int kind, float x, float y, int age = 0) {
    return spawnShot(w->shots, Ship{x, y, 0.0f, 0.0f, 0.0f, 0.0f, kind, age, 0, 0, 1, 0});
}

/// Runs the shot pass alone, with the picture positions computed as the frame computes them.
void shotPass(World& w) {
    const Lattice& lattice = *w->currentLattice;
    lattice.mapPoint(w->player.x / 100, w->player.y / 100, w->playerPicturePos.x,
                     w->playerPicturePos.y, false, false);
    for (int e = 0; e < kEnemyCount; ++e) {
        lattice.mapPoint(w->enemies[e].x / 100, w->enemies[e].y / 100, w->enemyPicturePos[e].x,
                         w->enemyPicturePos[e].y, false, false);
    }
    updateShots(*w, w.input());
}

void nodesEqual(const Lattice& a, const Lattice& b) {
    for (int i = 0; i < a.columns; ++i) {
        ASSERT_EQ(std::memcmp(&a.node(i, 0), &b.node(i, 0), a.rows * sizeof(LatticeNode)), 0) << i;
    }
}

}  // namespace

TEST(ShotContacts, ArmedAfterThreeFramesAShotHurtsThePlayerAndEveryEnemyItTouches) {
    World w;
    w->enemies[0] = play::ship(1, 1500.0f, 1500.0f);
    w->enemies[1] = play::ship(0, 905.0f, 900.0f);
    w->enemies[3] = play::ship(2, 900.0f, 905.0f);
    placeShot(w, TripleBomb, 1500.0f, 1500.0f);  // on enemy 0: a TripleBomb always costs 20
    placeShot(w, TripleBomb, 900.0f, 900.0f);    // on the player and enemies 1 and 3
    placeShot(w, SimpleShot, -50.0f, 500.0f);    // outside the arena
    for (int age = 1; age <= 4; ++age) {
        shotPass(w);
        EXPECT_EQ(w.liveShots(), age < 4 ? 3 : 0) << "age " << age;
        for (int e : {0, 1, 3}) {
            EXPECT_EQ(w->enemies[e].health <= 30, age == 4) << "enemy " << e << ", age " << age;
        }
        EXPECT_EQ(w->player.health <= 80, age == 4) << "age " << age;
    }
}

TEST(ShotContacts, ContactBelowTheSumOfTheRadiiNoneForTheDeadRetiredPastTheNodesOrBelowZero) {
    // The player at picture (360, 360) on a 30 × 20 Lattice; two TripleBombs touch below
    // 20 + 20 = 40 pixels, with the distance truncated. Shots leave past the node counts (not
    // the seam at 2900) or below zero.
    struct Case {
        int kind;
        float x, y, vx, vy;
        bool playerDead, live;
    };
    const Case cases[] = {
        {TripleBomb, 999.0f, 900.0f, 0, 0, false, false},   // 39.6 px: reaches
        {TripleBomb, 1001.0f, 900.0f, 0, 0, false, true},   // 40.4 px: truncated 40, not below
        {TripleBomb, 900.0f, 900.0f, 0, 0, true, true},     // a dead player is not hit
        {SimpleShot, 2950.0f, 500.0f, 0, 0, false, true},   // between the seam and 3000
        {SimpleShot, 2999.0f, 500.0f, 1, 0, false, false},  // reaches 3000
        {SimpleShot, 500.0f, 1999.5f, 0, 0, false, true},   // rows: 2000 is the limit
        {SimpleShot, 500.0f, 0.5f, 0, -1, false, false},    // below zero
    };
    for (const Case& c : cases) {
        World w({{30, 20}});
        w->player.respawnCountdown = c.playerDead ? 5 : 0;
        Shot& shot = placeShot(w, c.kind, c.x, c.y, 3);
        shot.vx = c.vx;
        shot.vy = c.vy;
        shotPass(w);
        EXPECT_EQ(w->shots.live[0], c.live) << c.x << ", " << c.y;
        EXPECT_EQ(w->player.health, c.live || c.kind == SimpleShot ? 100 : 80) << c.x;
    }
}

TEST(ShotPickUps, CollectedByTheLivingPlayerAndPulledOnlyWithinRange) {
    World w;
    w->player.health = 40;
    placeShot(w, PowerUp5, 900.0f, 900.0f, 3);
    shotPass(w);
    EXPECT_EQ(w->shots.live[0], 0);
    EXPECT_GE(w->player.health, 60);  // the health pick-up gives 20 to 49

    w->player.respawnCountdown = 50;  // dead: not collected, still pulled
    Shot& near = placeShot(w, PowerUp1, 900.0f - 144.0f, 900.0f - 192.0f, 3);  // q = 57601
    Shot& far = placeShot(w, PowerUp1, 900.0f, 900.0f + 250.0f, 3);            // q = 62501
    shotPass(w);
    EXPECT_NEAR(near.vx, 120.0 * 144.0 / 57601.0, 1e-6);
    EXPECT_NEAR(near.vy, 120.0 * 192.0 / 57601.0, 1e-6);
    EXPECT_FLOAT_EQ(far.vx, 0.0f);
    EXPECT_FLOAT_EQ(far.vy, 0.0f);
    EXPECT_EQ(w.liveShots(), 2);
    const float pulled = near.vx;
    shotPass(w);
    EXPECT_GT(near.vx, pulled);  // the pull grows as the distance shrinks
}

TEST(BlackHole, BendPullsEveryNodeStraightTowardsThePointBy100DOverDSquaredPlusOne) {
    // Node (i, j) of a default Lattice sits at (40·i, 40·j); the hole lies 10 pixels right of
    // node (5, 5), which moves by 1000 / 101. A second hole right on node (2, 3) leaves it alone.
    Lattice lattice(10, 10);
    lattice.refitAll();
    bendLattice(lattice, 210.0f, 200.0f);
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const double ex = 40.0 * i - 210.0, ey = 40.0 * j - 200.0, q = ex * ex + ey * ey + 1;
            EXPECT_NEAR(lattice.node(i, j).x, 40.0 * i - 100.0 * ex / q, 1e-3) << i << ", " << j;
            EXPECT_NEAR(lattice.node(i, j).y, 40.0 * j - 100.0 * ey / q, 1e-3) << i << ", " << j;
        }
    }
    const LatticeNode kept = lattice.node(2, 3);
    bendLattice(lattice, kept.x, kept.y);
    EXPECT_EQ(std::make_pair(lattice.node(2, 3).x, lattice.node(2, 3).y),
              std::make_pair(kept.x, kept.y));
}

TEST(BlackHole, TwoHolesBendInSlotOrderThenOneRefitAndOneRedraw) {
    World w({{12, 12}});
    Lattice reference(12, 12);
    w->drawnCellX = 0;
    w->drawnCellY = 0;
    Shot& first = placeShot(w, BlackHole, 300.0f, 400.0f);
    Shot& second = placeShot(w, BlackHole, 700.0f, 500.0f);
    first.vx = 10.0f;
    second.vy = -10.0f;
    // A mark inside a cell of the Playfield shows whether the pass redraws it.
    SDL_Rect mark{15, 15, 10, 10};
    SDL_FillRect(w->playfield, &mark, 0xFFFFFF);

    shotPass(w);
    // The reference: the same two bends in slot order, positions mapped through the Lattice as
    // it stood before the pass, then one refit of every segment.
    float px1 = 0, py1 = 0, px2 = 0, py2 = 0;
    reference.mapPoint(3.1f, 4.0f, px1, py1, false, false);
    bendLattice(reference, px1, py1);
    reference.mapPoint(7.0f, 4.9f, px2, py2, false, false);
    bendLattice(reference, px2, py2);
    reference.refitAll();
    nodesEqual(*w->currentLattice, reference);
    EXPECT_EQ(play::pixel(w->playfield, 20, 20), 0u);

    // Without a black hole the Lattice and the Playfield are left alone.
    w->shots.live.fill(0);
    placeShot(w, SimpleShot, 300.0f, 300.0f);
    SDL_FillRect(w->playfield, &mark, 0xFFFFFF);
    shotPass(w);
    nodesEqual(*w->currentLattice, reference);
    EXPECT_EQ(play::pixel(w->playfield, 20, 20), 0xFFFFFFu);
}
