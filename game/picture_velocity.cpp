#include "game/picture_velocity.h"

#include "shared/data_contract.h"

PicturePos picturePosition(const Lattice& lattice, float worldX, float worldY) {
    PicturePos position{0.0f, 0.0f};
    lattice.mapPoint(worldX / kWorldUnitsPerLatticeUnit, worldY / kWorldUnitsPerLatticeUnit,
                     position.x, position.y, false, false);
    return position;
}

PictureVec pictureDirection(const Lattice& lattice, float worldX, float worldY, float du,
                            float dv) {
    PictureVec direction{0.0f, 0.0f};
    lattice.mapDirection(worldX / kWorldUnitsPerLatticeUnit, worldY / kWorldUnitsPerLatticeUnit, du,
                         dv, direction.x, direction.y);
    return direction;
}
