#include "tools/assets/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assets/file_bytes.h"
#include "tools/assets/random.h"

namespace {

using Signal = std::vector<double>;

Signal silence(double seconds) {
    return Signal(static_cast<size_t>(seconds * kSampleRate), 0.0);
}

/// One-pole low-pass with a cut-off that may change per sample (Hz).
class LowPass {
  public:
    double step(double x, double cutoff) {
        double a = 1.0 - std::exp(-2.0 * M_PI * cutoff / kSampleRate);
        y_ += a * (x - y_);
        return y_;
    }

  private:
    double y_ = 0.0;
};

/// Removes the DC part with a gentle high-pass (about 10 Hz).
void removeDc(Signal& s) {
    double prevX = 0.0, prevY = 0.0;
    const double r = 1.0 - 2.0 * M_PI * 10.0 / kSampleRate;
    for (double& v : s) {
        double y = v - prevX + r * prevY;
        prevX = v;
        prevY = y;
        v = y;
    }
}

/// Short fades at both ends so that no sound starts or stops with a click.
void fadeEnds(Signal& s, double inSeconds, double outSeconds) {
    size_t in = static_cast<size_t>(inSeconds * kSampleRate);
    size_t out = static_cast<size_t>(outSeconds * kSampleRate);
    for (size_t i = 0; i < in && i < s.size(); ++i) {
        s[i] *= 0.5 - 0.5 * std::cos(M_PI * i / in);
    }
    for (size_t i = 0; i < out && i < s.size(); ++i) {
        s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / out);
    }
}

/// Subtracts the mean, then scales so that the largest magnitude is the target peak level, and
/// rounds to 16 bits.
std::vector<int16_t> finish(Signal s) {
    double mean = 0.0;
    for (double v : s) {
        mean += v;
    }
    mean /= static_cast<double>(s.size());
    double peak = 0.0;
    for (double& v : s) {
        v -= mean;
        peak = std::max(peak, std::fabs(v));
    }
    double gain = peak > 0.0 ? kPeakLevel * 32767.0 / peak : 0.0;
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        out[i] = static_cast<int16_t>(std::lround(s[i] * gain));
    }
    return out;
}

double seconds(size_t i) {
    return static_cast<double>(i) / kSampleRate;
}

/// An explosion: a falling low boom under filtered noise whose brightness dies away.
Signal explosion(double length, double boomHz, double brightness, uint64_t seed) {
    Random random(seed);
    Signal s = silence(length);
    LowPass body, crackle, sub;
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = seconds(i);
        double env = std::exp(-t * 4.5 / length) * std::min(1.0, t / 0.004);
        double n = random.noise();
        double rumble = body.step(n, 120.0 + brightness * 1800.0 * std::exp(-t * 6.0 / length));
        double hiss = crackle.step(n, 4000.0) * std::exp(-t * 14.0 / length);
        double hz = boomHz * (1.0 + 1.5 * std::exp(-t * 12.0));
        phase += 2.0 * M_PI * hz / kSampleRate;
        double boom = std::sin(phase) * std::exp(-t * 6.0 / length);
        s[i] = env * (2.2 * rumble + 0.5 * hiss) + 0.8 * sub.step(boom, 400.0) * env;
        // Occasional crackles in the tail.
        if (random.unit() < 0.002 * env) {
            s[i] += random.noise() * 0.2 * env;
        }
    }
    return s;
}

Signal smallFastImpact() {
    Random random(0x1A9AC7);
    Signal s = silence(0.14);
    LowPass lp;
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = seconds(i);
        double env = std::exp(-t * 45.0);
        phase += 2.0 * M_PI * (900.0 * std::exp(-t * 25.0) + 180.0) / kSampleRate;
        double click = lp.step(random.noise(), 6000.0 * std::exp(-t * 30.0) + 500.0);
        s[i] = env * (0.8 * std::sin(phase) + 1.5 * click);
    }
    return s;
}

Signal laser() {
    Signal s = silence(0.3);
    double phase = 0.0, wobble = 0.0;
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = seconds(i);
        double hz = 2200.0 * std::exp(-t * 9.0) + 220.0;
        wobble += 2.0 * M_PI * 38.0 / kSampleRate;
        phase += 2.0 * M_PI * hz * (1.0 + 0.04 * std::sin(wobble)) / kSampleRate;
        // A soft square: bright without harsh aliasing.
        double sq = std::tanh(3.0 * std::sin(phase));
        double env = std::exp(-t * 9.0) * std::min(1.0, t / 0.003);
        s[i] = env * lp.step(sq + 0.4 * std::sin(2.0 * phase), 7000.0);
    }
    return s;
}

