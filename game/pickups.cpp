// Placeholder until debris and pick-ups land.
#include "game/pickups.h"

void dropDebris(GameState&, const Ship&, int) {}
void dropPowerUp(GameState&, const Ship&) {}
void collectPowerUp(GameState&, int, Uint32) {}
