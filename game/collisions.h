#pragma once
// Damage by shots and by ship contact, and enemy kills.

#include "game/game_state.h"

/// Retires shot `slot` (kind 0..10), plays its impact sound and damages target by the picture
/// velocities; a TripleBomb also shows a small explosion and costs 20.
void applyShotHit(GameState& state, int slot, Ship& target);
/// Bounces every pair of living ships in contact: player against enemies, then enemies pairwise.
void resolveShipCollisions(GameState& state);
/// Hands each of a and b the other's picture velocity along its own lattice axes; both lose health.
void bounceShips(const Lattice& lattice, Ship& a, Ship& b);
/// An enemy below 0 health explodes, counts as a kill, drops debris and a pick-up and goes dead
/// for 100 frames.
void killEnemy(GameState& state, Ship& enemy);
