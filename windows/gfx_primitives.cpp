// Debian's SDL_gfx source package could not be fetched for the Windows build, and the editor
// needs only four of its functions: an outline, a box, a filled polygon and a circle, each blended
// as SDL_gfx blends (every channel moves towards the colour by alpha / 256).
#include <SDL_gfxPrimitives.h>

#include <algorithm>
#include <vector>

namespace {

/// Blends one pixel when it lies inside the surface's clip rectangle.
void blendPixel(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    const SDL_Rect& clip = surface->clip_rect;
    if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h) {
        return;
    }
    const SDL_PixelFormat* format = surface->format;
    if (format->BytesPerPixel != 4 || a == 255) {
        SDL_Rect dot{static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
        SDL_FillRect(surface, &dot, SDL_MapRGB(surface->format, r, g, b));
        return;
    }
    Uint32* pixel = static_cast<Uint32*>(surface->pixels) + y * surface->pitch / 4 + x;
    Uint8 dr = 0, dg = 0, db = 0;
    SDL_GetRGB(*pixel, surface->format, &dr, &dg, &db);
    const auto towards = [a](Uint8 from, Uint8 to) {
        return static_cast<Uint8>(from + (((to - from) * a) >> 8));
    };
    *pixel = SDL_MapRGB(surface->format, towards(dr, r), towards(dg, g), towards(db, b));
}

/// Runs plot on the surface locked as SDL asks; returns 0, or -1 when it cannot be locked.
template <typename Plot>
int locked(SDL_Surface* surface, Plot plot) {
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return -1;
    }
    plot();
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    return 0;
}

}  // namespace

int rectangleRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g,
                  Uint8 b, Uint8 a) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    return locked(dst, [&] {
        for (int x = left; x <= right; ++x) {
            blendPixel(dst, x, top, r, g, b, a);
            if (bottom != top) {
                blendPixel(dst, x, bottom, r, g, b, a);
            }
        }
        for (int y = top + 1; y < bottom; ++y) {
            blendPixel(dst, left, y, r, g, b, a);
            if (right != left) {
                blendPixel(dst, right, y, r, g, b, a);
            }
        }
    });
}

int boxRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b,
            Uint8 a) {
    const int left = std::max<int>(std::min(x1, x2), dst->clip_rect.x);
    const int right = std::min<int>(std::max(x1, x2), dst->clip_rect.x + dst->clip_rect.w - 1);
    const int top = std::max<int>(std::min(y1, y2), dst->clip_rect.y);
    const int bottom = std::min<int>(std::max(y1, y2), dst->clip_rect.y + dst->clip_rect.h - 1);
    return locked(dst, [&] {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                blendPixel(dst, x, y, r, g, b, a);
            }
        }
    });
}

int circleRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, Sint16 rad, Uint8 r, Uint8 g, Uint8 b,
               Uint8 a) {
    if (rad < 0) {
        return -1;
    }
    return locked(dst, [&] {
        // The midpoint circle, one octant computed and mirrored into the other seven; a point
        // shared by two octants is drawn once.
        int dx = rad, dy = 0, error = 1 - rad;
        while (dy <= dx) {
            const int points[8][2] = {{dx, dy},   {dy, dx},   {-dy, dx}, {-dx, dy},
                                      {-dx, -dy}, {-dy, -dx}, {dy, -dx}, {dx, -dy}};
            for (int p = 0; p < 8; ++p) {
                const bool repeated = std::any_of(points, points + p, [&](const int* q) {
                    return q[0] == points[p][0] && q[1] == points[p][1];
                });
                if (!repeated) {
                    blendPixel(dst, x + points[p][0], y + points[p][1], r, g, b, a);
                }
            }
            ++dy;
            if (error < 0) {
                error += 2 * dy + 1;
            } else {
                --dx;
                error += 2 * (dy - dx) + 1;
            }
        }
    });
}

int filledPolygonRGBA(SDL_Surface* dst, const Sint16* vx, const Sint16* vy, int n, Uint8 r, Uint8 g,
                      Uint8 b, Uint8 a) {
    if (n < 3) {
        return -1;
    }
    const int top = *std::min_element(vy, vy + n), bottom = *std::max_element(vy, vy + n);
    std::vector<int> crossings;
    return locked(dst, [&] {
        // Each row is filled between pairs of the edges' crossings with it, taken at the row's
        // middle, so a shared vertex is counted once.
        for (int y = top; y <= bottom; ++y) {
            crossings.clear();
            const float row = static_cast<float>(y) + 0.5f;
            for (int i = 0, j = n - 1; i < n; j = i++) {
                const float y0 = vy[j], y1 = vy[i];
                if ((y0 <= row) != (y1 <= row)) {
                    const float t = (row - y0) / (y1 - y0);
                    crossings.push_back(static_cast<int>(vx[j] + t * (vx[i] - vx[j]) + 0.5f));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                for (int x = crossings[k]; x < crossings[k + 1]; ++x) {
                    blendPixel(dst, x, y, r, g, b, a);
                }
            }
        }
    });
}
