#pragma once
// Software surfaces of every pixel size for the rendering tests, and raw pixel reads that do not go
// through the code under test.

#include <SDL.h>

#include <cstring>
#include <memory>
#include <set>
#include <utility>

namespace rendertest {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

/// A zero-filled software surface of 1, 2, 3 or 4 bytes per pixel (3-3-2, 5-6-5, 8-8-8, 8-8-8
/// with alpha in the top byte); 5 gives 8-8-8 in 32 bits without alpha.
inline SurfacePtr makeSurface(int bytesPerPixel, int w, int h) {
    static const Uint32 masks[6][4] = {{},
                                       {0xE0, 0x1C, 0x03, 0},
                                       {0xF800, 0x07E0, 0x001F, 0},
                                       {0xFF0000, 0x00FF00, 0x0000FF, 0},
                                       {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000},
                                       {0xFF0000, 0x00FF00, 0x0000FF, 0}};
    const Uint32* m = masks[bytesPerPixel];
    const int bits = bytesPerPixel == 5 ? 32 : 8 * bytesPerPixel;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, m[0], m[1], m[2], m[3]);
    std::memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->h);
    return SurfacePtr(surface);
}

/// The bytes of pixel (x, y) in memory order, first byte lowest (the native value on a
/// little-endian machine).
inline Uint32 rawPixel(const SDL_Surface* surface, int x, int y) {
    const int bytes = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
    Uint32 value = 0;
    for (int k = 0; k < bytes; ++k) {
        value |= static_cast<Uint32>(p[k]) << (8 * k);
    }
    return value;
}

using PixelSet = std::set<std::pair<int, int>>;

/// Every pixel whose bytes are not all zero.
inline PixelSet litPixels(const SDL_Surface* surface) {
    PixelSet lit;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            if (rawPixel(surface, x, y) != 0) {
                lit.insert({x, y});
            }
        }
    }
    return lit;
}

}  // namespace rendertest
