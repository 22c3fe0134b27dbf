#pragma once
// The heads-up display: the front panel (which is also the loading screen), the weapon
// indicators, the ammunition icons and the health and completion bars. The panel's wells and
// frames are laid out where the game blits the other pieces.

#include "tools/assets/paint.h"

/// Screen positions the game uses for the display (top-left corners, pixels).
constexpr int kPanelTop = 415;  ///< the front image is drawn at (0, 415)
constexpr int kSlotX0 = 160;    ///< slot of weapon w at x = 160 + 50·w
constexpr int kSlotStep = 50;
constexpr int kIndicatorY = 510;
constexpr int kAmmoY = 540;
constexpr int kBarX = 490;
constexpr int kHealthY = 530;
constexpr int kCompletionY = 560;

/// Sizes of the pieces, in pixels.
constexpr int kIndicatorWidth = 46;
constexpr int kIndicatorHeight = 26;
constexpr int kAmmoWidth = 46;
constexpr int kAmmoHeight = 40;
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 20;

/// Writes "play/front.bmp" and the indicator, ammunition, health and completion images.
void writeHudImages(ImageSink& sink);
