// Costs of the Lattice queries the game makes many times a frame, on a bent 40 × 40 lattice.
#include <benchmark/benchmark.h>

#include <cmath>

#include "lattice/lattice.h"

namespace {

constexpr int kSize = 40;

Lattice& bentLattice() {
    static Lattice lattice(kSize, kSize);
    static bool bent = [] {
        Lattice& made = lattice;
        for (int i = 0; i < kSize; ++i)
            for (int j = 0; j < kSize; ++j)
                made.setNodePosition(i, j, 40.0f * i + 9.0f * std::sin(0.3f * j),
                                     40.0f * j + 7.0f * std::cos(0.25f * i));
        made.refitAll();
        return true;
    }();
    benchmark::DoNotOptimize(bent);
    return lattice;
}

/// Points spread over the arena, visited in turn.
float coordinate(int n) {
    return 0.37f + static_cast<float>((n * 7919) % 3800) / 100.0f;
}

void mapPointMode(benchmark::State& state, bool onColumnLine, bool onRowLine) {
    const Lattice& lattice = bentLattice();
    int n = 0;
    for (auto _ : state) {
        float x = 0, y = 0;
        const float u = onColumnLine ? std::floor(coordinate(n)) : coordinate(n);
        const float v = onRowLine ? std::floor(coordinate(n + 13)) : coordinate(n + 13);
        lattice.mapPoint(u, v, x, y, onColumnLine, onRowLine);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MapPointSurface(benchmark::State& state) {
    mapPointMode(state, false, false);
}
void BM_MapPointRowLine(benchmark::State& state) {
    mapPointMode(state, false, true);
}
void BM_MapPointColumnLine(benchmark::State& state) {
    mapPointMode(state, true, false);
}
void BM_MapPointExactNode(benchmark::State& state) {
    mapPointMode(state, true, true);
}

void BM_MapDirection(benchmark::State& state) {
    const Lattice& lattice = bentLattice();
    int n = 0;
    for (auto _ : state) {
        float dx = 0, dy = 0;
        lattice.mapDirection(coordinate(n), coordinate(n + 13), 0.6f, 0.8f, dx, dy);
        benchmark::DoNotOptimize(dx);
        benchmark::DoNotOptimize(dy);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RefitAll(benchmark::State& state) {
    Lattice& lattice = bentLattice();
    for (auto _ : state) {
        lattice.refitAll();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSize * kSize);  // nodes refitted
}

}  // namespace

/// The fold test over the whole bent 40 × 40 Lattice (the editor runs it after every edit).
void BM_CountFoldedCells(benchmark::State& state) {
    const Lattice& lattice = bentLattice();
    for (auto _ : state) {
        benchmark::DoNotOptimize(countFoldedCells(lattice));
    }
}

BENCHMARK(BM_MapPointSurface);
BENCHMARK(BM_MapPointRowLine);
BENCHMARK(BM_MapPointColumnLine);
BENCHMARK(BM_MapPointExactNode);
BENCHMARK(BM_MapDirection);
BENCHMARK(BM_RefitAll);
BENCHMARK(BM_CountFoldedCells)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

BENCHMARK_MAIN();
