#include "level_picture.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "render/render.h"

namespace {

constexpr int kMargin = 4;            // pixels around the drawing
constexpr int kLargestSide = 8192;    // pixels; larger pictures are refused
constexpr float kCellPixels = 40.0f;  // the undeformed view's cell size

/// Picture bounding box of everything a style draws.
struct Box {
    float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    void add(float x, float y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
};

Box drawnBox(const Lattice& lattice, PictureStyle style) {
    Box box;
    if (style == PictureStyle::Reference) {
        box.add(0.0f, 0.0f);
        box.add(lattice.columns * kCellPixels, lattice.rows * kCellPixels);
        for (float s = 0.0f; s < lattice.rimCount; s += 0.1f) {
            float u = 0, v = 0;
            lattice.rimPoint(s, u, v);
            box.add(u * kCellPixels, v * kCellPixels);
        }
        return box;
    }
    // Grid lines run up to one cell past the last node; rim ticks reach a little outside the rim.
    for (float v = 0.0f; v < lattice.rows; v += 1.0f) {
        for (float u = 0.0f; u <= lattice.columns; u += 0.05f) {
            float x = 0, y = 0;
            lattice.mapPoint(u, v, x, y, false, true);
            box.add(x, y);
        }
    }
    for (float u = 0.0f; u < lattice.columns; u += 1.0f) {
        for (float v = 0.0f; v < lattice.rows; v += 0.05f) {
            float x = 0, y = 0;
            lattice.mapPoint(u, v, x, y, true, false);
            box.add(x, y);
        }
    }
    float previousX = 0, previousY = 0;
    for (float s = 0.0f; s < lattice.rimCount; s += 0.05f) {
        float u = 0, v = 0, x = 0, y = 0;
        lattice.rimPoint(s, u, v);
        lattice.mapPoint(u, v, x, y, false, false);
        const float dx = x - previousX, dy = y - previousY;
        if (s > 0.0f) {
            box.add(x + dy, y - dx);
            box.add(previousX - dy, previousY + dx);
        }
        box.add(x, y);
        previousX = x;
        previousY = y;
    }
    return box;
}

}  // namespace

bool renderLevelPicture(const Lattice& lattice, PictureStyle style, const std::string& path,
                        std::string* reason) {
    const Box box = drawnBox(lattice, style);
    const double width = std::floor(box.maxX) - std::floor(box.minX) + 2 * kMargin + 1;
    const double height = std::floor(box.maxY) - std::floor(box.minY) + 2 * kMargin + 1;
    if (!(width <= kLargestSide && height <= kLargestSide)) {
        *reason = "level picture would be larger than " + std::to_string(kLargestSide) +
                  " pixels on a side";
        return false;
    }
    SDL_Surface* picture =
        SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(width), static_cast<int>(height), 32,
                             0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    if (picture == nullptr) {
        *reason = std::string("cannot create the picture: ") + SDL_GetError();
        return false;
    }
    SDL_FillRect(picture, nullptr, 0);
    const int offsetX = kMargin - static_cast<int>(std::floor(box.minX));
    const int offsetY = kMargin - static_cast<int>(std::floor(box.minY));
    switch (style) {
        case PictureStyle::Full:
            drawLattice(picture, lattice, 1, offsetX, offsetY);
            break;
        case PictureStyle::Coarse:
            drawLatticeCoarse(picture, lattice, 1, offsetX, offsetY);
            break;
        case PictureStyle::Reference:
            // The reference grid is black: show it on white.
            SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 255, 255, 255));
            drawLatticeReference(picture, lattice, 1, offsetX, offsetY);
            break;
    }
    const bool saved = SDL_SaveBMP(picture, path.c_str()) == 0;
    SDL_FreeSurface(picture);
    if (!saved) {
        *reason = path + ": cannot write: " + SDL_GetError();
    }
    return saved;
}
