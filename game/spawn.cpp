#include "game/spawn.h"

void playSound(Mix_Chunk* chunk) {
    if (chunk == nullptr) {
        return;
    }
    const int channel = Mix_PlayChannelTimed(-1, chunk, 0, -1);
    if (channel >= 0) {
        Mix_Volume(channel, 64);
    }
}
