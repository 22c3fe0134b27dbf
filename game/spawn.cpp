#include "game/spawn.h"

#include <cstdlib>

namespace {

constexpr int kSwarmSpreadSteps = 20;      ///< whole steps of the fan, centred on the heading
constexpr double kSwarmSpreadStep = 40.0;  ///< steps per radian

}  // namespace

double swarmSpread() {
    return (std::rand() % kSwarmSpreadSteps - kSwarmSpreadSteps / 2) / kSwarmSpreadStep;
}

void playSound(Mix_Chunk* chunk) {
    if (chunk == nullptr) {
        return;
    }
    Mix_PlayChannelTimed(-1, chunk, 0, -1);  // every channel is at kVolume from the set-up
}
