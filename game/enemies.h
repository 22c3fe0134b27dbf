#pragma once
// The enemy pass: firing, steering, motion, death, drawing and respawn of the five enemies.

#include "game/game_state.h"

/// Steps, draws and counts down the five enemies in order.
void updateEnemies(GameState& state);
/// Rebirth of an enemy in its kind's corner of the arena with 50 health.
void respawnEnemy(Ship& enemy, const Lattice& lattice);
