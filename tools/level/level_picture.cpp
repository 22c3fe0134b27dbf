#include "level_picture.h"

#include <SDL.h>

#include <cmath>

#include "render/render.h"

namespace {

constexpr int kMargin = 4;          // pixels around the drawing
constexpr int kLargestSide = 8192;  // pixels; larger pictures are refused
}  // namespace

bool renderLevelPicture(const Lattice& lattice, PictureStyle style, const std::string& path,
                        std::string* reason) {
    PictureBox box;
    latticePictureBox(lattice, style == PictureStyle::Reference, box);
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
