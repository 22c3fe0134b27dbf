// The program's entry: SDL and the window, the title screen, then the game.
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/game.h"
#include "render/display.h"

namespace {

/// Waits for a key. Closing the window or clicking does not leave the title screen.
void waitForKey() {
    SDL_Event event;
    do {
        SDL_WaitEvent(&event);
    } while (event.type != SDL_KEYDOWN);
}

}  // namespace

extern "C" int SDL_main(int argc, char** argv);

/// Starts SDL, opens the 800 × 600 window, shows the title until a key is pressed and plays.
/// Returns 0 after play, 1 when the game could not be set up.
int SDL_main(int, char**) {
    // Without a usable sound system the game still plays, silently; only video is a must.
    const std::string noDisplay = missingDisplay();
    if (!noDisplay.empty() ||
        (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0 && SDL_Init(SDL_INIT_VIDEO) < 0)) {
        std::printf("Unable to init SDL: %s\n",
                    noDisplay.empty() ? SDL_GetError() : noDisplay.c_str());
        std::exit(1);
    }
    std::atexit(SDL_Quit);
    // SDL turns Ctrl-C and kill into quit requests, which the title screen ignores; a player at a
    // terminal expects them to end the program, so they keep their usual meaning.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    SDL_Surface* screen = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
    if (screen == nullptr) {
        std::printf("Unable to set 800x600 video: %s\n", SDL_GetError());
        std::exit(1);
    }
    SDL_WM_SetCaption("Lumen Drift", "what");

    SDL_Surface* frontImage = nullptr;
    SDL_Surface* titleImage = nullptr;
    std::string reason;
    if (!loadStartImages(frontImage, titleImage, &reason)) {
        std::printf("Lumen Drift cannot start: %s\n", reason.c_str());
        return 1;
    }

    SDL_UpperBlit(titleImage, nullptr, screen, nullptr);
    SDL_Flip(screen);
    waitForKey();

    const bool played = runGame(screen, frontImage, titleImage);
    SDL_FreeSurface(titleImage);
    SDL_FreeSurface(frontImage);
    return played ? 0 : 1;
}

// On Windows SDLmain supplies the process entry and calls SDL_main; elsewhere SDL leaves main to
// the program.
#if !defined(main)
int main(int argc, char** argv) {
    return SDL_main(argc, argv);
}
#endif
