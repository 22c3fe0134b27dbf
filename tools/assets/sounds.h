#pragma once
// The eight sound effects, synthesised: 22050 Hz, mono, signed 16-bit, peaks at about -3 dBFS.

#include <cstdint>
#include <string>
#include <vector>

#include "shared/data_contract.h"

/// Sample rate of every generated sound, in Hz (the rate the game opens the mixer with).
constexpr int kSampleRate = 22050;

/// Peak level every sound is scaled to: -3 dBFS of full scale.
constexpr double kPeakLevel = 0.7079;

/// One generated sound: its file name under the output folder and its samples.
struct SoundEffect {
    std::string file;
    std::vector<int16_t> samples;
};

/// Synthesises all eight sounds in the game's load order.
std::vector<SoundEffect> synthesiseSounds();

/// Writes samples as a 22050 Hz mono 16-bit PCM WAV file. False with *reason on failure.
bool writeWave(const std::vector<int16_t>& samples, const std::string& path, std::string* reason);
