#pragma once
// A playable GameState for the game's tests: the screen of SDL's dummy video driver, made-up
// single-colour 32-bit images of the sizes the game draws, a level set built in memory, scripted
// held keys with a clock that advances 20 ms a frame, and rand() draws recorded ahead of a pass.

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "game/frame.h"
#include "game/game.h"
#include "game/game_state.h"
#include "render/render.h"

namespace play {

/// Opaque colours of the made-up pictures, one per use, so a pixel tells what was drawn.
constexpr Uint32 kShipColour[kShipImageCount] = {0x102030, 0x203040, 0x304050,
                                                 0x405060, 0x506070, 0x607080};
constexpr Uint32 kShotColour = 0xE0C020;
constexpr Uint32 kPanelColour = 0x404040;
constexpr Uint32 kGreen = 0x00FF00;
constexpr Uint32 kBlue = 0x0000FF;

/// Starts SDL's dummy video (once) and returns its 800 × 600 screen.
inline SDL_Surface* dummyScreen() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
    }
    SDL_Surface* screen = SDL_GetVideoSurface();
    return screen != nullptr ? screen : SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
}

/// A w × h 32-bit image of one colour, the fourth byte opaque as in the game's bitmaps (turned
/// sprites carry it into the scratch surface); with alpha it is an alpha image.
inline SDL_Surface* image(int w, int h, Uint32 rgb, bool alpha = false) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00,
                                          0x000000FF, alpha ? 0xFF000000 : 0);
    SDL_FillRect(s, nullptr, rgb | 0xFF000000);
    if (alpha) {
        SDL_SetAlpha(s, SDL_SRCALPHA, 255);
    }
    return s;
}

/// The RGB of one pixel of a 32-bit surface.
inline Uint32 pixel(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x] & 0x00FFFFFF;
}

/// rand() values that follow srand(seed), recorded without disturbing the test's own replay.
inline std::vector<int> drawsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws(static_cast<size_t>(count));
    std::generate(draws.begin(), draws.end(), [] { return std::rand(); });
    std::srand(seed);
    return draws;
}

/// A seed whose first rand() is a multiple of `odds` (an enemy fires) or is not (holds fire).
inline unsigned seedWhere(bool fires, int odds) {
    unsigned seed = 1;
    while ((drawsAfter(seed, 1)[0] % odds == 0) != fires) {
        ++seed;
    }
    return seed;
}

/// A living ship of `kind` at (x, y) with velocity (vx, vy), heading 0.
inline Ship ship(int kind, float x, float y, int health = 50, float vx = 0.0f, float vy = 0.0f) {
    return Ship{x, y, 0.0f, vx, vy, 0.0f, kind, 0, 0, health, 1, 0};
}

/// Every field of a ship, to compare one with the ship expected.
inline auto fields(const Ship& s) {
    return std::make_tuple(s.x, s.y, s.heading, s.vx, s.vy, s.spin, s.kind, s.age,
                           s.respawnCountdown, s.health, s.mass, s.weapon);
}

/// A ship dead for a long time, by default well out of everyone's way.
inline Ship parkedShip(float x = 2500.0f, float y = 2500.0f) {
    return Ship{x, y, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 1000000, 50, 1, 0};
}

/// Tag of a World whose player is alive and at rest at (1000, 1000): the arena of the pass tests.
struct Arena {};
constexpr Arena kArena{};

/// A run's state on a level set of default Lattices (40 pixels a lattice unit, so picture =
/// 0.4 × world), with every image present and the Playfield, scratch and screen made as the game
/// makes them. No sound. The player takes its start values; the enemies are parked.
class World {
  public:
    explicit World(std::vector<std::pair<int, int>> levels = {{30, 30}}) {
        GameState& s = *state;
        s.screen = dummyScreen();
        SDL_FillRect(s.screen, nullptr, 0);
        s.levels = std::make_unique<LevelSet>();
        for (const auto& [columns, rows] : levels) {
            s.levels->appendLattice(columns, rows);
        }
        s.currentLattice = s.levels->lattices[0].get();
        Images& im = s.images;
        for (int pose = 0; pose < kShipImageCount; ++pose) {
            im.ship[pose] = keep(image(90, 103, kShipColour[pose]));
        }
        im.enemy.fill(keep(image(60, 60, 0x8020A0)));
        for (int i = 0; i < kShotImageCount; ++i) {  // the laser is 12 × 40; 0..19 have alpha
            im.shot[i] = keep(image(i == 1 ? 12 : 20, i == 1 ? 40 : 20, kShotColour, i < 20));
        }
        for (int i = 0; i < kExplosionImageCount; ++i) {
            im.explosion[i] = keep(image(i < 12 ? 180 : 100, i < 12 ? 180 : 100, 0xFF8000, true));
        }
        for (int w = 1; w < kWeaponCount; ++w) {
            im.ammo[w] = keep(image(40, 20, 0x00FFFF));
        }
        im.indicator.fill(keep(image(40, 20, 0xFFFF00)));
        im.health = keep(image(200, 20, 0x00FF00));
        im.completion = keep(image(200, 20, 0x0000FF));
        im.levelUp = keep(image(800, 600, 0xFFFFFF));
        im.front = keep(image(800, 185, kPanelColour));
        s.spriteScratch = keep(image(122, 122, 0, true));
        SDL_FillRect(s.spriteScratch, nullptr, 0);
        SDL_SetColorKey(s.spriteScratch, SDL_SRCCOLORKEY, 0xFF00FF);
        s.playfield = keep(image(1200, 1000, 0xFFFFFF));  // white until the first frame
        drawLattice(s.playfield, *s.currentLattice, 1, 0, 0);
        SDL_SetColorKey(s.playfield, SDL_SRCCOLORKEY, 0);
        s.pacing.levelUpWaitMs = 0;
        resetShips(s);
        s.enemies.fill(parkedShip());  // dead for a long time, far from the player
    }
    explicit World(Arena, std::vector<std::pair<int, int>> levels = {{30, 30}})
        : World(std::move(levels)) {
        state->player = ship(0, 1000.0f, 1000.0f, 100);
    }
    ~World() {
        for (SDL_Surface* surface : owned_) {
            SDL_FreeSurface(surface);
        }
    }

    GameState& operator*() { return *state; }
    GameState* operator->() { return state.get(); }

    /// Frees the surface with the world.
    SDL_Surface* keep(SDL_Surface* surface) {
        owned_.push_back(surface);
        return surface;
    }

    /// Runs one frame with exactly these keys held (and the event, if given).
    void frame(std::initializer_list<SDLKey> held = {}, const SDL_Event* event = nullptr) {
        std::fill(keys.begin(), keys.end(), 0);
        for (SDLKey key : held) {
            keys[key] = 1;
        }
        runFrame(*state, input(event));
    }
    void frames(int n, std::initializer_list<SDLKey> held = {}) {
        for (int f = 0; f < n; ++f) {
            frame(held);
        }
    }
    /// The next frame's input with the keys as they are held now; the clock advances 20 ms.
    FrameInput input(const SDL_Event* event = nullptr) {
        ticks += 20;
        return FrameInput{keys.data(), ticks, event != nullptr,
                          event != nullptr ? *event : SDL_Event{}};
    }

    int liveShots() const {
        return static_cast<int>(std::count(state->shots.live.begin(), state->shots.live.end(), 1));
    }

    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    Uint32 ticks = 1000;  ///< ms; the next frame sees ticks + 20
    std::vector<Uint8> keys = std::vector<Uint8>(SDLK_LAST, 0);

  private:
    std::vector<SDL_Surface*> owned_;
};

}  // namespace play
