#pragma once
// Storing a mapped pixel value into surface memory, shared by the pixel writers and the line
// walker.

#include <SDL.h>

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
