// The generated data folder: two runs give the same bytes, and the level file holds at least six
// large, unfolded levels. (The game's set-up tests load every picture and sound of it and refuse
// any whose format its use cannot take.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
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
            files[fs::relative(entry.path(), root).string()].assign(
                std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    EXPECT_EQ(runs[0].size(), 92u);  // 82 pictures, the editor's font, 8 sounds, the level file
    EXPECT_TRUE(runs[0] == runs[1]);
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