/// The engine loop: a steady filtered roar and a low hum. The hum's partials have a whole number
/// of cycles in the loop, and the noise's end is cross-faded into its beginning, so the last
/// sample runs on into the first without a step.
Signal thrust() {
    const size_t length = kSampleRate;  // one second
    const size_t overlap = kSampleRate / 5;
    Random random(0x7A2057);
    Signal noise(length + overlap);
    LowPass lpA, lpB;
    for (double& v : noise) {
        double n = random.noise();
        v = 1.6 * lpA.step(n, 700.0) + 0.35 * lpB.step(n, 2600.0);
    }
    removeDc(noise);
    Signal s(length);
    for (size_t i = 0; i < length; ++i) {
        double v = noise[i];
        if (i < overlap) {
            // Equal-power cross-fade: at i = 0 the loop continues from sample length - 1.
            double w = static_cast<double>(i) / overlap;
            v = std::sin(0.5 * M_PI * w) * noise[i] + std::cos(0.5 * M_PI * w) * noise[length + i];
        }
        double t = seconds(i);
        // 55, 110 and 165 Hz and a 6 Hz flutter: whole cycles in one second.
        double hum = 0.3 * std::sin(2 * M_PI * 55 * t) + 0.15 * std::sin(2 * M_PI * 110 * t + 1.0) +
                     0.08 * std::sin(2 * M_PI * 165 * t + 2.0);
        double flutter = 1.0 + 0.12 * std::sin(2 * M_PI * 6 * t);
        s[i] = v * flutter + hum;
    }
    return s;
}

Signal shipCollide() {
    Random random(0xC0111DE);
    Signal s = silence(0.7);
    // Inharmonic partials of a struck metal plate.
    const double partials[5][3] = {{173.0, 1.0, 5.0},
                                   {412.0, 0.7, 7.0},
                                   {687.0, 0.5, 9.0},
                                   {1043.0, 0.35, 12.0},
                                   {1571.0, 0.25, 16.0}};
    LowPass thud;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = seconds(i);
        double v = 0.0;
        for (const auto& p : partials) {
            v += p[1] * std::sin(2 * M_PI * p[0] * t) * std::exp(-t * p[2]);
        }
        double hit = thud.step(random.noise(), 900.0) * std::exp(-t * 30.0) * 3.0;
        s[i] = (v + hit) * std::min(1.0, t / 0.002);
    }
    return s;
}

Signal respawnChime() {
    Signal s = silence(1.1);
    // A rising major arpeggio of bell tones.
    const double notes[4] = {523.25, 659.25, 783.99, 1046.5};
    for (int n = 0; n < 4; ++n) {
        double start = n * 0.11;
        for (size_t i = static_cast<size_t>(start * kSampleRate); i < s.size(); ++i) {
            double t = seconds(i) - start;
            double env = std::exp(-t * 4.0) * std::min(1.0, t / 0.004);
            double f = notes[n];
            double bell = std::sin(2 * M_PI * f * t) + 0.4 * std::sin(2 * M_PI * f * 2.01 * t) +
                          0.2 * std::sin(2 * M_PI * f * 3.02 * t) * std::exp(-t * 6.0);
            s[i] += 0.5 * env * bell;
        }
    }
    return s;
}

Signal spaceWarp() {
    Random random(0x3A4B);
    Signal s = silence(1.6);
    double phaseA = 0.0, phaseB = 0.0;
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = seconds(i);
        double sweep = 120.0 * std::pow(12.0, t / 1.6);
        double wobble = 1.0 + 0.08 * std::sin(2 * M_PI * 7.0 * t);
        phaseA += 2.0 * M_PI * sweep * wobble / kSampleRate;
        phaseB += 2.0 * M_PI * sweep * 1.503 / kSampleRate;
        double env = std::sin(M_PI * std::min(1.0, t / 1.6));
        double swoosh = lp.step(random.noise(), 300.0 + 2500.0 * t / 1.6) * 1.5;
        s[i] = env * (0.6 * std::sin(phaseA) + 0.3 * std::sin(phaseB) + swoosh);
    }
    return s;
}

/// Finishing for one-shot sounds: DC removed, click-free ends.
std::vector<int16_t> finishOneShot(Signal s) {
    removeDc(s);
    fadeEnds(s, 0.001, 0.03);
    return finish(std::move(s));
}

}  // namespace

std::vector<SoundEffect> synthesiseSounds() {
    std::vector<SoundEffect> sounds;
    sounds.push_back(
        {kSoundFiles[LargeExplosionSound], finishOneShot(explosion(1.8, 48.0, 1.0, 0xB0011))});
    sounds.push_back(
        {kSoundFiles[SmallExplosionSound], finishOneShot(explosion(0.7, 80.0, 1.4, 0x5B0011))});
    sounds.push_back({kSoundFiles[SmallFastImpactSound], finishOneShot(smallFastImpact())});
    sounds.push_back({kSoundFiles[LaserSound], finishOneShot(laser())});
    sounds.push_back({kSoundFiles[ThrustSound], finish(thrust())});
    sounds.push_back({kSoundFiles[ShipCollideSound], finishOneShot(shipCollide())});
    sounds.push_back({kSoundFiles[RespawnSound], finishOneShot(respawnChime())});
    sounds.push_back({kSoundFiles[SpaceWarpSound], finishOneShot(spaceWarp())});
    return sounds;
}

bool writeWave(const std::vector<int16_t>& samples, const std::string& path, std::string* reason) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putU32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, 1);  // mono
    putU32(out, kSampleRate);
    putU32(out, kSampleRate * 2);
    putU16(out, 2);
    putU16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putU32(out, dataBytes);
    for (int16_t v : samples) {
        putU16(out, static_cast<uint16_t>(v));
    }
    return writeFileBytes(out, path, reason);
}
