// What a player hears, caught at the sound card: SDL's disk audio driver writes every mixed
// sample to a file, so a run over the real data folder can be listened to by reading that file.
// Firing the laser, thrusting and the player's death are heard; firing the simple shot and holding
// nothing are not.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"

namespace {

/// Wall-clock time given to the mixer's thread after the last frame (past the thrust's 125 ms
/// fade-in), so that what was started is mixed and written before the device closes. The disk
/// driver writes a 4096-sample block every 5 ms.
constexpr Uint32 kMixTimeMs = 150;

struct Heard {
    long samples = 0;  ///< 16-bit mono samples written
    long nonZero = 0;  ///< of them not silent
    int peak = 0;      ///< largest magnitude
};

/// Runs `frames` frames of the real game from the data folder with `held` keys, the enemies never
/// born, and listens to what the disk audio driver wrote.
Heard listen(int weapon, int health, int frames, std::initializer_list<SDLKey> held,
             int& liveShots) {
    const std::string audio = "/tmp/lumen-sound-" + std::to_string(getpid()) + ".raw";
    char cwd[PATH_MAX];
    EXPECT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(chdir(LUMEN_DATA_DIR), 0) << "no data folder at " << LUMEN_DATA_DIR;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", audio.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);
    EXPECT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Surface* screen = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
    std::string reason;
    SDL_Surface* front = loadImage("play/front.bmp", &reason);
    SDL_Surface* title = loadImage("images/titlescreen.bmp", &reason);
    auto state = std::make_unique<GameState>();
    EXPECT_TRUE(setUpGame(*state, screen, front, title, kLevelFile, &reason)) << reason;
    EXPECT_NE(state->sounds.laser, nullptr) << "the disk audio device did not open";
    for (Ship& enemy : state->enemies) {
        enemy.respawnCountdown = INT_MAX;
    }
    state->player.weapon = weapon;
    state->player.health = health;
    state->ammo[1] = 10;
    std::vector<Uint8> keys(SDLK_LAST, 0);
    for (SDLKey key : held) {
        keys[key] = 1;
    }
    for (int n = 1; n <= frames; ++n) {
        FrameInput input;
        input.keys = keys.data();
        input.ticks = 1000 + 20 * static_cast<Uint32>(n);
        runFrame(*state, input);
    }
    liveShots = 0;
    for (Uint8 live : state->shots.live) {
        liveShots += live;
    }
    SDL_Delay(kMixTimeMs);
    releaseGame(*state);
    SDL_FreeSurface(front);
    SDL_FreeSurface(title);
    SDL_Quit();
    EXPECT_EQ(chdir(cwd), 0);

    std::ifstream in(audio, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    std::remove(audio.c_str());
    Heard heard;
    for (size_t n = 0; n + 1 < bytes.size(); n += 2) {
        const int sample = std::abs(static_cast<int16_t>(bytes[n] | (bytes[n + 1] << 8)));
        ++heard.samples;
        heard.nonZero += sample != 0 ? 1 : 0;
        heard.peak = std::max(heard.peak, sample);
    }
    return heard;
}

TEST(HeardRun, LaserAndThrustAreHeardTheSimpleShotAndNothingHeldAreNot) {
    struct Case {
        const char* what;
        int weapon;
        int health;
        int frames;
        std::initializer_list<SDLKey> held;
        int shots;  ///< live after the run: 10 frames of Space fire exactly once
        bool heard;
    };
    const Case cases[] = {{"nothing held", 1, 100, 30, {}, 0, false},
                          {"the laser fired once", 1, 100, 10, {SDLK_SPACE}, 1, true},
                          {"the simple shot fired once", 0, 100, 10, {SDLK_SPACE}, 1, false},
                          {"Up held", 1, 100, 12, {SDLK_UP}, 0, true},
                          {"the player's death", 1, -1, 1, {}, -1, true}};
    for (const Case& c : cases) {
        int shots = -1;
        const Heard heard = listen(c.weapon, c.health, c.frames, c.held, shots);
        EXPECT_TRUE(shots == c.shots || c.shots < 0) << c.what;  // a death drops debris
        EXPECT_GT(heard.samples, 4096) << c.what << ": the device wrote less than one block";
        if (c.heard) {
            EXPECT_GT(heard.nonZero, 1000) << c.what;
            EXPECT_GT(heard.peak, 1000) << c.what;
        } else {
            EXPECT_EQ(heard.nonZero, 0) << c.what;
        }
    }
}

}  // namespace
