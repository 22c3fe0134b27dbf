// What a player hears, caught at the sound card: SDL's disk audio driver writes every mixed
// sample to a file, so a run over the real data folder can be listened to by reading that file.
// Firing the laser and thrusting are heard; firing the simple shot and holding nothing are not.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/game.h"
#include "game/spawn.h"

namespace {

constexpr int kFrameMs = 20;
/// Wall-clock time given to the mixer's thread after the last frame, so that what was started is
/// mixed and written before the device closes. The disk driver writes a 4096-sample block every
/// kBlockDelayMs.
constexpr Uint32 kMixTimeMs = 150;
constexpr const char* kBlockDelayMs = "5";

struct Loudness {
    long samples = 0;     ///< 16-bit mono samples written
    long nonZero = 0;     ///< of them not silent
    int peak = 0;         ///< largest magnitude
    double energy = 0.0;  ///< sum of the squared samples, full scale 1
};

Loudness listen(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    Loudness result;
    for (size_t n = 0; n + 1 < bytes.size(); n += 2) {
        const int sample = static_cast<int16_t>(bytes[n] | (bytes[n + 1] << 8));
        const int magnitude = sample < 0 ? -sample : sample;
        ++result.samples;
        result.nonZero += magnitude != 0 ? 1 : 0;
        result.peak = magnitude > result.peak ? magnitude : result.peak;
        result.energy += (sample / 32768.0) * (sample / 32768.0);
    }
    return result;
}

/// A run of the real game from the data folder with the disk audio driver writing to a file of
/// its own; the enemies never come, so only the player makes sounds.
class HeardRun : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/lumen-sound-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        scratch_ = folder;
        audioFile_ = scratch_ + "/audio.raw";
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous_ = cwd;
        ASSERT_EQ(chdir(LUMEN_DATA_DIR), 0) << "no data folder at " << LUMEN_DATA_DIR;

        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", audioFile_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", kBlockDelayMs, 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO), 0) << SDL_GetError();
        screen_ = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
        ASSERT_NE(screen_, nullptr) << SDL_GetError();
        std::string reason;
        front_ = loadImage("play/front.bmp", &reason);
        title_ = loadImage("images/titlescreen.bmp", &reason);
        ASSERT_NE(front_, nullptr) << reason;
        ASSERT_NE(title_, nullptr) << reason;
        ASSERT_TRUE(setUpGame(*state_, screen_, front_, title_, kLevelFile, &reason)) << reason;
        ASSERT_NE(state_->sounds.laser, nullptr) << "the disk audio device did not open";
        for (Ship& enemy : state_->enemies) {
            enemy.respawnCountdown = INT_MAX;
        }
    }

    void TearDown() override {
        if (screen_ != nullptr) {
            releaseGame(*state_);
        }
        SDL_FreeSurface(front_);
        SDL_FreeSurface(title_);
        SDL_Quit();
        if (!previous_.empty()) {
            EXPECT_EQ(chdir(previous_.c_str()), 0);
        }
        std::remove(audioFile_.c_str());
        rmdir(scratch_.c_str());
    }

    void frames(int count, std::initializer_list<SDLKey> held) {
        std::vector<Uint8> keys(SDLK_LAST, 0);
        for (SDLKey key : held) {
            keys[key] = 1;
        }
        for (int n = 0; n < count; ++n) {
            ticks_ += kFrameMs;
            FrameInput input;
            input.keys = keys.data();
            input.ticks = ticks_;
            runFrame(*state_, input);
        }
    }

    /// Lets the mixer catch up, closes the device and reads what it wrote.
    Loudness stopAndListen() {
        SDL_Delay(kMixTimeMs);
        releaseGame(*state_);
        return listen(audioFile_);
    }

    std::unique_ptr<GameState> state_ = std::make_unique<GameState>();
    SDL_Surface* screen_ = nullptr;
    SDL_Surface* front_ = nullptr;
    SDL_Surface* title_ = nullptr;
    Uint32 ticks_ = 1000;
    std::string scratch_;
    std::string audioFile_;
    std::string previous_;
};

TEST_F(HeardRun, NothingHeldIsSilent) {
    frames(30, {});
    const Loudness heard = stopAndListen();
    EXPECT_GT(heard.samples, 4096) << "the device wrote less than one block";
    EXPECT_EQ(heard.nonZero, 0);
}

