#pragma once
// Motion shared by every ship: thrust, strafe and one frame of free flight on the wrapping arena.

#include "game/records.h"

class Lattice;

/// Pushes the ship along its heading: v += (force / mass)·(sin heading, cos heading).
void shipThrust(Ship& ship, float force);
/// Pushes the ship at right angles to its heading: v += (force / mass)·(cos heading, −sin heading).
void shipStrafe(Ship& ship, float force);
/// Moves the ship by its velocity, turns it by its spin and wraps it into the arena of
/// (columns − 1) × 100 by (rows − 1) × 100 world units.
void shipMotionStep(Ship& ship, const Lattice& lattice);
