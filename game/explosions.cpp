#include "game/explosions.h"

#include <array>

#include "game/picture_velocity.h"
#include "render/render.h"

namespace {

/// Pixels from an image's top-left corner to the blast point, by ExplosionKind.
constexpr std::array<int, kExplosionKindCount> kBlastOffset = {90, 90, 50};

}  // namespace

void drawExplosions(GameState& state) {
    ExplosionRing& ring = state.explosions;
    for (int r = 0; r < kExplosionRingSize; ++r) {
        if (ring.live[r] == 0) {
            continue;
        }
        Explosion& blast = ring.explosions[r];
        if (state.currentLattice != nullptr && state.screen != nullptr) {
            const PicturePos p = picturePosition(*state.currentLattice, blast.x, blast.y);
            const int offset = kBlastOffset[blast.kind];
            blitAt(state.images.explosion[kExplosionFrames * blast.kind + blast.age], nullptr,
                   state.screen, static_cast<int>(p.x - state.camera.x - offset),
                   static_cast<int>(p.y - state.camera.y - offset));
        }
        // Six frames, one per frame of play, then the slot is free.
        blast.age += 1;
        if (blast.age >= kExplosionFrames) {
            ring.live[r] = 0;
        }
    }
}
