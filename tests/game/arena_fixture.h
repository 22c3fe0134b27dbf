#pragma once
// A small arena for the tests of the enemy, collision, explosion, pick-up, HUD and level-change
// passes: a GameState over a default Lattice (40 pixels a lattice unit, so picture = 0.4 × world),
// real software surfaces and made-up single-colour images.

#include <SDL.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "game/game_state.h"

namespace arena {

constexpr Uint32 kRed = 0x00FF0000;
constexpr Uint32 kGreen = 0x0000FF00;
constexpr Uint32 kBlue = 0x000000FF;

/// A 32-bit software surface with the game's sprite masks; alpha mask optional.
inline SDL_Surface* makeSurface(int w, int h, bool withAlpha) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                withAlpha ? 0xFF000000 : 0);
}

/// A w × h image filled with one colour; with an alpha mask the colour is made opaque.
inline SDL_Surface* makeImage(int w, int h, Uint32 rgb, bool withAlpha = false) {
    SDL_Surface* image = makeSurface(w, h, withAlpha);
    SDL_FillRect(image, nullptr, withAlpha ? (rgb | 0xFF000000) : rgb);
    return image;
}

/// The RGB of one pixel of a 32-bit surface.
inline Uint32 pixelAt(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x] & 0x00FFFFFF;
}

/// rand() values that follow srand(seed), recorded without disturbing the test's own replay.
inline std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int n = 0; n < count; ++n) {
        draws.push_back(std::rand());
    }
    std::srand(seed);
    return draws;
}

/// A dead ship record well out of everyone's way.
inline Ship parkedShip() {
    return Ship{2500.0f, 2500.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 70, 50, 1, 0};
}

/// A living enemy of `kind` at (x, y), at rest, heading 0, health 50.
inline Ship livingEnemy(int kind, float x, float y) {
    return Ship{x, y, 0.0f, 0.0f, 0.0f, 0.0f, kind, 0, 0, 50, 1, 0};
}

/// SDL_Flip needs the video subsystem, even for a surface that is not the window; the dummy
/// driver serves.
inline void ensureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
}

/// A GameState on level sets of the given sizes, a black 800 × 600 screen, the 122 × 122 sprite
/// scratch and a 1200 × 1000 Playfield. The player sits at (1000, 1000); all enemies are parked.
struct Arena {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    std::vector<SDL_Surface*> owned;

    explicit Arena(std::vector<std::pair<int, int>> levels = {{30, 30}}) {
        ensureVideo();
        state->levels = std::make_unique<LevelSet>();
        for (const auto& [columns, rows] : levels) {
            state->levels->appendLattice(columns, rows);
        }
        state->currentLattice = state->levels->lattices[0].get();
        state->screen = keep(makeSurface(800, 600, false));
        state->spriteScratch = keep(makeSurface(122, 122, true));
        SDL_SetAlpha(state->spriteScratch, SDL_SRCALPHA, 255);
        state->playfield = keep(makeSurface(1200, 1000, true));
        state->pacing.levelUpWaitMs = 0;
        state->player = Ship{1000.0f, 1000.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 100, 1, 0};
        for (Ship& enemy : state->enemies) {
            enemy = parkedShip();
        }
    }
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena() {
        for (SDL_Surface* surface : owned) {
            SDL_FreeSurface(surface);
        }
    }

    /// Frees the surface with the arena.
    SDL_Surface* keep(SDL_Surface* surface) {
        owned.push_back(surface);
        return surface;
    }

    /// Small single-colour stand-ins for every sprite the frame rotates or blits, so that a whole
    /// frame can run: ships 90 × 103, enemies 60 × 60, shots 12 × 40, explosions 20 × 20.
    void giveSpriteImages() {
        for (SDL_Surface*& image : state->images.ship) {
            image = keep(makeImage(90, 103, 0xC0C0C0, true));
        }
        for (SDL_Surface*& image : state->images.enemy) {
            image = keep(makeImage(60, 60, 0xA000A0, true));
        }
        for (SDL_Surface*& image : state->images.shot) {
            image = keep(makeImage(12, 40, 0xFFFF00, true));
        }
        for (SDL_Surface*& image : state->images.explosion) {
            image = keep(makeImage(20, 20, 0xFF8000, true));
        }
    }

    GameState& operator*() { return *state; }
    GameState* operator->() { return state.get(); }

    /// Number of live shots in the ring.
    int liveShots() const {
        int n = 0;
        for (uint8_t live : state->shots.live) {
            n += live;
        }
        return n;
    }
};

}  // namespace arena
