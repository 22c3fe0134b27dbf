#pragma once
// A playable GameState for the tests of the frame, the player and the shots: the real screen of
// SDL's dummy video driver, made-up 32-bit images of the sizes the game draws, a level set built
// in memory, and scripted held keys with a clock that advances 20 ms a frame. Also writes a whole
// data folder (bitmaps, sounds, level file) for the set-up tests.

#include <SDL.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/frame.h"
#include "game/game_state.h"

namespace play {

/// Opaque colours of the made-up pictures, one per use, so a pixel tells what was drawn.
constexpr Uint32 kShipColour[kShipImageCount] = {0x102030, 0x203040, 0x304050,
                                                 0x405060, 0x506070, 0x607080};
constexpr Uint32 kShotColour = 0xE0C020;
constexpr Uint32 kEnemyColour = 0x8020A0;

/// Starts SDL's dummy video (once) and returns its 800 × 600 screen.
SDL_Surface* dummyScreen();

/// A w × h 32-bit surface with the red, green, blue masks of a loaded bitmap and the given alpha
/// mask, filled with the raw pixel value.
SDL_Surface* solidSurface(int w, int h, Uint32 value, Uint32 alphaMask);

/// The raw 32-bit value of one pixel.
Uint32 pixel(SDL_Surface* surface, int x, int y);

/// A run's state on a level set of default Lattices, with every image present and the Playfield,
/// scratch and screen created as the game creates them. No sound. The player and enemies take
/// their start values; held keys and the clock are the test's.
class World {
  public:
    explicit World(std::vector<std::pair<int, int>> levelSizes = {{30, 30}});
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    GameState& operator*() { return *state; }
    GameState* operator->() { return state.get(); }

    /// Runs one frame with exactly these keys held; the clock advances 20 ms first.
    void frame(std::initializer_list<SDLKey> held = {});
    /// Runs n frames with the same keys held.
    void frames(int n, std::initializer_list<SDLKey> held = {});
    /// Runs one frame that also takes this event.
    void frameWithEvent(const SDL_Event& event);

    /// Parks the five enemies far from the player, dead for a long time, so that a test of the
    /// player or the shots is not disturbed by them.
    void parkEnemies();

    int liveShots() const;

    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    Uint32 ticks = 1000;  ///< ms; the next frame sees ticks + 20
    std::vector<Uint8> keys = std::vector<Uint8>(SDLK_LAST, 0);

  private:
    void run(const FrameInput& input);
    std::vector<SDL_Surface*> owned_;
};

/// Writes a 32-bit BI_RGB bitmap file of w × h pixels, each the raw value (alpha in the fourth
/// byte).
void writeBitmap32(const std::string& path, int w, int h, Uint32 value);
/// Writes a 24-bit bitmap file.
void writeBitmap24(const std::string& path, int w, int h, Uint32 rgb);
/// Writes a short mono 16-bit PCM WAV file.
void writeWave(const std::string& path);

/// A fresh folder under the system's temporary folder holding every file the game reads, with a
/// level file of `levels` default Lattices. Removed with the object. The working folder is
/// switched to it while the object lives.
class DataFolder {
  public:
    explicit DataFolder(int levels = 2);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    /// Every file the game loads, relative to the folder, in the game's load order.
    static std::vector<std::string> imageFiles();
    static std::vector<std::string> soundFiles();
    /// The raw pixel value every pixel of image file n (in imageFiles order) holds.
    static Uint32 imageValue(int n);

    std::string path;

  private:
    std::string previous_;
};

}  // namespace play
