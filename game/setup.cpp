// Building a run's state, the frame loop around it, and releasing it afterwards.
#include <cstdio>

#include "game/assets.h"
#include "game/game.h"
#include "game/gamepad.h"
#include "render/render.h"

namespace {

constexpr int kScratchSize = 122;  ///< pixels; big enough for a 90 × 103 ship turned any way
constexpr int kPlayfieldWidth = 1200;
constexpr int kPlayfieldHeight = 1000;
constexpr Uint32 kWhite = 0xFFFFFF;
constexpr Uint32 kScratchAlphaMask = 0xFF000000;
/// Magenta keys out the sprite scratch surface; the panel's key carries an alpha byte as well.
constexpr Uint32 kScratchColourKey = 0xFF00FF;
constexpr Uint32 kFrontColourKey = 0xFFFF00FF;
constexpr Uint32 kFrameWaitMs = 20;

bool fail(std::string* reason, const std::string& why) {
    if (reason != nullptr) {
        *reason = why;
    }
    return false;
}

/// Reads the levels and makes the first one current.
bool readLevels(GameState& state, const char* levelPath, std::string* reason) {
    std::string why;
    if (readLevelFile(state.levels, levelPath, &why) != 0) {
        return fail(reason, why.empty() ? std::string(levelPath) + ": cannot be read" : why);
    }
    if (state.levels == nullptr || state.levels->count < 1) {
        state.levels.reset();
        return fail(reason, std::string(levelPath) + ": holds no levels");
    }
    state.currentLattice = state.levels->lattices[state.levelIndex].get();
    return true;
}

/// The sprite scratch surface and the Playfield, in the ship pictures' pixel layout, with the
/// first level drawn on white.
bool createSurfaces(GameState& state, std::string* reason) {
    const SDL_PixelFormat* ship = state.images.ship[0]->format;
    state.spriteScratch =
        SDL_CreateRGBSurface(SDL_SWSURFACE, kScratchSize, kScratchSize, 32, ship->Rmask,
                             ship->Gmask, ship->Bmask, kScratchAlphaMask);
    state.playfield = SDL_CreateRGBSurface(SDL_SRCALPHA, kPlayfieldWidth, kPlayfieldHeight, 32,
                                           ship->Rmask, ship->Gmask, ship->Bmask, ship->Amask);
    if (state.spriteScratch == nullptr || state.playfield == nullptr) {
        return fail(reason,
                    std::string("cannot create the play surfaces (") + SDL_GetError() + ")");
    }
    SDL_SetAlpha(state.spriteScratch, SDL_SRCALPHA, 255);

    SDL_FillRect(state.playfield, nullptr, kWhite);
    drawLattice(state.playfield, *state.currentLattice, 1, 0, 0);
    SDL_SetColorKey(state.playfield, SDL_SRCCOLORKEY, 0);
    return true;
}

/// The panel picture over the whole screen while the sounds load.
void showLoadingScreen(SDL_Surface* screen, SDL_Surface* frontImage) {
    lockSurfaceIfNeeded(screen);
    SDL_Rect source{0, 0, 800, 600};
    SDL_UpperBlit(frontImage, &source, screen, nullptr);
    SDL_Flip(screen);
    unlockSurfaceIfNeeded(screen);
}

/// Sets the HUD panel's colour key. The panel is blitted over the screen in every frame; SDL's
/// keyed blit between these two formats rebuilds each shown pixel from its colour channels, so the
/// byte outside them arrives as 0. With that byte cleared once in the panel's own shown pixels, SDL
/// may keep the panel run-length encoded and copy its shown runs whole: the same screen pixels
/// for a fraction of the work. Any other pair of formats keeps the plain keyed blit.
void setFrontColourKey(SDL_Surface* front, const SDL_Surface* screen) {
    const SDL_PixelFormat* f = front->format;
    const SDL_PixelFormat* s = screen != nullptr ? screen->format : nullptr;
    const bool sameLayout = s != nullptr && f->BytesPerPixel == 4 && s->BytesPerPixel == 4 &&
                            f->Amask == 0 && s->Amask == 0 && f->Rmask == s->Rmask &&
                            f->Gmask == s->Gmask && f->Bmask == s->Bmask;
    if (!sameLayout) {
        SDL_SetColorKey(front, SDL_SRCCOLORKEY, kFrontColourKey);
        return;
    }
    const Uint32 colourBits = f->Rmask | f->Gmask | f->Bmask;
    lockSurfaceIfNeeded(front);
    for (int y = 0; y < front->h; ++y) {
        Uint32* row = static_cast<Uint32*>(front->pixels) + y * front->pitch / 4;
        for (int x = 0; x < front->w; ++x) {
            if (row[x] != kFrontColourKey) {
                row[x] &= colourBits;
            }
        }
    }
    unlockSurfaceIfNeeded(front);
    SDL_SetColorKey(front, SDL_SRCCOLORKEY | SDL_RLEACCEL, kFrontColourKey);
}

}  // namespace

