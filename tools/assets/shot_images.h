#pragma once
// Projectiles, debris and pick-ups: the 32 shot images, and the weapon icons that the heads-up
// display shares with them.

#include <cairo.h>

#include <cstdint>

#include "tools/assets/paint.h"

/// The colour that stands for weapon 0..4 everywhere (shots, pick-ups, gauges).
uint32_t weaponColour(int weapon);

/// Draws a small icon of weapon 1..4 centred at (0, 0), about 2 × size pixels across (the simple
/// shot, weapon 0, has none).
void drawWeaponIcon(cairo_t* cr, int weapon, double size);

/// Writes the shot, shrapnel and pick-up images.
void writeShotImages(ImageSink& sink);
