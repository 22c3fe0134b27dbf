#pragma once
// A fingerprint of a run's whole state, for telling two runs apart.

#include <cstdint>

#include "game/game_state.h"

/// 64-bit FNV-1a over every value of the state that play changes or reads: ships, both rings,
/// ammunition, counters, Camera and drawn cell, picture positions and the nodes of every Lattice.
/// Surfaces, sounds and pointers are left out, so equal runs give equal digests.
uint64_t stateDigest(const GameState& state);
