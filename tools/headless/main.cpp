// lumendrift-headless: the real game on SDL's dummy video and audio drivers, without the frame
// wait and the title screen, fed by a key script or random keys, ending with a state digest.
// Run it from the data folder.
#include <SDL.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/digest.h"
#include "game/game.h"
#include "game/state_check.h"
#include "platform/platform.h"
#include "tools/headless/allocation_count.h"
#include "tools/headless/bench.h"
#include "tools/headless/options.h"

namespace {

constexpr Uint32 kFrameMs = 20;  ///< the clock advances as if each frame took exactly this long

/// The keys random play chooses from, with how often (in 1000ths) each is held.
struct RandomKey {
    SDLKey key;
    uint32_t perMille;
};
constexpr RandomKey kRandomKeys[] = {
    {SDLK_UP, 450},    {SDLK_DOWN, 150},  {SDLK_LEFT, 300},  {SDLK_RIGHT, 300}, {SDLK_RSHIFT, 150},
    {SDLK_RCTRL, 250}, {SDLK_LCTRL, 100}, {SDLK_SPACE, 200}, {SDLK_1, 40},      {SDLK_2, 40},
    {SDLK_3, 40},      {SDLK_4, 40},      {SDLK_5, 40},
};

/// Held keys frame by frame, from the script or from a generator of its own (so that the game's
/// rand() sequence is the same as in any other run).
class KeySource {
  public:
    explicit KeySource(const HeadlessOptions& options)
        : options_(options), generator_(options.seed) {}

    /// Fills keys for the next frame.
    void next(Uint8* keys) {
        if (options_.randomKeys) {
            nextRandom(keys);
        } else {
            nextScripted(keys);
        }
    }

  private:
    void nextScripted(Uint8* keys) {
        while (step_ < options_.script.size() && used_ >= options_.script[step_].frames) {
            ++step_;
            used_ = 0;
        }
        clear(keys);
        if (step_ < options_.script.size()) {
            for (SDLKey key : options_.script[step_].keys) {
                keys[key] = 1;
            }
            ++used_;
        }
    }

    /// A new choice of keys every 3 to 12 frames. Plain modulo keeps it the same on every
    /// standard library.
    void nextRandom(Uint8* keys) {
        if (used_ == 0) {
            clear(keys);
            for (const RandomKey& key : kRandomKeys) {
                keys[key.key] = generator_() % 1000 < key.perMille ? 1 : 0;
            }
            used_ = 3 + static_cast<int>(generator_() % 10);
        }
        --used_;
    }

    static void clear(Uint8* keys) {
        for (int k = 0; k < SDLK_LAST; ++k) {
            keys[k] = 0;
        }
    }

