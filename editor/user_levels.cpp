#include "editor/user_levels.h"

#include <filesystem>
#include <system_error>

#include "platform/platform.h"

namespace fs = std::filesystem;

std::string userLevelsFile(const std::string& shipped, std::string* reason) {
    std::string why;
    const std::string folder = userDataFolder(&why);
    if (folder.empty()) {
        *reason = why + ": no place for your levels";
        return "";
    }
    const fs::path copy = fs::path(folder) / fs::path(shipped).filename();
    std::error_code error;
    const bool present = fs::exists(copy, error);
    if (error) {
        *reason = copy.string() + ": " + error.message();
        return "";
    }
    if (present) {
        return copy.string();
    }
    // Copied under a temporary name and renamed, so an interrupted first start leaves no
    // half-written copy behind.
    const fs::path partial = copy.string() + ".partial";
    std::string step;
    if (fs::create_directories(folder, error), error) {
        step = "cannot make the folder " + folder;
    } else if (fs::copy_file(shipped, partial, fs::copy_options::overwrite_existing, error),
               error) {
        step = "cannot copy " + shipped + " to " + partial.string();
    } else if (fs::rename(partial, copy, error), error) {
        step = "cannot rename " + partial.string() + " to " + copy.string();
    }
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        *reason = "cannot make your copy of the levels: " + step + ": " + error.message();
        return "";
    }
    return copy.string();
}
