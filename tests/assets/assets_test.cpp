// The asset generator counts what it writes and fails when it cannot write a file. (Every byte it
// writes, and what the level tool says of its levels, are pinned by tests/perf/identical_output.sh;
// that they hold no folded cell, by the level tool's check in tests/editor/sessions.sh; the game's
// set-up tests load every picture and sound and refuse any whose format its use cannot take.)
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
const fs::path kData = LUMEN_DATA_DIR;

// A whole run says how many images and sounds it wrote (all but the level file are one or the
// other); with a folder in place of each sound, the run fails.
TEST(Generator, ItCountsWhatItWroteAndFailsWhenItCannotWriteASound) {
    const fs::path dir = fs::temp_directory_path() / ("lumen-assets-" + std::to_string(getpid()));
    const std::string run = std::string(LUMEN_BIN_DIR) + "/lumendrift-assets " + dir.string();
    FILE* out = popen(run.c_str(), "r");
    char said[256] = "";
    ASSERT_TRUE(out != nullptr && std::fgets(said, sizeof said, out) != nullptr);
    ASSERT_EQ(pclose(out), 0);
    int files = 0, sounds = 0;
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(dir)) {
        files += file.is_regular_file();
        sounds += file.path().extension() == ".wav";
    }
    EXPECT_EQ(said, "lumendrift-assets: " + std::to_string(files - sounds - 1) + " images, " +
                        std::to_string(sounds) + " sounds and foo3.lvl in " + dir.string() + "\n");
    fs::remove_all(dir);
    for (const fs::directory_entry& sound : fs::directory_iterator(kData / "sfx")) {
        fs::create_directories(dir / "sfx" / sound.path().filename());
    }
    EXPECT_EQ(WEXITSTATUS(std::system((run + " 2>&-").c_str())), 1) << run;
    fs::remove_all(dir);
}

// Wrong words get status 2; a folder it cannot make, status 1 and a line that names the folder.
TEST(Generator, ItRefusesWrongWordsAndFoldersItCannotMake) {
    for (const std::string words : {"", " --icons", " a b c", " --icons /proc/no", " /proc/no"}) {
        const bool folder = words.find("/proc/no") != std::string::npos;
        FILE* out = popen((LUMEN_BIN_DIR "/lumendrift-assets" + words + " 2>&1").c_str(), "r");
        char said[256] = "";
        ASSERT_TRUE(out != nullptr && std::fgets(said, sizeof said, out) != nullptr);
        EXPECT_EQ(WEXITSTATUS(pclose(out)), folder ? 1 : 2) << words;
        EXPECT_TRUE(!folder || std::string(said).find("/proc/no:") != std::string::npos) << said;
    }
}

}  // namespace
