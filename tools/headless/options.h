#pragma once
// The headless runner's command line and its key script.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared/data_contract.h"

/// One line of a key script: these keys held for this many frames.
struct ScriptStep {
    int frames = 0;
    std::vector<SDLKey> keys;
};

/// Save the screen after this frame (1 = the first) to this BMP file.
struct ScreenShot {
    int frame = 0;
    std::string path;
};

struct HeadlessOptions {
    int frames = -1;  ///< −1: the script's length, or kDefaultFrames without a script
    std::string scriptPath;
    std::vector<ScriptStep> script;
    bool randomKeys = false;
    uint32_t seed = 0;
    std::string levelPath = kLevelFile;
    std::vector<ScreenShot> shots;
    int startAmmo = -1;        ///< test option: rounds of every weapon at the start; −1: none
    bool pixelHashes = false;  ///< print a hash of the raw screen memory at every --shot frame
    bool trace = false;        ///< print the state digest after every frame
    bool bench = false;        ///< measure frame costs instead of playing
    bool countAllocations = false;      ///< report heap allocations made during play
    long long allowedAllocations = -1;  ///< fail when play allocates more than this; −1: no limit
};

constexpr int kDefaultFrames = 1000;

/// Reads the command line (and the script it names). False with *error, one line, on bad input.
bool parseOptions(int argc, char** argv, HeadlessOptions& options, std::string* error);

/// Reads a key script: lines "COUNT KEY…" with the key names up down left right rshift rctrl
/// lctrl space 1 2 3 4 5; a bare COUNT holds nothing; blank lines and lines starting with # are
/// skipped. False with *error naming the file and line.
bool readScript(const std::string& path, std::vector<ScriptStep>& script, std::string* error);

/// The SDL key of a script key name, or SDLK_UNKNOWN.
SDLKey keyByName(const std::string& name);
