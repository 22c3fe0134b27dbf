// The one-pixel line walker every Lattice picture is drawn with. It does not clip and does not
// lock: a line with an end point outside the valid window is dropped whole.

#include "render/pixel_store.h"
#include "render/render.h"

namespace {

// One writer per pixel size. Unit is the pointer type the walker steps: an x step is kStride units
// (three bytes for 3-byte pixels, otherwise one pixel), a y step is one pitch in those units.
struct Pixel8 {
    using Unit = Uint8;
    static constexpr int kStride = 1;
    static void store(Unit* p, Uint32 value) { *p = static_cast<Uint8>(value); }
};

struct Pixel16 {
    using Unit = Uint16;
    static constexpr int kStride = 1;
    static void store(Unit* p, Uint32 value) { *p = static_cast<Uint16>(value); }
};

struct Pixel24 {
    using Unit = Uint8;
    static constexpr int kStride = 3;
    static void store(Unit* p, Uint32 value) { storeThreeBytes(p, value); }
};

struct Pixel32 {
    using Unit = Uint32;
    static constexpr int kStride = 1;
    static void store(Unit* p, Uint32 value) { *p = value; }
};

/// Walks dx ≥ 0, dy ≥ 0 from p with signed steps; both ends lie in the window, so no bounds test.
/// The walker moves along the minor axis as soon as the error turns positive, so the k-th pixel is
/// ceil(k · minor / major) off the major axis and the line ends exactly on its second end point.
template <typename Pixel>
void walkLine(typename Pixel::Unit* p, int dx, int dy, int stepX, int stepY, Uint32 value) {
    int err = 0;
    if (dx > dy) {
        for (int n = dx + 1; n > 0; --n) {
            Pixel::store(p, value);
            p += stepX;
            err += dy;
            if (err > 0) {
                err -= dx;
                p += stepY;
            }
        }
    } else {
        for (int n = dy + 1; n > 0; --n) {
            Pixel::store(p, value);
            p += stepY;
            err += dx;
            if (err > 0) {
                err -= dy;
                p += stepX;
            }
        }
    }
}

/// Sets up the pointer and steps for one pixel size and runs the walker.
template <typename Pixel>
void drawWith(SDL_Surface* surface, int x1, int y1, int dx, int dy, bool backX, bool backY,
              Uint32 value) {
    using Unit = typename Pixel::Unit;
    const int rowUnits = surface->pitch / static_cast<int>(sizeof(Unit));
    Unit* p = static_cast<Unit*>(surface->pixels) +
              y1 * surface->pitch / static_cast<int>(sizeof(Unit)) + x1 * Pixel::kStride;
    const int stepX = backX ? -Pixel::kStride : Pixel::kStride;
    const int stepY = backY ? -rowUnits : rowUnits;
    walkLine<Pixel>(p, dx, dy, stepX, stepY, value);
}

}  // namespace

void drawLine(SDL_Surface* surface, int x1, int y1, int x2, int y2, Uint8 r, Uint8 g, Uint8 b) {
    if (!insideWindow(surface, x1, y1) || !insideWindow(surface, x2, y2)) {
        return;
    }
    drawLineValue(surface, x1, y1, x2, y2, SDL_MapRGB(surface->format, r, g, b));
}

void drawLineValue(SDL_Surface* surface, int x1, int y1, int x2, int y2, Uint32 value) {
    if (!insideWindow(surface, x1, y1) || !insideWindow(surface, x2, y2)) {
        return;
    }
    int dx = x2 - x1;
    int dy = y2 - y1;
    const bool backY = dy < 0;
    const bool backX = dx < 0;
    if (backY) {
        dy = -dy;
    }
    if (backX) {
        dx = -dx;
    }
    switch (surface->format->BytesPerPixel) {
        case 1:
            drawWith<Pixel8>(surface, x1, y1, dx, dy, backX, backY, value);
            break;
        case 2:
            drawWith<Pixel16>(surface, x1, y1, dx, dy, backX, backY, value);
            break;
        case 3:
            drawWith<Pixel24>(surface, x1, y1, dx, dy, backX, backY, value);
            break;
        case 4:
            drawWith<Pixel32>(surface, x1, y1, dx, dy, backX, backY, value);
            break;
        default:
            break;  // no other pixel size is drawn
    }
}
