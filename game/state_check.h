#pragma once
// Checking that a run's state holds only finite numbers.

#include <string>

#include "game/game_state.h"

/// The first value of the state that is not a finite number — in a ship, a live shot or explosion,
/// a picture position, or a node or rim point of any level — named for a message ("shot 17 vx =
/// nan"); empty when every value is finite. Allocates nothing when all is well.
std::string findNonFinite(const GameState& state);
