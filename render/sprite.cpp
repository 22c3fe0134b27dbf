// Sprites: a rotation, a forward mapping of 32-bit source pixels about a pivot, no filtering, no
// transparency test of its own (the caller's scratch surface and blit provide that); and the blit
// that puts a picture's corner at a point.

#include <algorithm>
#include <cmath>

#include "render/render.h"

void blitAt(SDL_Surface* image, const SDL_Rect* part, SDL_Surface* target, int x, int y) {
    if (image == nullptr) {
        return;
    }
    // SDL reads only the corner of the destination, and writes the clipped rectangle into it.
    SDL_Rect corner{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_Rect source = part != nullptr ? *part : SDL_Rect{};
    SDL_UpperBlit(image, part != nullptr ? &source : nullptr, target, &corner);
}

int rotateSprite(SDL_Surface* target, const SDL_Rect& position, SDL_Surface* source,
                 const SDL_Rect& sourceRect, float angle, const SDL_Rect& pivot) {
    // One sine and one cosine per call, evaluated in double and kept as floats.
    const float sn = static_cast<float>(std::sin(static_cast<double>(angle)));
    const float cs = static_cast<float>(std::cos(static_cast<double>(angle)));
    if (source->format->BytesPerPixel != target->format->BytesPerPixel) {
        return -1;
    }
    if (source->format->BytesPerPixel != 4) {
        return 0;
    }
    // A non-finite angle has no rotated position: converting it to a pixel index is undefined.
    if (!std::isfinite(angle)) {
        return 0;
    }
    const int rowCount = std::min<int>(sourceRect.h, source->h);
    const int colCount = std::min<int>(sourceRect.w, source->w);
    // Rows and columns of the rectangle that fall outside the source have no pixels to read; they
    // are skipped rather than read from beyond the surface's memory.
    const int firstRow = std::max(0, -sourceRect.y);
    const int endRow = std::min(rowCount, source->h - sourceRect.y);
    const int firstCol = std::max(0, -sourceRect.x);
    const int endCol = std::min(colCount, source->w - sourceRect.x);

    const Uint32* sourcePixels = static_cast<const Uint32*>(source->pixels);
    Uint32* targetPixels = static_cast<Uint32*>(target->pixels);
    for (int j = firstRow; j < endRow; ++j) {
        const int v = sourceRect.y + j - pivot.y;
        const Uint32* from =
            sourcePixels + (sourceRect.y + j) * source->pitch / 4 + sourceRect.x + firstCol;
        for (int i = firstCol; i < endCol; ++i, ++from) {
            const int u = sourceRect.x + i - pivot.x;
            const int tx = position.x + static_cast<int>(u * cs + v * sn);
            const int ty = position.y + static_cast<int>(v * cs - u * sn);
            if (0 < tx && tx < target->w && 0 < ty && ty < target->h) {
                // The pixel to the right gets a copy too, which closes the gaps the forward
                // mapping leaves between rotated pixels.
                Uint32* to = targetPixels + ty * target->pitch / 4 + tx;
                to[0] = *from;
                if (tx + 1 < target->w) {
                    to[1] = *from;
                }
            }
        }
    }
    return 0;
}
