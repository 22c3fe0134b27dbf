// Placeholder until collisions land.
#include "game/collisions.h"

void applyShotHit(GameState& state, int slot, Ship&) { state.shots.live[slot] = 0; }
void resolveShipCollisions(GameState&) {}
void bounceShips(const Lattice&, Ship&, Ship&) {}
void killEnemy(GameState&, Ship&) {}