void resetShips(GameState& state) {
    state.player = kStartingPlayer;
    // Every enemy starts dead and is first born on the 50th frame; only the heading outlives
    // the rebirth.
    for (int e = 0; e < kEnemyCount; ++e) {
        state.enemies[e] = Ship{20.0f, 100.0f * e, 20.0f * e, 0.0f, 0.0f, 0.0f, 0, 0, 50, 50, 1, 0};
    }
}

bool setUpGame(GameState& state, SDL_Surface* screen, SDL_Surface* frontImage,
               SDL_Surface* /*titleImage*/, const char* levelPath, std::string* reason) {
    // The counters, tables, rings and the Camera start at GameState's own start values.
    state.screen = screen;
    state.images.front = frontImage;

    if (!loadImages(state.images, reason) || !readLevels(state, levelPath, reason)) {
        releaseGame(state);
        return false;
    }
    state.running = -1;
    if (!createSurfaces(state, reason)) {
        releaseGame(state);
        return false;
    }
    resetShips(state);
    showLoadingScreen(screen, frontImage);
    if (!loadSounds(state.sounds, reason)) {
        releaseGame(state);
        return false;
    }
    setFrontColourKey(frontImage, screen);
    SDL_SetColorKey(state.spriteScratch, SDL_SRCCOLORKEY, kScratchColourKey);
    return true;
}

void releaseGame(GameState& state) {
    if (state.thrustChannel != -1) {
        Mix_HaltChannel(state.thrustChannel);
        state.thrustChannel = -1;
    }
    releaseSounds(state.sounds);
    releaseImages(state.images);
    freeSurface(state.spriteScratch);
    freeSurface(state.playfield);
    state.currentLattice = nullptr;
    state.levels.reset();
}

void runFrameLoop(GameState& state) {
    SDL_Joystick* gamepad = openGamepad();
    std::array<Uint8, SDLK_LAST> gamepadKeys{};  // the keyboard's keys and the gamepad's
    while (state.running == -1) {
        SDL_Delay(kFrameWaitMs);
        FrameInput input;
        input.hasEvent = SDL_PollEvent(&input.event) == 1;
        input.keys = heldKeysWithGamepad(gamepad, gamepadKeys);
        input.ticks = SDL_GetTicks();
        runFrame(state, input);
    }
}

bool runGame(SDL_Surface* screen, SDL_Surface* frontImage, SDL_Surface* titleImage) {
    // The state is too big to sit comfortably on the stack.
    auto state = std::make_unique<GameState>();
    std::string reason;
    if (!setUpGame(*state, screen, frontImage, titleImage, kLevelFile, &reason)) {
        std::printf("Lumen Drift cannot start: %s\n", reason.c_str());
        return false;
    }
    runFrameLoop(*state);
    releaseGame(*state);
    return true;
}
