// Rendering costs: the line walker in pixels per second, and a full Lattice picture of a bent
// 40 × 40 Lattice into a Playfield-sized 32-bit surface, per call and per mapped sample.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "lattice/lattice.h"
#include "render/render.h"

namespace {

SDL_Surface* playfield() {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, 1200, 1000, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
}

/// Lines of every direction across the surface, each about `length` pixels long.
void BM_DrawLine(benchmark::State& state) {
    SDL_Surface* surface = playfield();
    const int length = static_cast<int>(state.range(0));
    constexpr int kDirections = 64;
    int ends[kDirections][4];
    long pixels = 0;
    for (int k = 0; k < kDirections; ++k) {
        const double angle = 2.0 * M_PI * k / kDirections;
        ends[k][0] = 600;
        ends[k][1] = 500;
        ends[k][2] = 600 + static_cast<int>(length * std::cos(angle));
        ends[k][3] = 500 + static_cast<int>(length * std::sin(angle));
        pixels += std::max(std::abs(ends[k][2] - 600), std::abs(ends[k][3] - 500)) + 1;
    }
    for (auto _ : state) {
        for (const auto& e : ends) {
            drawLine(surface, e[0], e[1], e[2], e[3], 0, 255, 0);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixels);
    state.counters["pixels"] = benchmark::Counter(static_cast<double>(state.iterations() * pixels),
                                                  benchmark::Counter::kIsRate);
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_DrawLine)->Arg(3)->Arg(40)->Arg(400);

/// A 40 × 40 Lattice with every node pushed by a smooth wave, refitted once.
void bend(Lattice& lattice) {
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 40; ++j) {
            const float dx = 12.0f * std::sin(0.31f * j) * std::cos(0.17f * i);
            const float dy = 9.0f * std::cos(0.23f * i + 0.5f) * std::sin(0.19f * j);
            lattice.setNodePosition(i, j, 40.0f * i + dx, 40.0f * j + dy);
        }
    }
    lattice.refitAll();
}

void BM_DrawLatticeBent40(benchmark::State& state) {
    SDL_Surface* surface = playfield();
    Lattice lattice(40, 40);
    bend(lattice);
    // Camera in cell (2, 3): the Playfield shows the part from (200, 300) on.
    const int offsetX = -200;
    const int offsetY = -300;
    // Samples per call: row lines (u = 0.05 … ≈ columns) and column lines (v = 0.05 … < rows),
    // each with its starting point, and the rim samples with the first one.
    long samples = 1;
    for (float v = 0.0f; v < lattice.rows; v += 1.0f) {
        ++samples;
        for (float u = 0.05f; u <= lattice.columns; u += 0.05f) {
            ++samples;
        }
    }
    for (float u = 0.0f; u < lattice.columns; u += 1.0f) {
        ++samples;
        for (float v = 0.05f; v < lattice.rows; v += 0.05f) {
            ++samples;
        }
    }
    for (float s = 0.0f; s < lattice.rimCount; s += 0.05f) {
        ++samples;
    }
    // Drawing over the previous picture costs the same as drawing into a cleared one.
    for (auto _ : state) {
        drawLattice(surface, lattice, 1, offsetX, offsetY);
        benchmark::ClobberMemory();
    }
    state.counters["samples"] = static_cast<double>(samples);
    // Seconds per mapped sample (each sample is one mapPoint and one short line).
    state.counters["time_per_sample"] =
        benchmark::Counter(static_cast<double>(samples) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_DrawLatticeBent40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
