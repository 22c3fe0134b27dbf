// One body per platform: only where SDL draws through X can there be no display.
#include "render/display.h"

#include <cstdlib>

#if defined(_WIN32) || defined(__APPLE__) || defined(__EMSCRIPTEN__)

// A desktop or the page's canvas is always there.
std::string missingDisplay() {
    return "";
}

#else

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

std::string missingDisplay() {
    if (isSet("DISPLAY") || isSet("SDL_VIDEODRIVER")) {
        return "";
    }
    return "no display (DISPLAY is not set; SDL_VIDEODRIVER can name another video driver)";
}

#endif
