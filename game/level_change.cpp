#include "game/level_change.h"

#include "game/playfield.h"
#include "render/render.h"

namespace {

constexpr int kKillTargetStep = 20;
constexpr int kPlayerRebirthFrames = 2;  ///< the player is reborn two frames into the new level
constexpr int kEnemyRebirthFrames = 50;

}  // namespace

void advanceLevel(GameState& state) {
    if (state.screen != nullptr) {
        blitAt(state.images.levelUp, nullptr, state.screen, 0, 0);
        SDL_Flip(state.screen);
    }
    if (state.pacing.levelUpWaitMs > 0) {
        SDL_Delay(state.pacing.levelUpWaitMs);
    }

    // Everyone is reborn without an explosion: the player after 2 frames, enemies after 50.
    state.player.respawnCountdown = kPlayerRebirthFrames;
    for (Ship& enemy : state.enemies) {
        enemy.respawnCountdown = kEnemyRebirthFrames;
    }
    state.ammo.fill(0);

    // Levels cycle; a Lattice met again keeps whatever bends black holes gave it.
    if (state.levels != nullptr && state.levels->count > 0) {
        state.levelIndex = (state.levelIndex + 1) % state.levels->count;
        state.currentLattice = state.levels->lattices[state.levelIndex].get();
    }
    state.killTarget += kKillTargetStep;
    state.kills = 0;

    state.shots.live.fill(0);
    state.explosions.live.fill(0);

    // The weapon, rapid fire, the Camera and the ring's next index stay as they are.
    redrawPlayfield(state);
}
