// What a player hears, caught at the sound card: SDL's disk audio driver writes every mixed
// sample to a file, so a run over the real data folder can be listened to by reading that file.
// Then the limiter alone, on made-up signals.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

struct Heard {
    long samples = 0, nonZero = 0;  ///< 16-bit mono samples written, of them not silent
    int peak = 0;                   ///< largest magnitude
    double energy = 0.0;            ///< sum of the squared samples, full scale 1
};

/// The real game from the data folder with the disk audio driver writing to a file of its own;
/// the enemies are never born unless a test asks for them.
class Session {
  public:
    Session() {
        EXPECT_EQ(chdir(LUMEN_DATA_DIR), 0) << "no data folder at " << LUMEN_DATA_DIR;
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", audio_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "5", 1);
        EXPECT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_Surface* screen = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
        std::string reason;
        front_ = loadImage("play/front.bmp", &reason);
        title_ = loadImage("images/titlescreen.bmp", &reason);
        EXPECT_TRUE(setUpGame(*state, screen, front_, title_, kLevelFile, &reason)) << reason;
        EXPECT_NE(state->sounds.laser, nullptr) << "the disk audio device did not open";
        for (Ship& enemy : state->enemies) {
            enemy.respawnCountdown = INT_MAX;
        }
    }

    void frames(int count, std::initializer_list<SDLKey> held) {
        std::vector<Uint8> keys(SDLK_LAST, 0);
        for (SDLKey key : held) {
            keys[key] = 1;
        }
        for (int n = 0; n < count; ++n) {
            ticks_ += 20;
            runFrame(*state, FrameInput{keys.data(), ticks_});
        }
    }

    /// Bytes the disk driver has written so far.
    long written() const {
        std::ifstream in(audio_, std::ios::binary | std::ios::ate);
        return in ? static_cast<long>(in.tellg()) : 0;
    }

    /// Waits (up to 5 s) until no channel but the thrust loop plays, the loop's fade-in (timed by
    /// the wall clock) has ended and three more blocks than then have been written (past the
    /// limiter's delay), so that every sound started has been mixed to its end.
    void mixOut() {
        const auto busy = [this] {
            const int thrust = state->thrustChannel;
            bool playing = thrust >= 0 && Mix_FadingChannel(thrust) != MIX_NO_FADING;
            for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
                playing = playing || (channel != thrust && Mix_Playing(channel));
            }
            return playing;
        };
        long after = -1;
        for (Uint32 start = SDL_GetTicks(); SDL_GetTicks() - start < 5000; SDL_Delay(2)) {
            after = after < 0 && !busy() ? written() : after;
            if (after >= 0 && written() >= after + 3 * 2 * 4096) {
                return;
            }
        }
        ADD_FAILURE() << "the mixer did not finish within 5 s";
    }

    /// Lets the mixer finish, closes the device and reads what it wrote.
    Heard stopAndListen() {
        mixOut();
        releaseGame(*state);
        SDL_FreeSurface(front_);
        SDL_FreeSurface(title_);
        SDL_Quit();
        std::filesystem::current_path(previous_);
        std::ifstream in(audio_, std::ios::binary);
        Heard heard;
        for (char b[2]; in.read(b, 2);) {  // 16-bit little-endian mono
            const int sample = static_cast<int16_t>((b[0] & 0xFF) | (b[1] & 0xFF) << 8);
            ++heard.samples;
            heard.nonZero += sample != 0 ? 1 : 0;
            heard.peak = std::max(heard.peak, std::abs(sample));
            heard.energy += (sample / 32768.0) * (sample / 32768.0);
        }
        std::remove(audio_.c_str());
        return heard;
    }

    std::unique_ptr<GameState> state = std::make_unique<GameState>();

  private:
    std::string audio_ = "/tmp/lumen-sound-" + std::to_string(getpid()) + ".raw";
    std::filesystem::path previous_ = std::filesystem::current_path();
    SDL_Surface *front_ = nullptr, *title_ = nullptr;
    Uint32 ticks_ = 1000;
};

