// The generated data folder: two runs give the same bytes, every picture has the format its use
// in the game needs, the sounds have the mixer's format and headroom, and the level file holds
// at least six large, unfolded levels.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "lattice/lattice.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = LUMEN_DATA_DIR;

/// Every file under a folder: relative path → bytes.
std::map<std::string, std::string> contents(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            files[fs::relative(entry.path(), root).string()] = bytes.str();
        }
    }
    return files;
}

TEST(Generator, TwoRunsGiveIdenticalBytes) {
    const fs::path dir = fs::temp_directory_path() / ("lumen-assets-" + std::to_string(getpid()));
    std::map<std::string, std::string> runs[2];
    for (auto& run : runs) {
        const std::string command =
            std::string(LUMEN_BIN_DIR) + "/lumendrift-assets '" + dir.string() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        run = contents(dir);
        fs::remove_all(dir);
    }
    EXPECT_EQ(runs[0].size(), 91u);  // 82 pictures, 8 sounds, the level file
    EXPECT_TRUE(runs[0] == runs[1]);
}

TEST(GeneratedFiles, PicturesHaveTheFormatTheirUseNeeds) {
    // Turned sprites and alpha images: 32-bit, alpha in the fourth byte, transparent corners.
    // Pick-ups: 24-bit, keyed on magenta. The HUD pieces and screens are blitted as loaded.
    int turned = 0, keyed = 0;
    for (const auto& [name, bytes] : contents(kData / "images")) {
        SCOPED_TRACE(name);
        SDL_RWops* in = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        SDL_Surface* s = SDL_LoadBMP_RW(in, 1);
        ASSERT_NE(s, nullptr) << SDL_GetError();
        const auto* p = static_cast<const Uint8*>(s->pixels);
        const bool plain = name.rfind("ammo", 0) == 0 || name.rfind("indicator", 0) == 0 ||
                           name == "health.bmp" || name == "completion.bmp" ||
                           name == "levelup.BMP" || name == "titlescreen.bmp";
        if (name.rfind("powerup", 0) == 0) {
            ASSERT_EQ(s->format->BytesPerPixel, 3);
            EXPECT_EQ(p[0] | p[1] << 8 | p[2] << 16, 0xFF00FF);
            ++keyed;
        } else if (!plain) {
            ASSERT_EQ(s->format->BytesPerPixel, 4);
            EXPECT_EQ(s->format->Rmask, 0x00FF0000u);
            EXPECT_EQ(s->pitch, s->w * 4);  // the alpha copy moves w·h·4 bytes in one go
            EXPECT_EQ(p[3], 0);
            EXPECT_EQ(p[(s->h - 1) * s->pitch + s->w * 4 - 1], 0);
            ++turned;
        }
        SDL_FreeSurface(s);
    }
    EXPECT_EQ(keyed, 6);
    EXPECT_EQ(turned, 18 + 2 + 12 + 5 + 1 + 6 + 18);
}

TEST(GeneratedFiles, SoundsAreMonoSixteenBitWithHeadroom) {
    const auto sounds = contents(kData / "sfx");
    EXPECT_EQ(sounds.size(), 8u);
    for (const auto& [name, bytes] : sounds) {
        SCOPED_TRACE(name);
        SDL_AudioSpec format;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        SDL_RWops* in = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        ASSERT_NE(SDL_LoadWAV_RW(in, 1, &format, &buffer, &length), nullptr) << SDL_GetError();
        EXPECT_EQ(format.freq, 22050);
        EXPECT_EQ(format.format, AUDIO_S16LSB);
        EXPECT_EQ(format.channels, 1);
        int peak = 0;
        for (Uint32 i = 0; i + 1 < length; i += 2) {
            peak = std::max(peak, std::abs(static_cast<int16_t>(buffer[i] | buffer[i + 1] << 8)));
        }
        SDL_FreeWAV(buffer);
        EXPECT_GT(length, 22050u / 10);
        EXPECT_GT(peak, 20000);  // −4 dB …
        EXPECT_LT(peak, 26000);  // … −2 dB: nothing near clipping
    }
}

TEST(GeneratedFiles, SixLargeUnfoldedLevelsTheFirstOfThemFlat) {
    std::unique_ptr<LevelSet> set;
    std::string reason;
    ASSERT_EQ(readLevelFile(set, (kData / "foo3.lvl").c_str(), &reason), 0) << reason;
    ASSERT_GE(set->count, 6);
    for (int l = 0; l < set->count; ++l) {
        const Lattice& lattice = *set->lattices[l];
        ASSERT_GE(lattice.columns, 12.0f);
        ASSERT_GE(lattice.rows, 12.0f);
        float bent = 0.0f;
        for (int i = 0; i + 1 < lattice.columns; ++i) {
            for (int j = 0; j + 1 < lattice.rows; ++j) {
                const LatticeNode& a = lattice.node(i, j);
                const LatticeNode& b = lattice.node(i + 1, j);
                const LatticeNode& c = lattice.node(i, j + 1);
                // Every cell keeps the turning sense of the default grid and a sensible area.
                const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
                ASSERT_GT(cross, 0.15f * 1600.0f) << l << ": " << i << ", " << j;
                ASSERT_LT(cross, 6.0f * 1600.0f) << l << ": " << i << ", " << j;
                bent = std::max(bent, std::fabs(a.x - 40.0f * i) + std::fabs(a.y - 40.0f * j));
            }
        }
        EXPECT_EQ(bent > 20.0f, l > 0) << "level " << l;
    }
}

}  // namespace
