#pragma once
// What the pixel writers and the line walker share: the valid window and storing a mapped pixel
// value into surface memory.

#include <SDL.h>

/// True when (x, y) lies in the window pixel writes may touch (row 0 and column 0 excluded).
inline bool insideWindow(const SDL_Surface* surface, int x, int y) {
    return 0 < x && x < surface->w && 0 < y && y < surface->h;
}

/// Stores the three low bytes of value at p in the machine's byte order (a 24-bit pixel).
inline void storeThreeBytes(Uint8* p, Uint32 value) {
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    p[0] = static_cast<Uint8>(value >> 16);
    p[1] = static_cast<Uint8>(value >> 8);
    p[2] = static_cast<Uint8>(value);
#else
    p[0] = static_cast<Uint8>(value);
    p[1] = static_cast<Uint8>(value >> 8);
    p[2] = static_cast<Uint8>(value >> 16);
#endif
}
