// The bench builds its scenes directly in a real GameState and times the real runFrame: warm-up
// frames first, then the median of many frames, wall clock and thread CPU time side by side.
#include "tools/headless/bench.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "game/frame.h"
#include "game/playfield.h"
#include "game/spawn.h"
#include "platform/platform.h"
#include "render/render.h"
#include "tools/headless/allocation_count.h"

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kMeasuredFrames = 600;
constexpr int kStartUpRuns = 5;
constexpr double kFrameBudgetMs = 20.0;
constexpr int kTypicalShots = 60;
constexpr int kBlackHoleLatticeSize = 40;  ///< nodes along each side
constexpr Uint32 kFrameMs = 20;

/// Wall-clock and thread CPU time of one stretch of work, in ms.
struct Stopwatch {
    double wall = 0.0;
    double cpu = 0.0;

    void start() {
        wall = wallClockMs();
        cpu = threadCpuMs();
    }
    double wallMs() const { return wallClockMs() - wall; }
    double cpuMs() const { return threadCpuMs() - cpu; }
};

/// Per-frame times of one measured scene, kept in storage reserved before the first frame.
struct Timings {
    std::vector<double> wall;
    std::vector<double> cpu;
    int64_t allocations = 0;
    int64_t captionCopies = 0;

    Timings() {
        wall.reserve(kMeasuredFrames);
        cpu.reserve(kMeasuredFrames);
    }
    static double median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    }
};

/// Held keys of the bench player: thrust and fire always, a turn now and then so that the
/// ship circles over the arena and the Camera crosses cells as in play.
void benchKeys(std::array<Uint8, SDLK_LAST>& keys, int frame) {
    keys.fill(0);
    keys[SDLK_UP] = 1;
    keys[SDLK_SPACE] = 1;
    keys[SDLK_LEFT] = (frame / 40) % 2 == 0 ? 1 : 0;
}

/// Keeps the scene as the figure describes it: every ship alive, no level change, the five
/// enemies on a slowly turning ring 400 world units around the player (close enough to be on
/// screen and to fire, far enough not to ram it every frame, which would jolt the Camera into
/// another cell and redraw the Playfield), and about kTypicalShots live shots (new ones fan out
/// from the player as old ones leave).
void keepTypicalScene(GameState& state, int frame) {
    state.player.respawnCountdown = 0;
    state.player.health = 100;
    for (int e = 0; e < kEnemyCount; ++e) {
        Ship& enemy = state.enemies[e];
        enemy.respawnCountdown = 0;
        enemy.health = 50;
        enemy.kind = e % kEnemyKindCount;
        const double angle = 1.2566 * e + 0.01 * frame;
        enemy.x = state.player.x + static_cast<float>(400.0 * std::sin(angle));
        enemy.y = state.player.y + static_cast<float>(400.0 * std::cos(angle));
    }
    state.kills = 0;
    int live = 0;
    for (uint8_t flag : state.shots.live) {
        live += flag;
    }
    for (int n = live; n < kTypicalShots; ++n) {
        Shot& shot = spawnShot(state.shots, state.player);
        const double angle = 0.7 * (frame + n);
        shot.vx = static_cast<float>(12.0 * std::sin(angle));
        shot.vy = static_cast<float>(12.0 * std::cos(angle));
        shot.x += 10.0f * shot.vx;  // clear of the player's ship
        shot.y += 10.0f * shot.vy;
        shot.kind = SimpleShot;
        shot.age = 4;
    }
}

/// Two black holes alive at all times, each kept in its own slot near the player.
struct BlackHoles {
    std::array<int, 2> slot{-1, -1};

    void keep(GameState& state, int frame) {
        for (int h = 0; h < 2; ++h) {
            if (slot[h] >= 0 && state.shots.live[slot[h]] &&
                state.shots.shots[slot[h]].kind == BlackHole) {
                continue;
            }
            slot[h] = state.shots.next;
            Shot& hole = spawnShot(state.shots, state.player);
            const float side = h == 0 ? -1.0f : 1.0f;
            hole.x = state.player.x + side * 250.0f;
            hole.y = state.player.y + 150.0f + 10.0f * static_cast<float>(frame % 7);
            hole.vx = side * 3.0f;
            hole.vy = 2.0f;
            hole.kind = BlackHole;
            hole.age = 1;
        }
    }
};

