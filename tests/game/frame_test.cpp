// The frame as a whole: the Playfield redraw and background, events, the drawing order and
// determinism of scripted runs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/digest.h"
#include "game/spawn.h"
#include "play_world.h"

using play::World;

namespace {

/// A scripted run with enemies, shots, deaths and bends: turns, thrusts and fires every weapon.
uint64_t scriptedRun(unsigned seed, bool extraTurn) {
    std::srand(seed);
    World w;
    w->ammo = {0, 40, 20, 60, 4};
    for (int f = 0; f < 400; ++f) {
        const SDLKey weapon = static_cast<SDLKey>(SDLK_1 + (f / 40) % 5);
        if (f % 7 < 3) {
            w.frame({weapon, SDLK_UP, SDLK_SPACE});
        } else if (f % 7 < 5 || (extraTurn && f == 5)) {
            w.frame({SDLK_LEFT, SDLK_RCTRL});
        } else {
            w.frame({SDLK_RSHIFT, SDLK_RIGHT});
        }
    }
    return stateDigest(*w);
}

}  // namespace

TEST(FramePlayfield, TheFirstFrameDrawsThePlayfieldAndShowsIt) {
    World w;
    w.parkEnemies();
    // Before play the Playfield is white between the lines.
    ASSERT_EQ(play::pixel(w->playfield, 20, 20) & 0xFFFFFF, 0xFFFFFFu);
    w.frame();
    EXPECT_EQ(w->drawnCellX, 0);
    EXPECT_EQ(w->drawnCellY, 0);
    EXPECT_EQ(play::pixel(w->playfield, 20, 20) & 0xFFFFFF, 0u);
    // The grid line of node column 1 runs at picture x = 40; the Camera was at 0 when the
    // background was blitted.
    EXPECT_NE(play::pixel(w->screen, 40, 100) & 0xFFFFFF, 0u);
    EXPECT_EQ(play::pixel(w->screen, 20, 100) & 0xFFFFFF, 0u);
}

TEST(FramePlayfield, RedrawsOnlyWhenTheCameraEntersAnotherCell) {
    World w;
    w.parkEnemies();
    w->player.respawnCountdown = 1000;  // dead: the Camera stands still
    w.frame();
    SDL_Rect mark{25, 25, 10, 10};
    SDL_FillRect(w->playfield, &mark, 0xFFFFFF);
    w->camera.x = 99;
    w.frame();
    EXPECT_EQ(play::pixel(w->playfield, 30, 30) & 0xFFFFFF, 0xFFFFFFu);  // same cell
    w->camera.x = 100;
    w.frame();
    EXPECT_EQ(w->drawnCellX, 1);
    EXPECT_EQ(play::pixel(w->playfield, 30, 30) & 0xFFFFFF, 0u);
    // The Playfield now starts at picture x = 100: node column 3 (x = 120) is at 20.
    EXPECT_NE(play::pixel(w->playfield, 20, 100) & 0xFFFFFF, 0u);
}

TEST(FramePlayfield, ANegativeCameraLeavesABlackStripAtTheLeftAndTop) {
    World w;
    w.parkEnemies();
    w->player.respawnCountdown = 1000;
    w->camera.x = -150;  // cell −1, remainder −50
    w->camera.y = -30;   // cell 0, remainder −30
    w.frame();
    EXPECT_EQ(w->drawnCellX, -1);
    EXPECT_EQ(w->drawnCellY, 0);
    for (int y = 0; y < 400; y += 7) {
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(play::pixel(w->screen, x, y) & 0xFFFFFF, 0u) << x << ", " << y;
        }
    }
    for (int x = 0; x < 800; x += 7) {
        for (int y = 0; y < 30; ++y) {
            ASSERT_EQ(play::pixel(w->screen, x, y) & 0xFFFFFF, 0u) << x << ", " << y;
        }
    }
    // Picture point (40, 40) is a grid crossing; it shows at (40 + 150, 40 + 30).
    EXPECT_NE(play::pixel(w->screen, 190, 70) & 0xFFFFFF, 0u);
    EXPECT_NE(play::pixel(w->screen, 190, 100) & 0xFFFFFF, 0u);
}

TEST(FrameEvents, OnlyAQuitEventStopsTheLoopAndTheFrameStillRunsToItsEnd) {
    World w;
    w.parkEnemies();
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    w.frameWithEvent(key);
    EXPECT_EQ(w->running, -1);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    w->player.vx = 5.0f;
    w.frameWithEvent(quit);
    EXPECT_EQ(w->running, 0);
    EXPECT_FLOAT_EQ(w->player.x, 905.0f);  // the player's step still ran
}

TEST(FrameOrder, ShotsAreDrawnOverTheShipAndThePanelOverEverything) {
    World w;
    w.parkEnemies();
    w.frames(80);  // let the Camera settle: the ship's pivot at (466, 316)
    Ship still{900.0f, 900.0f, 0.0f, 0.0f, 0.0f, 0.0f, SimpleShot, 0, 0, 0, 1, 0};
    spawnShot(w->shots, still);
    const SDL_Rect camera = w->camera;
    w.frame();
    const int x = static_cast<int>(360.0f - camera.x);
    const int y = static_cast<int>(360.0f - camera.y);
    EXPECT_EQ(play::pixel(w->screen, x, y) & 0xFFFFFF, play::kShotColour);
    EXPECT_EQ(play::pixel(w->screen, x, y - 30) & 0xFFFFFF, play::kShipColour[0]);
    // The panel covers the bottom of the screen.
    EXPECT_EQ(play::pixel(w->screen, 5, 590) & 0xFFFFFF, 0x404040u);
}

TEST(FrameDeterminism, TheSameScriptGivesTheSameDigestAndAnotherKeyAnother) {
    const uint64_t first = scriptedRun(99, false);
    const uint64_t again = scriptedRun(99, false);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, scriptedRun(99, true));
}
