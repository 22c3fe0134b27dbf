// lumendrift-level: checks, describes, converts and draws level files for level designers.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "lattice/lattice.h"
#include "level_json.h"
#include "level_picture.h"

namespace {

// The same lines as the manual page's synopsis.
constexpr const char* kUsage =
    "usage: lumendrift-level check FILE\n"
    "       lumendrift-level info FILE\n"
    "       lumendrift-level dump FILE\n"
    "       lumendrift-level build SOURCE.json OUT\n"
    "       lumendrift-level render FILE LEVEL OUT.bmp [--coarse|--reference]\n"
    "       lumendrift-level --help|--version\n";

/// A wrong command line: the usage on standard error, status 2.
int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int failure(const std::string& reason) {
    std::printf("%s\n", reason.c_str());
    return 1;
}

std::unique_ptr<LevelSet> load(const char* path, std::string& reason) {
    std::unique_ptr<LevelSet> set;
    if (readLevelFile(set, path, &reason) != 0) {
        return nullptr;
    }
    return set;
}

/// Warns about a level with folded cells: the game plays it, ground overlapping or missing.
void warnFolds(const Lattice& lattice, int level) {
    const int folded = countFoldedCells(lattice);
    if (folded > 0) {
        std::printf("warning: level %d: %d folded cell%s (turned inside out or without area)\n",
                    level, folded, folded == 1 ? "" : "s");
    }
}

int check(const char* path) {
    std::string reason;
    auto set = load(path, reason);
    if (!set) {
        return failure(reason);
    }
    std::printf("ok: %d levels\n", static_cast<int>(set->count));
    for (int32_t l = 0; l < set->count; ++l) {
        warnFolds(*set->lattices[l], static_cast<int>(l));
    }
    return 0;
}

int info(const char* path) {
    std::string reason;
    auto set = load(path, reason);
    if (!set) {
        return failure(reason);
    }
    for (int32_t l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
        for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
                const LatticeNode& node = lattice.node(i, j);
                minX = std::fmin(minX, node.x);
                minY = std::fmin(minY, node.y);
                maxX = std::fmax(maxX, node.x);
                maxY = std::fmax(maxY, node.y);
            }
        }
        std::printf("level %d: columns %g rows %g rimCount %g nodes (%g, %g) to (%g, %g)\n",
                    static_cast<int>(l), static_cast<double>(lattice.columns),
                    static_cast<double>(lattice.rows), static_cast<double>(lattice.rimCount),
                    static_cast<double>(minX), static_cast<double>(minY), static_cast<double>(maxX),
                    static_cast<double>(maxY));
        warnFolds(lattice, static_cast<int>(l));
    }
    return 0;
}

int dump(const char* path) {
    std::string reason;
    auto set = load(path, reason);
    if (!set) {
        return failure(reason);
    }
    std::cout << levelJson(*set);
    return std::cout.flush() ? 0 : failure("standard output: cannot write");
}

int build(const char* source, const std::string& out) {
    std::string reason;
    auto set = loadLevelJson(source, &reason);
    if (!set) {
        return failure(reason);
    }
    // Written beside the target and checked by reading it back, so a level the game would refuse
    // never replaces a good file.
    const std::string trial = out + ".new";
    if (writeLevelFile(*set, trial.c_str(), &reason) != 0) {
        return failure(reason);
    }
    std::unique_ptr<LevelSet> back;
    if (readLevelFile(back, trial.c_str(), &reason) != 0) {
        std::remove(trial.c_str());
        return failure(std::string(source) + ": the levels would not load: " + reason);
    }
    std::error_code moved;  // std::filesystem::rename replaces an existing file on Windows too
    std::filesystem::rename(trial, out, moved);
    if (moved) {
        std::remove(trial.c_str());
        return failure(out + ": cannot write");
    }
    return 0;
}

int render(const char* path, const char* levelText, const char* out, const char* option) {
    PictureStyle style = PictureStyle::Full;
    if (option != nullptr) {
        if (std::string(option) == "--coarse") {
            style = PictureStyle::Coarse;
        } else if (std::string(option) == "--reference") {
            style = PictureStyle::Reference;
        } else {
            return usage();
        }
    }
    char* end = nullptr;
    const long level = std::strtol(levelText, &end, 10);
    if (end == levelText || *end != '\0') {
        return failure(std::string("LEVEL must be a whole number, not \"") + levelText + "\"");
    }
    std::string reason;
    auto set = load(path, reason);
    if (!set) {
        return failure(reason);
    }
    if (level < 0 || level >= set->count) {
        return failure(std::string(path) + ": no level " + levelText + " (it has " +
                       std::to_string(set->count) + ")");
    }
    return renderLevelPicture(*set->lattices[level], style, out, &reason) ? 0 : failure(reason);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" && argc == 2) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version" && argc == 2) {
        std::printf("lumendrift-level %s\n", LUMEN_VERSION);
        return 0;
    }
    if (command == "check" && argc == 3) {
        return check(argv[2]);
    }
    if (command == "info" && argc == 3) {
        return info(argv[2]);
    }
    if (command == "dump" && argc == 3) {
        return dump(argv[2]);
    }
    if (command == "build" && argc == 4) {
        return build(argv[2], argv[3]);
    }
    if (command == "render" && (argc == 5 || argc == 6)) {
        return render(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : nullptr);
    }
    return usage();
}
