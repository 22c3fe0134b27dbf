#pragma once
// The heads-up display.

#include "game/game_state.h"

/// Draws the panel, weapon indicator, ammunition gauges, health and completion bars, then flips.
void drawHud(GameState& state);
