// The asset generator fails when it cannot write a file. (Every byte it writes, and what the level
// tool says of its levels, are pinned by tests/perf/identical_output.sh; that they hold no folded
// cell, by the level tool's check in tests/editor/sessions.sh; the game's set-up tests load every
// picture and sound and refuse any whose format its use cannot take.)
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
const fs::path kData = LUMEN_DATA_DIR;

// A folder holding a sound's name: the run fails.
TEST(Generator, ASoundItCannotWriteFailsTheRun) {
    const std::string dir =
        fs::temp_directory_path() / ("lumen-assets-" + std::to_string(getpid()));
    for (const fs::directory_entry& sound : fs::directory_iterator(kData / "sfx")) {
        fs::create_directories(dir + "/sfx/" + sound.path().filename().string());
    }
    const std::string blocked = std::string(LUMEN_BIN_DIR) + "/lumendrift-assets " + dir + " 2>&-";
    EXPECT_EQ(WEXITSTATUS(std::system(blocked.c_str())), 1) << blocked;
    fs::remove_all(dir);
}

}  // namespace
