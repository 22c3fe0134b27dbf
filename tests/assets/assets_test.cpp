// The asset generator counts what it writes, refuses what it cannot do and fills in left-out level
// source keys. (Every byte it writes is pinned by tests/perf/identical_output.sh; that its levels
// hold no folded cell, by tests/editor/sessions.sh; the set-up tests load every picture and sound.)
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
const fs::path kData = LUMEN_DATA_DIR;

// The generator run with WORDS: the first line it says (either stream) and its exit status.
std::pair<std::string, int> generate(const std::string& words) {
    FILE* out = popen((LUMEN_BIN_DIR "/lumendrift-assets" + words + " 2>&1").c_str(), "r");
    char said[256] = "";
    const bool read = out != nullptr && std::fgets(said, sizeof said, out) != nullptr;
    return {read ? said : "(nothing)", out == nullptr ? -1 : WEXITSTATUS(pclose(out))};
}

// A whole run says how many images and sounds it wrote (all but the level file are one or the
// other); with a folder in place of each sound, the run fails.
TEST(Generator, ItCountsWhatItWroteAndFailsWhenItCannotWriteASound) {
    const fs::path dir = fs::temp_directory_path() / ("lumen-assets-" + std::to_string(getpid()));
    const auto [said, status] = generate(" " + dir.string());
    ASSERT_EQ(status, 0) << said;
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
    EXPECT_EQ(generate(" " + dir.string()).second, 1);
    fs::remove_all(dir);
}

// Wrong words get status 2 and the usage; a folder it cannot make, status 1 and a line that names
// the folder.
TEST(Generator, ItRefusesWrongWordsAndFoldersItCannotMake) {
    for (const std::string words : {"", " --icons", " a b c", " --icons /proc/no", " /proc/no"}) {
        const bool folder = words.find("/proc/no") != std::string::npos;
        const auto [said, status] = generate(words);
        EXPECT_EQ(status, folder ? 1 : 2) << words;
        EXPECT_NE(said.find(folder                ? "/proc/no:"
                            : words == " --icons" ? "FOLDER"
                                                  : "usage: "),
                  std::string::npos)
            << said;
    }
}

// A warp key left out of the level sources takes its documented default: each kind alone builds
// the same level file as the kind with its defaults spelled out.
TEST(Generator, AWarpKeyLeftOutTakesItsDefault) {
    const fs::path dir = fs::temp_directory_path() / ("lumen-levels-" + std::to_string(getpid()));
    std::string built[2];
    for (int spelled = 0; spelled < 2; ++spelled) {
        fs::create_directories(dir);
        std::ofstream sources(dir / "in.json");
        sources << R"({"levels": [)";
        for (const std::string keys :
             {R"("waves", "amplitude": [1, 1], "wavelength": [10, 10])",
              R"("waves", "phase": [0, 0])",
              R"("bulge", "centre": [6, 4.5], "radius": 6, "strength": 0.5)",
              R"("vortex", "centre": [6, 4.5], "radius": 6, "twist": 1)",
              R"("shear", "row": 4.5, "width": 3, "offset": 2)",
              R"("ripple", "centre": [6, 4.5], "wavelength": 6, "amplitude": 0.6, "radius": 12)"}) {
            sources << R"({"columns": 13, "rows": 10, "warps": [{"kind": )"
                    << (spelled ? keys : keys.substr(0, keys.find(','))) << "}]},";
        }
        sources << R"({"columns": 3, "rows": 3}]})" << std::flush;
        EXPECT_EQ(generate(" " + dir.string() + "/out " + dir.string() + "/in.json").second, 0);
        built[spelled] = (std::stringstream() << std::ifstream(dir / "out/foo3.lvl").rdbuf()).str();
        fs::remove_all(dir);
    }
    EXPECT_EQ(built[0], built[1]);
    EXPECT_EQ(built[0].size(), 4 + 6 * (12 + 8 * 130 + 8 * 42u) + 12 + 8 * 9 + 8 * 8);
}

}  // namespace
