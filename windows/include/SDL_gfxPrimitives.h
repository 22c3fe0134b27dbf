#pragma once
// The SDL_gfx drawing functions the editor uses, for the Windows build (see
// windows/gfx_primitives.cpp): the same names, arguments and results as SDL_gfx 2.0.

#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

/// The outline of the rectangle with corners (x1, y1) and (x2, y2), blended with alpha a.
int rectangleRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g,
                  Uint8 b, Uint8 a);

/// The filled rectangle with corners (x1, y1) and (x2, y2), blended with alpha a.
int boxRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b,
            Uint8 a);

/// The polygon through the n points (vx[i], vy[i]), filled, blended with alpha a.
int filledPolygonRGBA(SDL_Surface* dst, const Sint16* vx, const Sint16* vy, int n, Uint8 r, Uint8 g,
                      Uint8 b, Uint8 a);

/// The outline of the circle of radius rad around (x, y), blended with alpha a.
int circleRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, Sint16 rad, Uint8 r, Uint8 g, Uint8 b,
               Uint8 a);

#ifdef __cplusplus
}
#endif
