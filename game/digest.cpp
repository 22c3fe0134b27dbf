#include "game/digest.h"

#include <cstring>

namespace {

void hashLattice(Fnv& fnv, const Lattice& lattice) {
    fnv.value(lattice.columns);
    fnv.value(lattice.rows);
    for (int i = 0; i < lattice.columns; ++i) {
        for (int j = 0; j < lattice.rows; ++j) {
            fnv.value(lattice.node(i, j));
        }
    }
}

}  // namespace

uint64_t stateDigest(const GameState& state) {
    static_assert(sizeof(Ship) == 12 * 4 && sizeof(LatticeNode) == 10 * 4 &&
                  sizeof(PicturePos) == 2 * 4);
    Fnv fnv;
    fnv.value(state.player);
    fnv.value(state.enemies);
    fnv.value(state.shots.shots);
    fnv.value(state.shots.live);
    fnv.value(state.shots.next);
    fnv.value(state.explosions.explosions);
    fnv.value(state.explosions.live);
    fnv.value(state.explosions.next);
    fnv.value(state.ammo);
    const int counters[] = {state.lastFireTicks, state.rapidFireTicks, state.kills,
                            state.killTarget,    state.levelIndex,     state.running,
                            state.drawnCellX,    state.drawnCellY};
    fnv.value(counters);
    const int camera[] = {state.camera.x, state.camera.y, state.camera.w, state.camera.h};
    fnv.value(camera);
    fnv.value(state.playerPicturePos);
    fnv.value(state.enemyPicturePos);
    if (state.levels != nullptr) {
        for (int l = 0; l < state.levels->count; ++l) {
            hashLattice(fnv, *state.levels->lattices[l]);
        }
    }
    return fnv.hash;
}
