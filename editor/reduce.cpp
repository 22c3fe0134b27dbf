#include "editor/reduce.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <vector>

namespace {

constexpr Uint32 kRedMask = 0xFF0000;
constexpr Uint32 kGreenMask = 0x00FF00;
constexpr Uint32 kBlueMask = 0x0000FF;
constexpr int kChunk = 8;  ///< pixels compared with the background at once

/// The mean of a block, rounded half up, from the background and the block's summed difference.
Uint32 meanChannel(int background, int sum, int area) {
    const int total = background * area + sum;  // the block's own sum, 0 … 255 · area
    return static_cast<Uint32>((2 * total + area) / (2 * area));
}

}  // namespace

SDL_Surface* reducePicture(SDL_Surface* big, int f, Uint8 background) {
    assert(f >= 1 && big->format->BytesPerPixel == 1 && big->format->palette != nullptr &&
           big->w % f == 0 && big->h % f == 0);
    SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, big->w / f, big->h / f, 32, kRedMask,
                                            kGreenMask, kBlueMask, 0);
    if (out == nullptr) {
        return nullptr;
    }
    // Each palette entry as its difference from the background, per channel.
    const SDL_Palette& palette = *big->format->palette;
    const SDL_Color bg = palette.colors[background];
    int delta[256][3] = {};
    for (int c = 0; c < palette.ncolors; ++c) {
        delta[c][0] = palette.colors[c].r - bg.r;
        delta[c][1] = palette.colors[c].g - bg.g;
        delta[c][2] = palette.colors[c].b - bg.b;
    }
    const Uint32 backgroundPixel =
        (static_cast<Uint32>(bg.r) << 16) | (static_cast<Uint32>(bg.g) << 8) | bg.b;
    Uint8 backgroundChunk[kChunk];
    std::memset(backgroundChunk, background, kChunk);
    std::vector<int> sums(3 * static_cast<size_t>(out->w));
    for (int oy = 0; oy < out->h; ++oy) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int k = 0; k < f; ++k) {
            const Uint8* row = static_cast<const Uint8*>(big->pixels) +
                               static_cast<size_t>(oy * f + k) * big->pitch;
            for (int x = 0; x < big->w; x += kChunk) {
                const int count = std::min(kChunk, big->w - x);
                if (count == kChunk && std::memcmp(row + x, backgroundChunk, kChunk) == 0) {
                    continue;  // the common case: background only
                }
                for (int n = 0; n < count; ++n) {
                    const Uint8 index = row[x + n];
                    if (index != background) {
                        int* sum = &sums[3 * static_cast<size_t>((x + n) / f)];
                        sum[0] += delta[index][0];
                        sum[1] += delta[index][1];
                        sum[2] += delta[index][2];
                    }
                }
            }
        }
        auto* target = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) +
                                                 static_cast<size_t>(oy) * out->pitch);
        for (int ox = 0; ox < out->w; ++ox) {
            const int* sum = &sums[3 * static_cast<size_t>(ox)];
            if ((sum[0] | sum[1] | sum[2]) == 0) {
                target[ox] = backgroundPixel;  // most blocks: nothing but background
                continue;
            }
            target[ox] = (meanChannel(bg.r, sum[0], f * f) << 16) |
                         (meanChannel(bg.g, sum[1], f * f) << 8) | meanChannel(bg.b, sum[2], f * f);
        }
    }
    return out;
}
