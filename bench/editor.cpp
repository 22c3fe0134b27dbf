// The arena editor's frame on the largest shipped level: one mouse motion of a node drag handled
// and the window drawn with the coarse preview, and a full redraw with the fine picture; each in
// the start view (the whole level, reduced) and zoomed in at scale 1. And the undo history of a
// long session on the largest level the editor makes: its memory and the speed of undo and redo.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <string>

#include "editor/tools.h"
#include "editor/views.h"

namespace {

/// The shipped level file's largest level, alone in a document.
EditorState largestLevel() {
    std::unique_ptr<LevelSet> set;
    const std::string path = std::string(LUMEN_DATA_DIR) + "/" + kLevelFile;
    if (readLevelFile(set, path.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot read\n", path.c_str());
        std::exit(1);
    }
    int largest = 0;
    for (int l = 1; l < set->count; ++l) {
        const Lattice& a = *set->lattices[l];
        const Lattice& b = *set->lattices[largest];
        largest = a.columns * a.rows > b.columns * b.rows ? l : largest;
    }
    EditorState state(EditorDocument(std::move(set), "unused.lvl"));
    state.document.selectLevel(largest);
    state.view.width = kWindowWidth;
    state.view.height = kWindowHeight - kStatusHeight;
    fitView(state);
    return state;
}

struct Window {
    SDL_Surface* screen;
    EditorView view;
    Window()
        : screen(SDL_CreateRGBSurface(SDL_SWSURFACE, kWindowWidth, kWindowHeight, 32, 0xFF0000,
                                      0x00FF00, 0x0000FF, 0)),
          view(SDL_LoadBMP((std::string(LUMEN_DATA_DIR) + "/" + kFontPath).c_str()), {}) {}
    ~Window() { SDL_FreeSurface(screen); }
};

SDL_Event mouse(Uint8 type, int x, int y) {
    SDL_Event event{};
    if (type == SDL_MOUSEMOTION) {
        event.motion.type = type;
        event.motion.x = static_cast<Uint16>(x);
        event.motion.y = static_cast<Uint16>(y);
    } else {
        event.button.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
    }
    return event;
}

/// Start view (range 0) or scale 1 about the level's middle (range 1).
void chooseView(EditorState& state, int zoomedIn) {
    while (zoomedIn && state.view.shrink > 1) {
        zoomAt(state.view, 1, state.view.width / 2, state.view.height / 2);
    }
}

void BM_EditorDragFrame(benchmark::State& bench) {
    EditorState state = largestLevel();
    chooseView(state, static_cast<int>(bench.range(0)));
    Window window;
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    const LatticeNode& node =
        lattice.node(static_cast<int>(lattice.columns) / 2, static_cast<int>(lattice.rows) / 2);
    const int x = windowX(state.view, node.x);
    const int y = windowY(state.view, node.y);
    const EditorServices services{};
    handleEvent(state, mouse(SDL_MOUSEBUTTONDOWN, x, y), services);
    int step = 0;
    for (auto _ : bench) {
        // The node goes back and forth, so every frame changes the level.
        ++step;
        handleEvent(state, mouse(SDL_MOUSEMOTION, x + 3 + (step & 1) * 4, y + 2), services);
        window.view.draw(window.screen, state);
        benchmark::ClobberMemory();
    }
    if (state.drag.kind != DragKind::Node) {
        bench.SkipWithError("the press took no node");
    }
}
BENCHMARK(BM_EditorDragFrame)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

void BM_EditorFullRedraw(benchmark::State& bench) {
    EditorState state = largestLevel();
    chooseView(state, static_cast<int>(bench.range(0)));
    Window window;
    int step = 0;
    for (auto _ : bench) {
        // A one-pixel pan each frame: nothing drawn before can be reused.
        state.view.offsetX += (++step & 1) ? 1 : -1;
        window.view.draw(window.screen, state);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EditorFullRedraw)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

/// Heap bytes in use, as the C library counts them.
double heapBytes() {
    return static_cast<double>(mallinfo2().uordblks);
}

/// Steps of history and the side of the square level they are made on.
constexpr int kHistorySteps = 500;
constexpr int kHistoryLevelSize = 200;
constexpr int kStrokeMotions = 8;

/// Fills the history of a document over one fresh 200 × 200 level with a session's worth of steps,
/// made as the tools make them: each step is a drag of one node or a stroke of the default brush,
/// every mouse motion one command of the step's stroke. Node drags (odd steps) and strokes (even
/// steps) alternate.
void playLongSession(EditorDocument& document) {
    const Brush brush;
    for (int step = 0; step < kHistorySteps; ++step) {
        const LatticeShape start = captureShape(document.lattice(0));
        LatticeShape after = start;
        const int i = 1 + step * 37 % (kHistoryLevelSize - 2);
        const int j = 1 + step * 53 % (kHistoryLevelSize - 2);
        for (int motion = 1; motion <= kStrokeMotions; ++motion) {
            if (step % 2 == 1) {
                after.nodes[after.nodeIndex(i, j)] = start.nodes[start.nodeIndex(i, j)] + motion;
            } else {
                applyBrushStep(after, brush, 40.0f * i + 3.0f * motion, 40.0f * j, 3.0f, 0.0f);
            }
            EditCommand command;
            command.before = start;
            command.after = after;
            command.stroke = step + 1;
            command.label = step % 2 == 1 ? "move node" : "push/pull";
            if (!document.perform(std::move(command)).empty()) {
                std::fprintf(stderr, "the session's step %d was refused\n", step);
                std::exit(1);
            }
        }
    }
}

/// The memory the history of a long session holds (goal: at most 16 MB), and the time to undo
/// all of it and redo it again, per step.
void BM_EditorUndoHistory(benchmark::State& bench) {
    for (auto _ : bench) {
        bench.PauseTiming();
        auto set = std::make_unique<LevelSet>();
        set->appendLattice(kHistoryLevelSize, kHistoryLevelSize);
        EditorDocument document(std::move(set), "unused.lvl");
        const double heapBefore = heapBytes();
        playLongSession(document);
        bench.counters["history_MB"] = (heapBytes() - heapBefore) / 1.0e6;
        const auto begin = std::chrono::steady_clock::now();
        while (document.undo()) {
        }
        while (document.redo()) {
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - begin;
        bench.counters["us_per_undo_or_redo"] = spent.count() / (2.0 * kHistorySteps);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_EditorUndoHistory)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