    const HeadlessOptions& options_;
    std::mt19937 generator_;
    size_t step_ = 0;
    int used_ = 0;
};

/// FNV-1a of the screen's raw pixel memory, every byte of every row (the unused byte of a 32-bit
/// pixel too, which a saved BMP leaves out).
uint64_t pixelHash(SDL_Surface* screen) {
    Fnv fnv;
    const int rowBytes = screen->w * screen->format->BytesPerPixel;
    for (int y = 0; y < screen->h; ++y) {
        fnv.bytes(static_cast<const Uint8*>(screen->pixels) + y * screen->pitch,
                  static_cast<size_t>(rowBytes));
    }
    return fnv.hash;
}

/// Whether the counter sees an operator new, a malloc and SDL's caption copies, one each.
bool allocationCounterSeesAll() {
    const int64_t before = threadAllocationCount();
    const int64_t copiesBefore = threadCaptionAllocationCount();
    auto probe = std::make_unique<volatile int>(0);
    void* block = std::malloc(16);
    const bool counted = threadAllocationCount() - before == 2 && block != nullptr;
    std::free(block);
    probe.reset();
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    char saved[128] = {};  // SDL frees its copy when the caption is set again
    std::snprintf(saved, sizeof saved, "%s", title != nullptr ? title : "");
    SDL_WM_SetCaption("allocation probe", nullptr);
    const bool copied = threadCaptionAllocationCount() - copiesBefore == 1;
    SDL_WM_SetCaption(saved, nullptr);  // the caption as it was, for the frames
    return counted && copied;
}

/// Plays the frames the options ask for on a state that is set up, then prints the summary line.
/// Returns the exit status.
int playFrames(GameState& state, SDL_Surface* screen, const HeadlessOptions& options) {
    if (options.countAllocations && !allocationCounterSeesAll()) {
        std::printf("lumendrift-headless: the allocation counter misses allocations\n");
        return 1;
    }

    KeySource source(options);
    std::vector<Uint8> keys(SDLK_LAST, 0);
    int frame = 0;
    int64_t playAllocations = 0;  // on this thread, in the frames after the first
    int64_t captionAllocations = 0;
    while (frame < options.frames && state.running == -1) {
        ++frame;
        source.next(keys.data());
        FrameInput input;
        input.keys = keys.data();
        input.ticks = static_cast<Uint32>(frame) * kFrameMs;
        const int64_t before = threadAllocationCount();
        const int64_t captionBefore = threadCaptionAllocationCount();
        runFrame(state, input);
        if (frame > 1) {
            playAllocations += threadAllocationCount() - before;
            captionAllocations += threadCaptionAllocationCount() - captionBefore;
        }
        // A NaN or an infinity would spread silently through positions and the Lattice.
        const std::string nonFinite = findNonFinite(state);
        if (!nonFinite.empty()) {
            std::printf("lumendrift-headless: frame %d: %s is not a finite number\n", frame,
                        nonFinite.c_str());
            return 1;
        }
        if (options.trace) {
            std::printf("frame=%d digest=%016" PRIx64 "\n", frame, stateDigest(state));
        }
        for (const ScreenShot& shot : options.shots) {
            if (shot.frame == frame && options.pixelHashes) {
                std::printf("pixels frame=%d hash=%016" PRIx64 "\n", frame, pixelHash(screen));
            }
            if (shot.frame == frame && SDL_SaveBMP(screen, shot.path.c_str()) != 0) {
                std::printf("lumendrift-headless: %s: cannot be written (%s)\n", shot.path.c_str(),
                            SDL_GetError());
                return 1;
            }
        }
    }

    std::printf("frames=%d level=%d kills=%d health=%d digest=%016" PRIx64 "\n", frame,
                state.levelIndex, state.kills, state.player.health, stateDigest(state));
    if (options.countAllocations) {
        std::printf("allocs=%" PRId64 " caption_copies=%" PRId64 " frames=%d\n", playAllocations,
                    captionAllocations, frame > 1 ? frame - 1 : 0);
    }
    if (options.allowedAllocations >= 0 && playAllocations > options.allowedAllocations) {
        std::printf("lumendrift-headless: play allocated %" PRId64 " times (allowed: %lld)\n",
                    playAllocations, options.allowedAllocations);
        return 1;
    }
    return 0;
}

/// Sets up a run from the data folder, benches or plays it, and releases it. The exit status.
int run(SDL_Surface* screen, SDL_Surface* frontImage, SDL_Surface* titleImage,
        const HeadlessOptions& options) {
    auto state = std::make_unique<GameState>();
    std::string error;
    if (!setUpGame(*state, screen, frontImage, titleImage, options.levelPath.c_str(), &error)) {
        std::printf("Lumen Drift cannot start: %s\n", error.c_str());
        return 1;
    }
    state->pacing.levelUpWaitMs = 0;
    if (options.startAmmo >= 0) {
        // Test and bench option: every weapon loaded from the start (a level change still empties
        // them), so that scripted runs can fire black holes.
        state->ammo.fill(options.startAmmo);
    }
    const int status = options.bench ? runBench(*state, programFile().c_str())
                                     : playFrames(*state, screen, options);
    releaseGame(*state);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    HeadlessOptions options;
    std::string error;
    if (!parseOptions(argc, argv, options, &error)) {
        std::fprintf(stderr, "lumendrift-headless: %s\n", error.c_str());
        return 2;
    }

    if (options.countAllocations && !allocationCountingAvailable()) {
        std::printf("lumendrift-headless: this build cannot count allocations (sanitizers)\n");
        return 1;
    }

    // Keep whatever driver the caller chose; otherwise no window and no sound card.
    setEnvironment("SDL_VIDEODRIVER", "dummy", false);
    setEnvironment("SDL_AUDIODRIVER", "dummy", false);
    // As in the game, a missing sound system means a silent run, not a failure.
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0 && SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("Unable to init SDL: %s\n", SDL_GetError());
        return 1;
    }
    std::atexit(SDL_Quit);
    SDL_Surface* screen = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
    if (screen == nullptr) {
        std::printf("Unable to set 800x600 video: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Lumen Drift", "what");
    SDL_Surface* frontImage = nullptr;
    SDL_Surface* titleImage = nullptr;
    if (!loadStartImages(frontImage, titleImage, &error)) {
        std::printf("Lumen Drift cannot start: %s\n", error.c_str());
        return 1;
    }
    const int status = run(screen, frontImage, titleImage, options);
    SDL_FreeSurface(titleImage);
    SDL_FreeSurface(frontImage);
    return status;
}