/// One floor: clear the screen, blit the Playfield window the frame's way, flip.
void floorOnce(GameState& state) {
    SDL_FillRect(state.screen, nullptr, 0);
    const SDL_Rect source{0, 0, 800, 600};
    blitAt(state.playfield, &source, state.screen, 0, 0);
    SDL_Flip(state.screen);
}

/// Runs the warm-up and the measured frames of a scene; `prepare` sets it up before each frame.
/// With `floor`, a floor is timed before every frame as well, so that both figures of the ratio
/// are taken under the same load on a busy machine (the frame clears the screen the floor drew).
template <typename Prepare>
Timings measureScene(GameState& state, int& frame, Prepare prepare, Timings* floor = nullptr) {
    Timings timings;
    std::array<Uint8, SDLK_LAST> keys{};
    for (int n = 0; n < kWarmUpFrames + kMeasuredFrames; ++n) {
        ++frame;
        if (floor != nullptr) {
            Stopwatch floorWatch;
            floorWatch.start();
            floorOnce(state);
            if (n >= kWarmUpFrames) {
                floor->wall.push_back(floorWatch.wallMs());
                floor->cpu.push_back(floorWatch.cpuMs());
            }
        }
        prepare(frame);
        benchKeys(keys, frame);
        FrameInput input;
        input.keys = keys.data();
        input.ticks = static_cast<Uint32>(frame) * kFrameMs;
        const int64_t before = threadAllocationCount();
        const int64_t captionBefore = threadCaptionAllocationCount();
        Stopwatch watch;
        watch.start();
        runFrame(state, input);
        const double wall = watch.wallMs();
        const double cpu = watch.cpuMs();
        const int64_t made = threadAllocationCount() - before;
        const int64_t copies = threadCaptionAllocationCount() - captionBefore;
        if (n >= kWarmUpFrames) {
            timings.wall.push_back(wall);
            timings.cpu.push_back(cpu);
            timings.allocations += made;
            timings.captionCopies += copies;
        }
    }
    return timings;
}

/// Clearing the screen, showing the Playfield window and flipping: the floor of every frame. The
/// blit is the frame's own (the Playfield keeps whatever colour key the game gave it).
Timings measureFloor(GameState& state) {
    Timings timings;
    for (int n = 0; n < kWarmUpFrames + kMeasuredFrames; ++n) {
        Stopwatch watch;
        watch.start();
        floorOnce(state);
        if (n >= kWarmUpFrames) {
            timings.wall.push_back(watch.wallMs());
            timings.cpu.push_back(watch.cpuMs());
        }
    }
    return timings;
}

/// The floor with a plain copy in place of the Playfield's colour-keyed blit, for comparison: the
/// key is lifted for the measurement and put back.
Timings measureCopyFloor(GameState& state) {
    const bool keyed = (state.playfield->flags & SDL_SRCCOLORKEY) != 0;
    const Uint32 key = state.playfield->format->colorkey;
    SDL_SetColorKey(state.playfield, 0, 0);
    const Timings copy = measureFloor(state);
    if (keyed) {
        SDL_SetColorKey(state.playfield, SDL_SRCCOLORKEY, key);
    }
    return copy;
}

/// Parts of the black-hole frame on their own: the refit of every node, and the Playfield redraw
/// (clear and draw the bent Lattice) for the current Camera cell.
struct BlackHoleParts {
    double refitMs;
    double redrawMs;
};

