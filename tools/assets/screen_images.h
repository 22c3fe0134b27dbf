#pragma once
// Full-screen pictures: the title screen, the level-up card and the loading area of the front
// panel image, which share a space backdrop and a glowing title.

#include <cairo.h>

#include <string>

#include "tools/assets/paint.h"

/// Space backdrop over the rectangle (x, y, w, h): a dark gradient, nebulae and stars.
void drawBackdrop(cairo_t* cr, Random& random, double x, double y, double w, double h);

/// A warped green lattice in the game's arena colours, filling (x, y, w, h), bulging at its middle.
void drawWarpedGrid(cairo_t* cr, double x, double y, double w, double h, double alpha);

/// Glowing headline text centred at (x, y) with the given size and glow colour.
void drawGlowText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  uint32_t glow);

/// The loading screen content for the rectangle (0, top, 800, height).
void drawLoadingArea(cairo_t* cr, double top, double height);

/// Writes "images/titlescreen.bmp" and "images/levelup.BMP".
void writeScreenImages(ImageSink& sink);
