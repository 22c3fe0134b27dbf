// One frame of play: the passes of the game in their fixed order.
#include "game/frame.h"

#include <cassert>

#include "game/collisions.h"
#include "game/enemies.h"
#include "game/explosions.h"
#include "game/hud.h"
#include "game/level_change.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/shots.h"
#include "render/render.h"

namespace {

/// Only a quit request matters; it lets this frame finish and stops the loop before the next.
void takeEvent(GameState& state, const FrameInput& input) {
    if (input.hasEvent && input.event.type == SDL_QUIT) {
        state.running = 0;
    }
}

/// Every ship's picture position, alive or not, for the shot pass. A position the Lattice cannot
/// map keeps its previous value.
void mapShipPositions(GameState& state) {
    const Lattice& lattice = *state.currentLattice;
    lattice.mapPoint(state.player.x / kWorldUnitsPerLatticeUnit,
                     state.player.y / kWorldUnitsPerLatticeUnit, state.playerPicturePos.x,
                     state.playerPicturePos.y, false, false);
    for (int e = 0; e < kEnemyCount; ++e) {
        const Ship& enemy = state.enemies[e];
        lattice.mapPoint(enemy.x / kWorldUnitsPerLatticeUnit, enemy.y / kWorldUnitsPerLatticeUnit,
                         state.enemyPicturePos[e].x, state.enemyPicturePos[e].y, false, false);
    }
}

}  // namespace

void runFrame(GameState& state, const FrameInput& input) {
    assert(input.keys != nullptr && state.currentLattice != nullptr);
    // The 20 ms wait before the frame is the caller's.
    SDL_FillRect(state.screen, nullptr, 0);  // clear the screen
    followCameraCell(state);                 // redraw the Playfield for a new Camera cell
    drawBackground(state);                   // the visible part of the Playfield
    takeEvent(state, input);                 // one event; a quit ends the loop after this frame
    updatePlayer(state, input);              // controls, firing, motion, camera, sprite; or respawn
    mapShipPositions(state);                 // picture positions for the shot pass
    updateShots(state, input);               // shots, hits, pick-ups; a black hole bends the arena
    updateEnemies(state);                    // the five enemies
    drawExplosions(state);                   // the explosion frames
    resolveShipCollisions(state);            // ships in contact bounce and lose health
    drawHud(state);                          // the panel and gauges, then the flip
    if (state.kills >= state.killTarget) {
        advanceLevel(state);  // level complete: the next Lattice
    }
}
