// Placeholder until the explosion pass lands.
#include "game/explosions.h"

void drawExplosions(GameState&) {}
