#pragma once
// What a death leaves behind besides its explosion: debris and pick-ups.

#include <SDL.h>

#include "game/game_state.h"

/// n pieces of spinning shrapnel from a dying ship's record.
void dropDebris(GameState& state, const Ship& ship, int n);
/// One pick-up from a dying enemy: its own ammunition, or by chance health, rapid fire or black
/// holes.
void dropPowerUp(GameState& state, const Ship& enemy);
/// Gives the player what a pick-up of `kind` (11..16) holds; ticks is the current tick count, ms.
void collectPowerUp(GameState& state, int kind, Uint32 ticks);