BlackHoleParts measureBlackHoleParts(GameState& state) {
    std::vector<double> refit;
    std::vector<double> redraw;
    for (int n = 0; n < kWarmUpFrames + kMeasuredFrames / 4; ++n) {
        Stopwatch watch;
        watch.start();
        state.currentLattice->refitAll();
        const double refitMs = watch.wallMs();
        watch.start();
        redrawPlayfield(state);
        const double redrawMs = watch.wallMs();
        if (n >= kWarmUpFrames) {
            refit.push_back(refitMs);
            redraw.push_back(redrawMs);
        }
    }
    return {Timings::median(refit), Timings::median(redraw)};
}

/// The median wall time from starting a fresh runner (set-up and all loads) to the end of its
/// first frame and its exit. The exit is included, so the figure errs on the slow side.
double measureStartUp(const char* self) {
    std::vector<double> runs;
    for (int r = 0; r < kStartUpRuns; ++r) {
        Stopwatch watch;
        watch.start();
        ChildProcess child;
        std::string reason;
        int status = 0;
        if (!startProcess(self, {"--frames", "1"}, "", true, &child, &reason) ||
            waitProcess(child, &status, &reason) != ProcessState::Ended || status != 0) {
            return -1.0;
        }
        runs.push_back(watch.wallMs());
    }
    return Timings::median(runs);
}

void printFigure(const char* name, double value) {
    std::printf("%s=%.3f\n", name, value);
}

}  // namespace

int runBench(GameState& state, const char* self) {
    int frame = 0;
    state.pacing.levelUpWaitMs = 0;

    // The first frame draws the Playfield; the floor then blits a real picture.
    std::array<Uint8, SDLK_LAST> keys{};
    FrameInput first;
    first.keys = keys.data();
    runFrame(state, first);
    const Timings copyFloor = measureCopyFloor(state);

    // A typical frame on the first shipped level, each after a floor of its own.
    Timings floor;
    const Timings typical = measureScene(
        state, frame, [&](int f) { keepTypicalScene(state, f); }, &floor);

    // Two black holes bending a 40 × 40 Lattice: a refit and a Playfield redraw in every frame.
    state.levels->appendLattice(kBlackHoleLatticeSize, kBlackHoleLatticeSize);
    state.currentLattice = state.levels->lattices[state.levels->count - 1].get();
    state.player.x = 2000.0f;
    state.player.y = 2000.0f;
    state.player.vx = 0.0f;
    state.player.vy = 0.0f;
    state.shots = ShotRing{};
    BlackHoles holes;
    const Timings blackHole = measureScene(state, frame, [&](int f) {
        keepTypicalScene(state, f);
        holes.keep(state, f);
    });

    const BlackHoleParts parts = measureBlackHoleParts(state);
    const double startUp = measureStartUp(self);

    const double floorMs = Timings::median(floor.wall);
    const double typicalMs = Timings::median(typical.wall);
    const double blackHoleMs = Timings::median(blackHole.wall);
    printFigure("floor_ms", floorMs);
    printFigure("floor_cpu_ms", Timings::median(floor.cpu));
    printFigure("floor_copy_ms", Timings::median(copyFloor.wall));
    printFigure("typical_ms", typicalMs);
    printFigure("typical_cpu_ms", Timings::median(typical.cpu));
    printFigure("blackhole_ms", blackHoleMs);
    printFigure("blackhole_cpu_ms", Timings::median(blackHole.cpu));
    printFigure("blackhole_refit_ms", parts.refitMs);
    printFigure("blackhole_redraw_ms", parts.redrawMs);
    printFigure("startup_ms", startUp);
    if (allocationCountingAvailable()) {
        printFigure("allocs_per_frame",
                    static_cast<double>(typical.allocations + blackHole.allocations) /
                        (2.0 * kMeasuredFrames));
        printFigure("caption_copies_per_frame",
                    static_cast<double>(typical.captionCopies + blackHole.captionCopies) /
                        (2.0 * kMeasuredFrames));
    } else {
        std::printf("allocs_per_frame=unavailable\n");
    }
    printFigure("frame_vs_floor", typicalMs / floorMs);
    printFigure("blackhole_vs_budget", blackHoleMs / kFrameBudgetMs);
    return startUp < 0.0 ? 1 : 0;
}
