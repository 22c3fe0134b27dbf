// lumendrift-editor [--script FILE] [LEVEL_FILE]: the arena editor. Opens LEVEL_FILE (default:
// the user's own copy of foo3.lvl from the working folder, the game's data folder), shows its
// first level whole in the window, and lets a designer reshape, add, reorder, save and play-test
// levels.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "editor/actions.h"
#include "editor/play_test.h"
#include "editor/script.h"
#include "editor/tools.h"
#include "editor/user_files.h"
#include "editor/user_levels.h"
#include "editor/views.h"
#include "platform/platform.h"
#include "render/display.h"

namespace {

// The same lines as the manual page's synopsis.
constexpr const char* kUsage =
    "usage: lumendrift-editor [--script FILE] [LEVEL_FILE]\n"
    "       lumendrift-editor --help|--version\n";

void redraw(SDL_Surface* screen, EditorView& view, const EditorState& state) {
    view.draw(screen, state);
    SDL_Flip(screen);
}

/// While the game runs the editor keeps its window drawn and holds on to a close request, which
/// is handed back to the event queue once the game has ended (and then asks as ever).
std::string playTest(EditorState& state, SDL_Surface* screen, EditorView& view) {
    std::error_code error;
    const std::string cwd = std::filesystem::current_path(error).string();
    if (error) {
        return "play-test: cannot tell the data folder";
    }
    std::string reason;
    const std::string folder =
        preparePlayFolder(state.document.levels(), state.document.currentLevel(), cwd, &reason);
    if (folder.empty()) {
        return "play-test: " + reason;
    }
    state.message = "play-testing level " + std::to_string(state.document.currentLevel() + 1) +
                    ": the editor waits for the game to end";
    redraw(screen, view, state);
    bool closeRequested = false;
    const std::string problem =
        runGame(programFolder() + "/" + executableName("lumendrift"), folder, [&] {
            bool exposed = false;
            SDL_Event event;
            while (SDL_PollEvent(&event)) {
                if (event.type == SDL_QUIT && !closeRequested) {
                    closeRequested = true;
                    state.message = "close requested: it waits for the play-test to end";
                    exposed = true;
                }
                exposed = exposed || event.type == SDL_VIDEOEXPOSE || event.type == SDL_ACTIVEEVENT;
            }
            if (exposed) {
                redraw(screen, view, state);
            }
        });
    removePlayFolder(folder);
    if (closeRequested) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    return problem.empty() ? "back from the play-test" : "play-test: " + problem;
}

void showCaption(const std::string& file) {
    SDL_WM_SetCaption(("Lumen Drift editor: " + file).c_str(), "editor");
}

/// The interactive loop: wait for input, handle everything pending, draw.
int runInteractive(SDL_Surface* screen, EditorView& view, EditorState& state) {
    const EditorServices services{[&](EditorState& s) { return playTest(s, screen, view); }};
    std::string file = state.document.path();
    redraw(screen, view, state);
    SDL_Event event;
    while (!state.quit && SDL_WaitEvent(&event)) {
        handleEvent(state, event, services);
        while (!state.quit && SDL_PollEvent(&event)) {
            handleEvent(state, event, services);
        }
        if (state.document.path() != file) {
            file = state.document.path();  // saved under another name
            showCaption(file);
        }
        redraw(screen, view, state);
    }
    return 0;
}

/// The scripted run: each input command becomes SDL events on SDL's own queue, handled as real
/// input is, and the window is drawn after every command.
int runScript(SDL_Surface* screen, EditorView& view, EditorState& state,
              const std::vector<ScriptCommand>& script) {
    const EditorServices services{};
    redraw(screen, view, state);
    std::string lastMessage = state.message;
    std::printf("message %s\n", lastMessage.c_str());
    for (const ScriptCommand& command : script) {
        for (SDL_Event event : scriptEvents(command, state.cursorX, state.cursorY)) {
            SDL_PushEvent(&event);
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            handleEvent(state, event, services);
        }
        redraw(screen, view, state);
        // What the status line says goes to standard output too, for whoever runs the script.
        if (state.message != lastMessage) {
            lastMessage = state.message;
            std::printf("message %s\n", lastMessage.c_str());
        }
        if (command.verb == ScriptVerb::Shot &&
            SDL_SaveBMP(screen, fromStartFolder(command.path).c_str()) != 0) {
            std::printf("%s: cannot write the screenshot: %s\n", command.path.c_str(),
                        SDL_GetError());
            return 1;
        }
        if (command.verb == ScriptVerb::View) {
            char scale[16];
            std::printf("view level=%d scale=%s offsetX=%d offsetY=%d folded=%d\n",
                        state.document.currentLevel(), scaleName(state.view, scale, sizeof scale),
                        state.view.offsetX, state.view.offsetY, view.foldedCells());
            std::fflush(stdout);
        }
        if (state.quit) {
            break;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file = kLevelFile;
    std::string scriptPath;
    bool fileGiven = false;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--help") {
            std::printf("%s", kUsage);
            return 0;
        }
        if (arg == "--version") {
            std::printf("lumendrift-editor %s\n", LUMEN_VERSION);
            return 0;
        }
        if (arg == "--script" && a + 1 < argc && scriptPath.empty()) {
            scriptPath = fromStartFolder(argv[++a]);
        } else if (!arg.empty() && arg[0] != '-' && !fileGiven) {
            file = fromStartFolder(arg);
            fileGiven = true;
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }

    std::vector<ScriptCommand> script;
    std::string reason;
    if (!scriptPath.empty() && !readScript(scriptPath, script, &reason)) {
        std::printf("%s\n", reason.c_str());
        return 2;
    }
    if (!fileGiven) {
        file = userLevelsFile(kLevelFile, &reason);
        if (file.empty()) {
            std::printf("lumendrift-editor: %s\n", reason.c_str());
            return 1;
        }
    }
    bool created = false;
    std::unique_ptr<LevelSet> levels = loadOrCreate(file, &created, &reason);
    if (!levels) {
        std::printf("%s\n", reason.c_str());
        return 1;
    }

    if (!scriptPath.empty()) {
        setEnvironment("SDL_VIDEODRIVER", "dummy", true);
    }
    const std::string noDisplay = missingDisplay();
    if (!noDisplay.empty() || SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf("lumendrift-editor: cannot start SDL: %s\n",
                    noDisplay.empty() ? SDL_GetError() : noDisplay.c_str());
        return 1;
    }
    std::atexit(SDL_Quit);
    SDL_Surface* screen = SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_SWSURFACE);
    if (screen == nullptr) {
        std::printf("lumendrift-editor: cannot open the window: %s\n", SDL_GetError());
        return 1;
    }
    showCaption(file);
    SDL_EnableUNICODE(1);  // a file name is typed into the save-as prompt
    SDL_EnableKeyRepeat(SDL_DEFAULT_REPEAT_DELAY, SDL_DEFAULT_REPEAT_INTERVAL);
    SDL_Surface* font = SDL_LoadBMP(kFontPath);
    if (font == nullptr) {
        std::printf("%s: cannot load the editor's font (run from the data folder)\n", kFontPath);
        return 1;
    }
    EditorView view(font, helpLines());

    EditorState state(EditorDocument(std::move(levels), file));
    state.scripted = !scriptPath.empty();
    state.view.width = kWindowWidth;
    state.view.height = kWindowHeight - kStatusHeight;
    fitView(state);
    if (created) {
        state.document.markUnsaved();
        state.message = file + " does not exist: a new set of one level; Ctrl+S creates it";
    } else {
        state.message = "opened " + file;
    }
    return state.scripted ? runScript(screen, view, state, script)
                          : runInteractive(screen, view, state);
}
