#pragma once
// The bitmap font strip the editor writes its status line and help with.

#include "tools/assets/paint.h"

/// Writes "images/editorfont.bmp": the glyph of character code k (1 to 127) in the 6 × 14 box at
/// x = (k − 1) × 7, light grey on the colour key magenta 0xFF00FF.
void writeFontImage(ImageSink& sink);
