#pragma once
// The game as a whole: building a run's state from the data folder, the frame loop, and what the
// entry point and the headless runner need around it.

#include <SDL.h>

#include <string>

#include "game/assets.h"
#include "game/frame.h"
#include "game/game_state.h"
#include "game/playfield.h"
#include "shared/data_contract.h"

/// Puts the player's and the five enemies' records at their start values.
void resetShips(GameState& state);

/// Builds the whole state of a run in the game's set-up order: tables, images, level file,
/// Playfield, ships, loading screen, audio and sounds. Paths are relative to the working folder.
/// Returns false, with *reason naming the file and the cause, when a file is missing or unusable;
/// an audio device that cannot be opened is not a failure (the run is silent). The title picture
/// is the caller's to show before the game: the game does not use it.
bool setUpGame(GameState& state, SDL_Surface* screen, SDL_Surface* frontImage,
               SDL_Surface* titleImage, const char* levelPath, std::string* reason);

/// Frees every surface and sound chunk that setUpGame created and closes the audio device it
/// opened. The screen, frontImage and titleImage belong to the caller.
void releaseGame(GameState& state);

/// Frames as the player sees them: the 20 ms wait, one polled event, the held keys and the tick
/// count, until a quit event stops the loop.
void runFrameLoop(GameState& state);

/// The game function: sets up, plays until the window is closed, releases. Returns false (after
/// printing one line naming the file and the cause) when the run could not be set up.
bool runGame(SDL_Surface* screen, SDL_Surface* frontImage, SDL_Surface* titleImage);