TEST(HeardRun, LaserAndThrustAreHeardTheSimpleShotAndNothingHeldAreNot) {
    struct Case {
        const char* what;
        int weapon, health, frames;
        std::initializer_list<SDLKey> held;
        int shots;  ///< live after the run: 10 frames of Space fire exactly once
        bool bump;  ///< enemy 0 starts on the player
        bool heard;
    };
    const Case cases[] = {
        {"nothing held", 1, 100, 30, {}, 0, false, false},
        {"the laser fired once", 1, 100, 10, {SDLK_SPACE}, 1, false, true},
        {"the simple shot fired once", 0, 100, 10, {SDLK_SPACE}, 1, false, false},
        {"Up held", 1, 100, 12, {SDLK_UP}, 0, false, true},
        {"Down held", 1, 100, 12, {SDLK_DOWN}, 0, false, true},
        {"Left held", 1, 100, 12, {SDLK_LEFT}, 0, false, true},
        {"Right Shift and Right held", 1, 100, 12, {SDLK_RSHIFT, SDLK_RIGHT}, 0, false, true},
        {"an enemy bumped", 1, 100, 1, {}, 0, true, true},
        {"the player's death", 1, -1, 1, {}, -1, false, true}};
    for (const Case& c : cases) {
        Session session;
        Ship& player = session.state->player;
        player.weapon = c.weapon;
        player.health = c.health;
        session.state->enemies[0] = c.bump ? player : session.state->enemies[0];
        session.state->ammo[1] = 10;
        session.frames(c.frames, c.held);
        const auto& live = session.state->shots.live;
        const long shots = std::count(live.begin(), live.end(), 1);
        const Heard heard = session.stopAndListen();
        EXPECT_TRUE(shots == c.shots || c.shots < 0) << c.what;  // a death drops debris
        EXPECT_GT(heard.samples, 4096) << c.what << ": the device wrote less than one block";
        EXPECT_TRUE(c.heard ? heard.nonZero > 1000 && heard.peak > 1000 : heard.nonZero == 0)
            << c.what << ": " << heard.nonZero << " samples not silent, peak " << heard.peak;
    }
}

// The busiest moment: all five enemies born on top of each other collide and explode while the
// ship thrusts and fires the laser. Sounds started in one mixer block add up exactly; none clips.
TEST(HeardRun, TheBusiestMomentStaysBelowFullScale) {
    Session session;
    session.state->ammo[1] = 50;
    session.state->player.weapon = 1;
    session.frames(5, {SDLK_UP, SDLK_SPACE});
    session.mixOut();  // the thrust loop past its fade-in, which ends at the volume it began with
    EXPECT_EQ(Mix_Volume(session.state->thrustChannel, -1), 64);
    playSound(session.state->sounds.largeExplosion);  // a sound started takes a free channel
    playSound(session.state->sounds.largeExplosion);
    EXPECT_EQ(Mix_Playing(-1), 3) << "two explosions and the thrust do not play side by side";
    int rate = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_TRUE(Mix_QuerySpec(&rate, &format, &channels) == 1 && rate == 22050 && channels == 1);
    for (Ship& enemy : session.state->enemies) {
        enemy.respawnCountdown = 2;  // born next frame, piled up in the corners
    }
    session.frames(8, {SDLK_UP, SDLK_SPACE});
    for (Ship& enemy : session.state->enemies) {
        enemy.health = -1;  // any that outlived the pile-up die together now
    }
    session.frames(30, {SDLK_UP, SDLK_SPACE});
    EXPECT_EQ(session.state->kills, kEnemyCount);
    const Heard heard = session.stopAndListen();
    EXPECT_TRUE(heard.peak > 16000 && heard.peak < 32767) << "heard up to " << heard.peak;
}

// Each sound alone is as loud as before: its RMS over its own length in dBFS, heard at volume 64,
// within 0.05 dB of what this test measured on the game before the mixer had a limiter (the
// headroom's lost low bits; the limiter leaves a sound alone untouched).
TEST(HeardRun, EachSoundAloneIsAsLoudAsBefore) {
    const std::pair<Mix_Chunk * Sounds::*, double> levelsBefore[] = {
        {&Sounds::largeExplosion, -29.22},  {&Sounds::smallExplosion, -28.62},
        {&Sounds::smallFastImpact, -26.70}, {&Sounds::laser, -19.54},
        {&Sounds::thrust, -20.20},          {&Sounds::shipCollide, -27.14},
        {&Sounds::respawn, -22.72},         {&Sounds::spaceWarp, -21.77}};
    for (size_t n = 0; n < std::size(levelsBefore); ++n) {
        const auto& [sound, before] = levelsBefore[n];
        Session session;
        Mix_Chunk* chunk = session.state->sounds.*sound;
        const double samples = chunk->alen / 2.0;  // read now: the chunk is freed with the device
        playSound(chunk);  // mixed to its end in the wait for the mixer: at most 9 blocks
        const double rmsDb = 10.0 * std::log10(session.stopAndListen().energy / samples);
        EXPECT_NEAR(rmsDb, before, 0.05) << "sound " << n;
    }
}

/// What a fresh limiter, as installed, makes of `input`, fed in blocks of 512 samples.
std::vector<Sint16> limited(std::vector<Sint16> s) {
    MixLimiter limiter;
    limiter.envelope = 0.7f;  // the threshold
    for (size_t at = 0; at < s.size(); at += 512) {
        limitMixBlock(limiter, &s[at], static_cast<int>(std::min<size_t>(512, s.size() - at)));
    }
    return s;
}

