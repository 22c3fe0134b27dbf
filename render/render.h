#pragma once
// Rendering primitives: direct pixel access, lines, Lattice pictures, sprite rotation and bitmap
// text on SDL 1.2 surfaces. Every function takes the target surface first. Pixel writes never touch
// row 0 or column 0 of a surface: the valid window is 0 < x < w, 0 < y < h.

#include <SDL.h>

#include "lattice/lattice.h"

/// Locks the surface when SDL requires it (SDL_MUSTLOCK).
void lockSurfaceIfNeeded(SDL_Surface* surface);
/// Unlocks the surface when SDL requires it (SDL_MUSTLOCK).
void unlockSurfaceIfNeeded(SDL_Surface* surface);

/// Writes one opaque pixel of colour (r, g, b) inside the valid window.
void putPixel(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b);
/// As putPixel, but a 4-byte pixel keeps its most significant byte (the alpha).
void putPixelKeepAlpha(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b);
/// The colour of one pixel; white with unused 255 outside the valid window.
SDL_Color getPixel(SDL_Surface* surface, int x, int y);

/// A one-pixel line from (x1, y1) to (x2, y2), both ends drawn; dropped whole when either end lies
/// outside the valid window.
void drawLine(SDL_Surface* surface, int x1, int y1, int x2, int y2, Uint8 r, Uint8 g, Uint8 b);
/// drawLine with the colour already mapped to the surface's pixel value (SDL_MapRGB), for callers
/// that draw many lines of one colour.
void drawLineValue(SDL_Surface* surface, int x1, int y1, int x2, int y2, Uint32 value);

/// The warped grid (green) and rim with its node ticks (white) of a Lattice; picture point (x, y)
/// lands on (trunc(x)·scale + offsetX, trunc(y)·scale + offsetY).
void drawLattice(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX, int offsetY);
/// The warped grid alone, sampled five times per cell.
void drawLatticeCoarse(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX,
                       int offsetY);
/// The undeformed square grid (black, 40 pixels a cell) and the rim in lattice coordinates (red).
void drawLatticeReference(SDL_Surface* target, const Lattice& lattice, int scale, int offsetX,
                          int offsetY);

/// Whether nothing in the picture box can reach the target's valid window at this scale and offset:
/// drawLattice and drawLatticeCoarse skip the pieces of grid line whose box (Lattice::rowPieceBox,
/// Lattice::columnPieceBox) is so. A box that is not a number is never outside.
bool pictureBoxOutside(const SDL_Surface* target, const PictureBox& box, int scale, int offsetX,
                       int offsetY);

/// The picture-space box (scale 1, no offset) around every sample drawLattice joins, rim ticks
/// included, or with `reference` around drawLatticeReference's grid and rim: the size a picture
/// needs to show the whole Lattice. The coarse grid lies within the fine one's box.
void latticePictureBox(const Lattice& lattice, bool reference, PictureBox& box);

/// Turns sourceRect of a 32-bit source about pivot (source coordinates) by angle radians
/// (counter-clockwise on screen) so the pivot lands on position in target. −1 when the pixel sizes
/// differ; 0 otherwise (nothing drawn unless both are 4 bytes per pixel).
int rotateSprite(SDL_Surface* target, const SDL_Rect& position, SDL_Surface* source,
                 const SDL_Rect& sourceRect, float angle, const SDL_Rect& pivot);

/// Copies part of image (all of it when part is null) to target with its top-left corner at
/// (x, y), clipped to the target. A null image draws nothing.
void blitAt(SDL_Surface* image, const SDL_Rect* part, SDL_Surface* target, int x, int y);

/// Writes text with a font strip of 6 × 14 glyphs, 7 pixels apart (code 1 first); the first glyph
/// lands at x + 7.
void drawText(SDL_Surface* target, SDL_Surface* fontStrip, const char* text, Sint16 x, Sint16 y);
