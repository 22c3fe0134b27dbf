// lumendrift-assets OUTDIR [LEVEL_SOURCES]: writes every image, sound and the level file the game
// loads into OUTDIR (images/, play/, sfx/ and foo3.lvl). Same sources, same bytes.
// lumendrift-assets --icons FOLDER: writes only the menu icons, which are not game data.

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tools/assets/explosion_images.h"
#include "tools/assets/font_image.h"
#include "tools/assets/hud_images.h"
#include "tools/assets/icon_images.h"
#include "tools/assets/levels.h"
#include "tools/assets/screen_images.h"
#include "tools/assets/ship_images.h"
#include "tools/assets/shot_images.h"
#include "tools/assets/sounds.h"

namespace {

bool makeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) == 0) {
        return true;
    }
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: lumendrift-assets OUTDIR [LEVEL_SOURCES]\n");
        return 2;
    }
    if (std::string(argv[1]) == "--icons") {
        std::string reason = "--icons needs a FOLDER";
        if (argc != 3 || !writeIconImages(argv[2], &reason)) {
            std::fprintf(stderr, "lumendrift-assets: %s\n", reason.c_str());
            return argc != 3 ? 2 : 1;
        }
        return 0;
    }
    const std::string root = argv[1];
    const std::string levelSources = argc == 3 ? argv[2] : LUMEN_LEVEL_SOURCES;
    for (const std::string& folder : {root, root + "/images", root + "/play", root + "/sfx"}) {
        if (!makeFolder(folder)) {
            std::fprintf(stderr, "lumendrift-assets: %s: cannot create folder\n", folder.c_str());
            return 1;
        }
    }

    ImageSink sink{root, "", 0};
    writeShipImages(sink);
    writeShotImages(sink);
    writeExplosionImages(sink);
    writeHudImages(sink);
    writeScreenImages(sink);
    writeFontImage(sink);
    if (!sink.error.empty()) {
        std::fprintf(stderr, "lumendrift-assets: %s\n", sink.error.c_str());
        return 1;
    }

    std::string reason;
    int soundCount = 0;
    for (const SoundEffect& sound : synthesiseSounds()) {
        if (!writeWave(sound.samples, root + "/" + sound.file, &reason)) {
            std::fprintf(stderr, "lumendrift-assets: %s\n", reason.c_str());
            return 1;
        }
        ++soundCount;
    }

    if (!writeLevels(levelSources, root + "/" + kLevelFile, &reason)) {
        std::fprintf(stderr, "lumendrift-assets: %s\n", reason.c_str());
        return 1;
    }
    std::printf("lumendrift-assets: %d images, %d sounds and %s in %s\n", sink.written, soundCount,
                kLevelFile, root.c_str());
    return 0;
}
