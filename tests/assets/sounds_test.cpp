// The generated sounds: the format the mixer is opened with, levels, DC and the thrust loop seam.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kSounds[8] = {"sfx/largeexplosion.wav",  "sfx/smallexplosion.wav",
                                "sfx/smallfastimpact.wav", "sfx/lasertype1.wav",
                                "sfx/thrust.wav",          "sfx/shipcollide.wav",
                                "sfx/respawn.wav",         "sfx/spacewarp2.wav"};

/// Loads a WAV with SDL's loader and checks its format; returns its samples.
std::vector<int16_t> loadSamples(const std::string& relative) {
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    std::string path = std::string(LUMEN_DATA_DIR) + "/" + relative;
    if (SDL_LoadWAV(path.c_str(), &format, &buffer, &length) == nullptr) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return {};
    }
    EXPECT_EQ(format.freq, 22050) << relative;
    EXPECT_EQ(format.format, AUDIO_S16LSB) << relative;
    EXPECT_EQ(format.channels, 1) << relative;
    std::vector<int16_t> samples(length / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(buffer[2 * i] | (buffer[2 * i + 1] << 8));
    }
    SDL_FreeWAV(buffer);
    return samples;
}

TEST(Sounds, FormatLevelAndNoDcOffset) {
    for (const char* file : kSounds) {
        SCOPED_TRACE(file);
        std::vector<int16_t> s = loadSamples(file);
        ASSERT_GT(s.size(), 22050u / 20);  // at least 50 ms
        int peak = 0;
        double sum = 0.0;
        for (int16_t v : s) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            sum += v;
        }
        double peakDb = 20.0 * std::log10(peak / 32768.0);
        EXPECT_GT(peakDb, -4.0);
        EXPECT_LT(peakDb, -2.0);  // headroom: nothing near clipping
        EXPECT_LT(std::fabs(sum / s.size()), 0.002 * 32768.0);
        // One-shot sounds start and end quietly (no click).
        if (std::string(file) != "sfx/thrust.wav") {
            EXPECT_LT(std::abs(static_cast<int>(s.front())), 600);
            EXPECT_LT(std::abs(static_cast<int>(s.back())), 600);
        }
    }
}

TEST(Sounds, ThrustLoopsWithoutAJump) {
    std::vector<int16_t> s = loadSamples("sfx/thrust.wav");
    ASSERT_GT(s.size(), 1000u);
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i) {
        steps.push_back(std::abs(s[i] - s[i - 1]));
    }
    std::sort(steps.begin(), steps.end());
    int typical = steps[steps.size() * 99 / 100];
    int seam = std::abs(s.front() - s.back());
    EXPECT_LE(seam, typical) << "seam step " << seam << ", 99th percentile step " << typical;
    // It is a sustained sound: loud all the way through, not a decaying one.
    double firstQuarter = 0.0, lastQuarter = 0.0;
    size_t quarter = s.size() / 4;
    for (size_t i = 0; i < quarter; ++i) {
        firstQuarter += std::fabs(s[i]);
        lastQuarter += std::fabs(s[s.size() - 1 - i]);
    }
    EXPECT_GT(lastQuarter, 0.6 * firstQuarter);
    EXPECT_LT(lastQuarter, 1.6 * firstQuarter);
}

}  // namespace