/// `count` samples of a sine (period 50) of `amplitude`, or of a full-scale square, after `s`.
std::vector<Sint16> then(std::vector<Sint16> s, size_t count, double amplitude) {
    for (size_t i = 0; i < count; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * i / 50.0);
        s.push_back(static_cast<Sint16>(amplitude > 0 ? std::lround(v)
                                        : i % 64 < 32 ? 32767
                                                      : -32768));
    }
    return s;
}

int peak(const std::vector<Sint16>& s, size_t from = 0, size_t to = SIZE_MAX) {
    int p = 0;
    for (size_t i = from; i < std::min(to, s.size()); ++i) {
        p = std::max(p, std::abs(int(s[i])));
    }
    return p;
}

TEST(Limiter, AQuietSoundComesOutEightTimesLouderUnchangedThirtyTwoSamplesLater) {
    const std::vector<Sint16> in = then({}, 20000, 2700.0);  // heard at 0.66 of full scale
    const std::vector<Sint16> out = limited(in);
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(out[i], i < 32 ? 0 : 8 * in[i - 32]) << i;
    }
}

TEST(Limiter,
     LoudPartsAreHeldNearTheThresholdFromTheirFirstSampleAndReleasedInAboutAThirdOfASecond) {
    // 0.66 of full scale; 1.95 for half a second; 0.66 for 1.4 s; a full-scale square (eight
    // times too loud heard) for half a second.
    const std::vector<Sint16> in =
        then(then(then(then({}, 4000, 2700), 11025, 8000), 30000, 2700), 11025, 0);
    const std::vector<Sint16> out = limited(in);
    // The gain at sample i: the output's peak over one period against the input's, heard.
    const auto gain = [&](size_t i) {
        return peak(out, i + 32, i + 82) / (8.0 * peak(in, i, i + 50));
    };
    EXPECT_NEAR(peak(out, 0, 45025), 0.71 * 32768, 0.01 * 32768);  // near 0.7, the first peak too
    EXPECT_NEAR(gain(9000), 0.7 / 1.95, 0.01);
    // After the loud part the envelope falls back by e per 150 ms (3308 samples).
    EXPECT_NEAR(gain(15025 + 3308), 0.7 / (0.7 + (1.95 - 0.7) / M_E), 0.03);
    EXPECT_GT(gain(15025 + 25000), 0.99);
    EXPECT_NEAR(peak(out, 45025), 0.72 * 32768, 0.03 * 32768);  // overloaded: far from full scale
}

TEST(Limiter, LevelsUpToTheKneePassAndLouderOnesBendTowardsFullScale) {
    float last = 0.0f;
    for (float x = 0.0f; x <= 2.0f; x += 0.01f) {
        const float y = softClip(x);
        ASSERT_EQ(softClip(-x), -y);
        ASSERT_TRUE(x <= 0.8f ? y == x : y >= last && y <= 1.0f) << x << " gives " << y;
        last = y;
    }
    EXPECT_GT(last, 0.9999f);
    for (const float heard : {4.0f, -4.0f}) {  // far too loud a sample leaves as ±32 766, no more
        MixLimiter limiter{{}, 0, 0.7f};
        limiter.delay.fill(heard);
        Sint16 sample = 0;
        limitMixBlock(limiter, &sample, 1);
        EXPECT_EQ(sample, heard > 0 ? 32766 : -32766);
    }
}

TEST(Limiter, OnlyASigned16BitDeviceGetsItTheChunksOfOthersKeepTheirVolume) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    for (const Uint16 format : {Uint16{AUDIO_U8}, Uint16{AUDIO_S16SYS}}) {
        ASSERT_EQ(Mix_OpenAudio(22050, format, 1, 512), 0) << Mix_GetError();
        static Uint8 silence[64] = {};
        Mix_Chunk* chunk = Mix_QuickLoad_RAW(silence, sizeof silence);
        MixLimiter limiter{{}, 3, 0.0f};  // left from an earlier device: installed afresh
        installMixLimiter(limiter, &chunk, 1);
        EXPECT_EQ(Mix_VolumeChunk(chunk, -1), format == AUDIO_U8 ? 128 : 128 / kMixHeadroom);
        EXPECT_EQ(std::make_pair(limiter.envelope, limiter.next),
                  format == AUDIO_U8 ? std::make_pair(0.0f, 3) : std::make_pair(0.7f, 0));
        removeMixLimiter();
        Mix_FreeChunk(chunk);
        Mix_CloseAudio();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
