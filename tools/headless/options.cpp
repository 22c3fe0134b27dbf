#include "tools/headless/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool fail(std::string* error, const std::string& why) {
    *error = why;
    return false;
}

/// A whole decimal number in [low, high], nothing else.
bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool parseShot(const std::string& text, ScreenShot& shot) {
    const size_t colon = text.find(':');
    long long frame = 0;
    if (colon == std::string::npos || colon + 1 >= text.size() ||
        !parseNumber(text.substr(0, colon), 1, INT_MAX, frame)) {
        return false;
    }
    shot.frame = static_cast<int>(frame);
    shot.path = text.substr(colon + 1);
    return true;
}

}  // namespace

SDLKey keyByName(const std::string& name) {
    static const struct {
        const char* name;
        SDLKey key;
    } kKeys[] = {
        {"up", SDLK_UP},       {"down", SDLK_DOWN},     {"left", SDLK_LEFT},
        {"right", SDLK_RIGHT}, {"rshift", SDLK_RSHIFT}, {"rctrl", SDLK_RCTRL},
        {"lctrl", SDLK_LCTRL}, {"space", SDLK_SPACE},   {"1", SDLK_1},
        {"2", SDLK_2},         {"3", SDLK_3},           {"4", SDLK_4},
        {"5", SDLK_5},
    };
    for (const auto& entry : kKeys) {
        if (name == entry.name) {
            return entry.key;
        }
    }
    return SDLK_UNKNOWN;
}

bool readScript(const std::string& path, std::vector<ScriptStep>& script, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        return fail(error, path + ": cannot be opened");
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#') {
            continue;
        }
        const std::string where = path + ":" + std::to_string(number) + ": ";
        long long count = 0;
        if (!parseNumber(word, 0, INT_MAX, count)) {
            return fail(error, where + "\"" + word + "\" is not a frame count");
        }
        ScriptStep step;
        step.frames = static_cast<int>(count);
        while (words >> word) {
            const SDLKey key = keyByName(word);
            if (key == SDLK_UNKNOWN) {
                return fail(error,
                            where + "unknown key \"" + word +
                                "\" (keys: up down left right rshift rctrl lctrl space 1-5)");
            }
            step.keys.push_back(key);
        }
        script.push_back(step);
    }
    return true;
}

bool parseOptions(int argc, char** argv, HeadlessOptions& options, std::string* error) {
    for (int a = 1; a < argc; ++a) {
        const std::string option = argv[a];
        if (option == "--bench") {
            options.bench = true;
            continue;
        }
        if (option == "--pixel-hashes") {
            options.pixelHashes = true;
            continue;
        }
        if (option == "--trace") {
            options.trace = true;
            continue;
        }
        if (option == "--allocs") {
            options.countAllocations = true;
            continue;
        }
        if (option != "--frames" && option != "--script" && option != "--random" &&
            option != "--level" && option != "--shot" && option != "--ammo" &&
            option != "--max-allocs") {
            return fail(error, "unknown option \"" + option +
                                   "\" (options: --frames N, --script FILE, --random SEED, "
                                   "--level FILE, --shot F:PATH.bmp, --ammo N, --allocs, "
                                   "--max-allocs N, --trace, --pixel-hashes, --bench)");
        }
        if (a + 1 >= argc) {
            return fail(error, option + " needs a value");
        }
        const std::string value = argv[++a];
        long long number = 0;
        if (option == "--frames") {
            if (!parseNumber(value, 0, INT_MAX, number)) {
                return fail(error,
                            "--frames needs a whole number of frames, not \"" + value + "\"");
            }
            options.frames = static_cast<int>(number);
        } else if (option == "--script") {
            options.scriptPath = value;
        } else if (option == "--random") {
            if (!parseNumber(value, 0, UINT32_MAX, number)) {
                return fail(error,
                            "--random needs a seed from 0 to 4294967295, not \"" + value + "\"");
            }
            options.randomKeys = true;
            options.seed = static_cast<uint32_t>(number);
        } else if (option == "--ammo") {
            if (!parseNumber(value, 0, 1000000, number)) {
                return fail(error, "--ammo needs a number of rounds from 0 to 1000000, not \"" +
                                       value + "\"");
            }
            options.startAmmo = static_cast<int>(number);
        } else if (option == "--max-allocs") {
            if (!parseNumber(value, 0, LLONG_MAX, number)) {
                return fail(error, "--max-allocs needs a whole number, not \"" + value + "\"");
            }
            options.countAllocations = true;
            options.allowedAllocations = number;
        } else if (option == "--level") {
            options.levelPath = value;
        } else {
            ScreenShot shot;
            if (!parseShot(value, shot)) {
                return fail(error,
                            "--shot needs FRAME:PATH.bmp with FRAME from 1, not \"" + value + "\"");
            }
            options.shots.push_back(shot);
        }
    }
    if (options.randomKeys && !options.scriptPath.empty()) {
        return fail(error, "--script and --random cannot be used together");
    }
    if (!options.scriptPath.empty() && !readScript(options.scriptPath, options.script, error)) {
        return false;
    }
    if (options.frames < 0) {
        if (options.scriptPath.empty()) {
            options.frames = kDefaultFrames;
        } else {
            long long total = 0;
            for (const ScriptStep& step : options.script) {
                total += step.frames;
            }
            options.frames = static_cast<int>(total > INT_MAX ? INT_MAX : total);
        }
    }
    for (const ScreenShot& shot : options.shots) {
        if (shot.frame > options.frames) {
            return fail(error, "--shot " + std::to_string(shot.frame) + ":" + shot.path +
                                   " is after the last frame (" + std::to_string(options.frames) +
                                   ")");
        }
    }
    return true;
}
