// The generated data folder: two runs give the same bytes, and the level file holds at least six
// large, unfolded levels. (The game's set-up tests load every picture and sound of it and refuse
// any whose format its use cannot take.)
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "lattice/lattice.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = LUMEN_DATA_DIR;

TEST(Generator, TwoRunsGiveIdenticalBytes) {
    const std::string dir =
        fs::temp_directory_path() / ("lumen-assets-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const char* run : {"/a", "/b"}) {
        const std::string command =
            std::string(LUMEN_BIN_DIR) + "/lumendrift-assets '" + dir + run + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    // 82 pictures, the editor's font, 8 sounds, the level file
    EXPECT_EQ(std::count_if(fs::recursive_directory_iterator(dir + "/a"), {},
                            [](const fs::directory_entry& e) { return e.is_regular_file(); }),
              92);
    EXPECT_EQ(std::system(("diff -r '" + dir + "/a' '" + dir + "/b' >&2").c_str()), 0);
    // The menu's icons, in the folder asked for (the package installs them from there).
    const std::string icons = std::string(LUMEN_BIN_DIR) + "/lumendrift-assets --icons " + dir;
    ASSERT_EQ(std::system(icons.c_str()), 0) << icons;
    // A sound it cannot write (a folder holds its name) fails the run.
    for (const fs::directory_entry& sound : fs::directory_iterator(kData / "sfx")) {
        fs::create_directories(dir + "/c/sfx/" + sound.path().filename().string());
    }
    const std::string blocked =
        std::string(LUMEN_BIN_DIR) + "/lumendrift-assets " + dir + "/c 2>&-";
    EXPECT_EQ(WEXITSTATUS(std::system(blocked.c_str())), 1) << blocked;
    for (int size : {48, 128, 256}) {
        EXPECT_TRUE(fs::exists(dir + "/lumendrift-" + std::to_string(size) + ".png")) << size;
    }
    fs::remove_all(dir);
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
