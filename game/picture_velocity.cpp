#include "game/picture_velocity.h"

PicturePos picturePosition(const Lattice& lattice, float worldX, float worldY) {
    PicturePos position{0.0f, 0.0f};
    lattice.mapPoint(worldX / 100.0f, worldY / 100.0f, position.x, position.y, false, false);
    return position;
}

PictureVec pictureDirection(const Lattice& lattice, float worldX, float worldY, float du,
                            float dv) {
    PictureVec direction{0.0f, 0.0f};
    lattice.mapDirection(worldX / 100.0f, worldY / 100.0f, du, dv, direction.x, direction.y);
    return direction;
}
