#pragma once
// The overview's box filter: a picture reduced by a whole factor, each block of f × f pixels
// averaged into one.

#include <SDL.h>

/// A new 32-bit surface (masks 0xFF0000, 0xFF00, 0xFF) of big's size divided by f, each pixel
/// the rounded mean colour of its f × f block of big. big has 8-bit pixels with a palette (a
/// quarter of the memory a 32-bit picture of a large level would take) and sides that are
/// multiples of f. A level picture is mostly background, so only pixels other than the palette
/// index `background` are visited one by one. Null when the surface cannot be made.
SDL_Surface* reducePicture(SDL_Surface* big, int f, Uint8 background);
