// The shot pass: arming after three frames, contacts, arena bounds, and no redraw without a black
// hole. (How shots look on screen, the pick-ups' homing and collection, and the black holes' bend
// are pinned by tests/perf/identical_output.sh.)
#include <gtest/gtest.h>

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
    // The player at picture (360, 360) on a 30 × 20 Lattice; two TripleBombs touch below 40 pixels
    // (20 + 20, truncated). Shots leave past the node counts (not the seam at 2900) or below zero.
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
        shot.vx = c.vx, shot.vy = c.vy;
        shotPass(w);
        EXPECT_EQ(w->shots.live[0], c.live) << c.x << ", " << c.y;
        EXPECT_EQ(w->player.health, c.live || c.kind == SimpleShot ? 100 : 80) << c.x;
    }
}

// The bend, refit and redraw a hole causes are pinned by tests/perf/identical_output.sh; a redraw
// in every frame would look the same on screen, so it is caught here.
TEST(BlackHole, WithoutOneThePlayfieldIsNotRedrawn) {
    World w({{12, 12}});
    w->drawnCellX = w->drawnCellY = 0;
    placeShot(w, SimpleShot, 300.0f, 300.0f);
    SDL_Rect mark{15, 15, 10, 10};  // inside a cell of the Playfield: a redraw clears it
    SDL_FillRect(w->playfield, &mark, 0xFFFFFF);
    shotPass(w);
    EXPECT_EQ(play::pixel(w->playfield, 20, 20), 0xFFFFFFu);
}
