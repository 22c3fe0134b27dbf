// Direct pixel access on SDL 1.2 surfaces: the lock pair, single-pixel writes and reads.
// Every write keeps to the valid window 0 < x < w, 0 < y < h: row 0 and column 0 are never touched.

#include <cstring>

#include "render/pixel_store.h"
#include "render/render.h"

namespace {

/// First byte of pixel (x, y).
Uint8* pixelAddress(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch +
           x * surface->format->BytesPerPixel;
}

}  // namespace

void lockSurfaceIfNeeded(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);  // a failed lock goes unnoticed, as everywhere in the game
    }
}

void unlockSurfaceIfNeeded(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}

void putPixel(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b) {
    if (!insideWindow(surface, x, y)) {
        return;
    }
    const Uint32 value = SDL_MapRGB(surface->format, r, g, b);
    switch (surface->format->BytesPerPixel) {
        case 1:
            *pixelAddress(surface, x, y) = static_cast<Uint8>(value);
            break;
        case 2:
            (static_cast<Uint16*>(surface->pixels) + y * surface->pitch / 2)[x] =
                static_cast<Uint16>(value);
            break;
        case 3:
            storeThreeBytes(pixelAddress(surface, x, y), value);
            break;
        case 4:
            (static_cast<Uint32*>(surface->pixels) + y * surface->pitch / 4)[x] = value;
            break;
        default:
            break;
    }
}

void putPixelKeepAlpha(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b) {
    if (!insideWindow(surface, x, y)) {
        return;
    }
    if (surface->format->BytesPerPixel != 4) {
        putPixel(surface, x, y, r, g, b);
        return;
    }
    // Only the three low bytes of the 32-bit value change; the top byte (the alpha in an
    // 0xFF000000-alpha format) stays as it was. On a big-endian machine those are bytes 3, 2, 1.
    const Uint32 value = SDL_MapRGB(surface->format, r, g, b);
    Uint8* p = pixelAddress(surface, x, y);
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    p[3] = static_cast<Uint8>(value);
    p[2] = static_cast<Uint8>(value >> 8);
    p[1] = static_cast<Uint8>(value >> 16);
#else
    p[0] = static_cast<Uint8>(value);
    p[1] = static_cast<Uint8>(value >> 8);
    p[2] = static_cast<Uint8>(value >> 16);
#endif
}

SDL_Color getPixel(SDL_Surface* surface, int x, int y) {
    SDL_Color colour;
    colour.r = 255;
    colour.g = 255;
    colour.b = 255;
    colour.unused = 255;
    const int bytes = surface->format->BytesPerPixel;
    if (!insideWindow(surface, x, y) || bytes < 1 || bytes > 4) {
        return colour;
    }
    // The pixel's bytes go, in memory order, into the low-order bytes of a zeroed 32-bit value.
    Uint32 value = 0;
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    std::memcpy(reinterpret_cast<Uint8*>(&value) + (4 - bytes), pixelAddress(surface, x, y), bytes);
#else
    std::memcpy(&value, pixelAddress(surface, x, y), bytes);
#endif
    SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
    return colour;
}
