// The frame as a whole: the Playfield redraw, events and the level completed inside the frame.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/spawn.h"
#include "world.h"

using namespace play;

// Where the grid and the view land, negative Camera cells included, is pinned to the pixel by
// tests/perf/identical_output.sh; a redraw every frame would look the same, so it is caught here.
TEST(FramePlayfield, RedrawnOnlyWhenTheCameraEntersAnotherCell) {
    World w;
    w->player.respawnCountdown = 1000;  // dead: the Camera stands still
    w.frame();
    const SDL_Rect mark{25, 25, 10, 10};
    struct Case {
        Sint16 cameraX, cameraY;
        bool redrawn;
    };
    const Case cases[] = {
        {99, 0, false}, {100, 0, true}, {100, 199, true}, {-99, 0, true}, {-100, 0, true}};
    for (const Case& c : cases) {
        SDL_FillRect(w->playfield, const_cast<SDL_Rect*>(&mark), 0xFFFFFF);
        w->camera.x = c.cameraX, w->camera.y = c.cameraY;
        w.frame();
        EXPECT_EQ(pixel(w->playfield, 30, 30), c.redrawn ? 0u : 0xFFFFFFu) << c.cameraX;
    }
}

TEST(FrameEvents, OnlyAQuitEventStopsTheLoopAndTheFrameStillRunsToItsEnd) {
    World w;
    SDL_Event event{SDL_KEYDOWN};
    w.frame({}, &event);
    EXPECT_EQ(w->running, -1);
    event.type = SDL_QUIT, w->player.vx = 5.0f;
    w.frame({}, &event);
    EXPECT_EQ(std::make_pair(w->running, w->player.x), std::make_pair(0, 905.0f));  // the step ran
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
