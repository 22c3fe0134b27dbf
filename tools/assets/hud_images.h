#pragma once
// The heads-up display: the front panel (which is also the loading screen), the weapon
// indicators, the ammunition icons and the health and completion bars. The panel's wells and
// frames are laid out where the game blits the other pieces.

#include "shared/data_contract.h"
#include "tools/assets/paint.h"

// Where the game blits each piece, and the bars' size, are the data contract's panel layout.

/// Sizes of the other pieces, in pixels.
constexpr int kIndicatorWidth = 46;
constexpr int kIndicatorHeight = 26;
constexpr int kAmmoWidth = 46;
constexpr int kAmmoHeight = 40;

/// Writes "play/front.bmp" and the indicator, ammunition, health and completion images.
void writeHudImages(ImageSink& sink);
