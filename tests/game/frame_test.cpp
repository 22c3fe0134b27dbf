// The frame as a whole: the Playfield redraw and background, events and the level completed
// inside the frame. (Scripted runs repeat to the digest: the headless runner's
// and the identical-output tests.)
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/spawn.h"
#include "world.h"

using play::pixel;
using play::World;

TEST(FramePlayfield, DrawnForTheCameraCellRedrawnOnlyInAnotherAndBlackBeyondItsEdge) {
    World w;
    w->player.respawnCountdown = 1000;  // dead: the Camera stands still
    w.frame();
    EXPECT_EQ(pixel(w->playfield, 20, 20), 0u);  // cleared to black, then the grid
    // Node column 1 runs at picture x = 40, on the Playfield and on the screen.
    EXPECT_NE(pixel(w->screen, 40, 100), 0u);
    EXPECT_EQ(pixel(w->screen, 20, 100), 0u);
    const SDL_Rect mark{25, 25, 10, 10};
    struct Case {
        int cameraX, cameraY, cellX, cellY;
        bool redrawn;
    };
    const Case cases[] = {{99, 0, 0, 0, false},
                          {100, 0, 1, 0, true},
                          {100, 199, 1, 1, true},
                          {-99, 0, 0, 0, true},
                          {-100, 0, -1, 0, true}};
    for (const Case& c : cases) {
        SDL_FillRect(w->playfield, const_cast<SDL_Rect*>(&mark), 0xFFFFFF);
        w->camera.x = c.cameraX;
        w->camera.y = c.cameraY;
        w.frame();
        EXPECT_EQ(w->drawnCellX, c.cellX) << c.cameraX;
        EXPECT_EQ(w->drawnCellY, c.cellY) << c.cameraY;
        EXPECT_EQ(pixel(w->playfield, 30, 30), c.redrawn ? 0u : 0xFFFFFFu) << c.cameraX;
    }
    // Cell (−1, 0): node column 1 lies at Playfield x = 40 + 100, row 1 at y = 40.
    EXPECT_NE(pixel(w->playfield, 140, 50), 0u);
    EXPECT_NE(pixel(w->playfield, 160, 40), 0u);
    EXPECT_EQ(pixel(w->playfield, 160, 50), 0u);

    // A negative Camera leaves a black strip at the left and top of the screen.
    w->camera.x = -150;  // cell −1, remainder −50
    w->camera.y = -30;   // cell 0, remainder −30
    w.frame();
    for (int n = 0; n < 400; ++n) {
        ASSERT_EQ(pixel(w->screen, n % 50, n), 0u) << n;
        ASSERT_EQ(pixel(w->screen, n * 2, n % 30), 0u) << n;
    }
    // Picture point (40, 40) is a grid crossing; it shows at (40 + 150, 40 + 30).
    EXPECT_NE(pixel(w->screen, 190, 70), 0u);
}

TEST(FrameEvents, OnlyAQuitEventStopsTheLoopAndTheFrameStillRunsToItsEnd) {
    World w;
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    w.frame({}, &event);
    EXPECT_EQ(w->running, -1);
    event.type = SDL_QUIT;
    w->player.vx = 5.0f;
    w.frame({}, &event);
    EXPECT_EQ(w->running, 0);
    EXPECT_FLOAT_EQ(w->player.x, 905.0f);  // the player's step still ran
}

TEST(FrameEnemies, KillsInAFrameCompleteTheLevelAfterTheFlip) {
    World w(play::kArena, {{30, 30}, {20, 20}});
    w->killTarget = 2;
    w->enemies[0] = play::ship(1, 300.0f, 300.0f, -1);
    w->enemies[1] = play::ship(2, 2500.0f, 300.0f, -1);
    std::srand(5);
    w.frame();
    EXPECT_EQ(w->levelIndex, 1);
    EXPECT_EQ(w->killTarget, 22);  // one level change, what it resets is the level-change tests'
    EXPECT_EQ(w.liveShots(), 0);   // after the kills' debris
}
