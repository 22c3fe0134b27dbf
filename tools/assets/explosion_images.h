#pragma once
// The three six-frame explosions: large (fire), blue and small.

#include "tools/assets/paint.h"

/// Writes explosion1..6, "blue explosion"1..6 and smallexplosion1..6 as straight-alpha bitmaps.
void writeExplosionImages(ImageSink& sink);
