// Placeholder until the heads-up display lands.
#include "game/hud.h"

void drawHud(GameState& state) { SDL_Flip(state.screen); }