TEST_F(HeardRun, FiringTheLaserIsHeard) {
    state_->ammo[1] = 10;
    state_->player.weapon = 1;
    frames(10, {SDLK_SPACE});  // 200 ms: one shot; the next comes 220 ms after it
    EXPECT_EQ(state_->ammo[1], 9) << "the laser was not fired exactly once";
    EXPECT_EQ(state_->player.weapon, 1);
    const Loudness heard = stopAndListen();
    EXPECT_GT(heard.nonZero, 1000);
    EXPECT_GT(heard.peak, 1000);
}

TEST_F(HeardRun, TheSimpleShotIsSilent) {
    state_->player.weapon = 0;
    frames(10, {SDLK_SPACE});
    int live = 0;
    for (int n = 0; n < kShotRingSize; ++n) {
        live += state_->shots.live[n];
    }
    EXPECT_EQ(live, 1) << "the simple shot was not fired";
    const Loudness heard = stopAndListen();
    EXPECT_GT(heard.samples, 4096);
    EXPECT_EQ(heard.nonZero, 0);
}

TEST_F(HeardRun, ThrustIsHeardWhileUpIsHeld) {
    frames(12, {SDLK_UP});
    EXPECT_NE(state_->thrustChannel, -1);
    SDL_Delay(kMixTimeMs);  // past the 125 ms fade-in, still held
    const Loudness heard = stopAndListen();
    EXPECT_GT(heard.nonZero, 1000);
    EXPECT_GT(heard.peak, 1000);
}

// The busiest moment: all five enemies born on top of each other collide and explode while the ship
// thrusts and fires the laser. Sounds started in one mixer block add up exactly, yet none clips.
TEST_F(HeardRun, TheBusiestMomentStaysBelowFullScale) {
    state_->ammo[1] = 50;
    state_->player.weapon = 1;
    frames(5, {SDLK_UP, SDLK_SPACE});
    SDL_Delay(kMixTimeMs);  // the thrust loop past its fade-in, which ends at the volume it began
    EXPECT_EQ(Mix_Volume(state_->thrustChannel, -1), 64);
    for (Ship& enemy : state_->enemies) {
        enemy.respawnCountdown = 2;  // born next frame, piled up in the corners
    }
    frames(8, {SDLK_UP, SDLK_SPACE});
    for (Ship& enemy : state_->enemies) {
        enemy.health = -1;  // any that outlived the pile-up die together now
    }
    frames(30, {SDLK_UP, SDLK_SPACE});
    EXPECT_EQ(state_->kills, kEnemyCount);
    const Loudness heard = stopAndListen();
    EXPECT_GT(heard.peak, 16000) << "the busy moment was not heard";
    EXPECT_LT(heard.peak, 32767) << "the mix reached full scale";
}

// Each sound alone is as loud as before: its RMS over its own length in dBFS, heard at volume 64,
// within 3 dB of what this test measured on the game before the mixer had a limiter.
const std::pair<Mix_Chunk * Sounds::*, double> kLevelsBefore[] = {
    {&Sounds::largeExplosion, -29.22},  {&Sounds::smallExplosion, -28.62},
    {&Sounds::smallFastImpact, -26.70}, {&Sounds::laser, -19.54},
    {&Sounds::thrust, -20.20},          {&Sounds::shipCollide, -27.14},
    {&Sounds::respawn, -22.72},         {&Sounds::spaceWarp, -21.77}};
class HeardAlone : public HeardRun, public ::testing::WithParamInterface<int> {};

TEST_P(HeardAlone, AsLoudAsBefore) {
    Mix_Chunk* chunk = state_->sounds.*kLevelsBefore[GetParam()].first;
    const double samples = chunk->alen / 2.0;  // read now: the chunk is freed with the device
    playSound(chunk);  // mixed to its end in the wait for the mixer: at most 9 blocks
    const double rmsDb = 10.0 * std::log10(stopAndListen().energy / samples);
    EXPECT_NEAR(rmsDb, kLevelsBefore[GetParam()].second, 3.0);
}
INSTANTIATE_TEST_SUITE_P(EverySound, HeardAlone, ::testing::Range(0, 8));

}  // namespace
