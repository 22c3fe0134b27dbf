#include "editor/actions.h"

#include <cstdio>

#include "editor/user_files.h"

namespace {

/// Which modifiers a binding asks for; Any ignores them.
enum class Mods { None, Ctrl, Shift, CtrlShift, Any };

/// Window pixels one arrow press pans.
constexpr int kPanStep = 64;
constexpr float kRadiusFactor = 1.25f;
constexpr float kStrengthStep = 0.05f;
/// Said after a refused save: the work can still be kept.
constexpr const char* kSaveElsewhere = " (Ctrl+Shift+S saves elsewhere)";

Mods modsOf(SDLMod mod) {
    const bool ctrl = (mod & KMOD_CTRL) != 0;
    const bool shift = (mod & KMOD_SHIFT) != 0;
    return ctrl ? (shift ? Mods::CtrlShift : Mods::Ctrl) : (shift ? Mods::Shift : Mods::None);
}

void say(EditorState& state, const std::string& text) {
    state.message = text;
}

void undo(EditorState& state) {
    std::string label;
    say(state, state.document.undo(&label) ? "undone: " + label : "nothing to undo");
}

void redo(EditorState& state) {
    std::string label;
    say(state, state.document.redo(&label) ? "redone: " + label : "nothing to redo");
}

void save(EditorState& state) {
    const std::string problem = state.document.save();
    say(state, problem.empty() ? "saved " + state.document.path()
                               : "not saved: " + problem + kSaveElsewhere);
}

void perform(EditorState& state, EditCommand command, const std::string& done) {
    const std::string problem = state.document.perform(std::move(command));
    say(state, problem.empty() ? done : "refused: " + problem);
}

void resetLevel(EditorState& state) {
    EditCommand command;
    command.level = state.document.currentLevel();
    command.before = captureShape(state.document.lattice(command.level));
    command.after = defaultShape(command.before.columns, command.before.rows);
    command.label = "reset level";
    perform(state, std::move(command), "level reset to the default shape");
}

void duplicateLevel(EditorState& state) {
    EditCommand command;
    command.kind = EditKind::InsertLevel;
    command.level = state.document.currentLevel() + 1;
    command.after = captureShape(state.document.lattice(state.document.currentLevel()));
    command.label = "duplicate level";
    perform(state, std::move(command), "level duplicated");
}

void deleteLevel(EditorState& state) {
    EditCommand command;
    command.kind = EditKind::RemoveLevel;
    command.level = state.document.currentLevel();
    command.label = "delete level";
    perform(state, std::move(command), "level deleted (Ctrl+Z brings it back)");
}

void moveLevel(EditorState& state, int by) {
    EditCommand command;
    command.kind = EditKind::MoveLevel;
    command.level = state.document.currentLevel();
    command.target = command.level + by;
    command.label = by < 0 ? "move level earlier" : "move level later";
    perform(state, std::move(command), by < 0 ? "level moved earlier" : "level moved later");
}

void openPrompt(EditorState& state, PromptKind kind, const std::string& text) {
    state.prompt = Prompt{true, kind, text, true, ""};
}

void setTool(EditorState& state, ToolKind tool) {
    state.tool = tool;
    static constexpr BrushKind kBrushes[] = {BrushKind::Push,  BrushKind::Push,  BrushKind::Bulge,
                                             BrushKind::Pinch, BrushKind::Twist, BrushKind::Smooth};
    state.brush.kind = kBrushes[static_cast<int>(tool)];
    say(state, std::string("tool ") + toolName(tool) +
                   (state.referenceView ? " for the warp view (Tab); here the tool is rim" : ""));
}

void switchView(EditorState& state) {
    state.referenceView = !state.referenceView;
    fitView(state);
    say(state, state.referenceView ? "reference view: tool rim, drag the rim points"
                                   : std::string("warp view: tool ") + toolName(state.tool));
}

void changeRadius(EditorState& state, float factor) {
    float r = state.brush.radius * factor;
    r = r < kMinimumRadius ? kMinimumRadius : (r > kMaximumRadius ? kMaximumRadius : r);
    state.brush.radius = r;
    char text[64];
    std::snprintf(text, sizeof text, "brush radius %.0f picture pixels", static_cast<double>(r));
    say(state, text);
}

void changeStrength(EditorState& state, float by) {
    float s = state.brush.strength + by;
    s = s < kMinimumStrength ? kMinimumStrength : (s > kMaximumStrength ? kMaximumStrength : s);
    state.brush.strength = s;
    char text[64];
    std::snprintf(text, sizeof text, "brush strength %.2f", static_cast<double>(s));
    say(state, text);
}

void zoomCentre(EditorState& state, int steps) {
    zoomAt(state.view, steps, state.view.width / 2, state.view.height / 2);
}

void playTest(EditorState& state, const EditorServices& services) {
    if (state.scripted || !services.playTest) {
        say(state, "play-test is not available in scripts");
        return;
    }
    const std::string done = services.playTest(state);
    if (state.question == Question::None) {
        say(state, done);
    }
}

struct KeyBinding {
    SDLKey key;
    Mods mods;
    const char* keys;  ///< as the help shows it; empty for a second key of the same action
    const char* meaning;
    void (*run)(EditorState&, const EditorServices&);
};

const KeyBinding kBindings[] = {
    {SDLK_F1, Mods::Any, "F1", "show or hide this help",
     [](EditorState& s, const EditorServices&) { s.helpShown = !s.helpShown; }},
    {SDLK_z, Mods::Ctrl, "Ctrl+Z", "undo", [](EditorState& s, const EditorServices&) { undo(s); }},
    {SDLK_y, Mods::Ctrl, "Ctrl+Y, Ctrl+Shift+Z", "redo",
     [](EditorState& s, const EditorServices&) { redo(s); }},
    {SDLK_z, Mods::CtrlShift, "", "", [](EditorState& s, const EditorServices&) { redo(s); }},
    {SDLK_s, Mods::Ctrl, "Ctrl+S", "save", [](EditorState& s, const EditorServices&) { save(s); }},
    {SDLK_s, Mods::CtrlShift, "Ctrl+Shift+S", "save as (the file name is asked)",
     [](EditorState& s, const EditorServices&) {
         openPrompt(s, PromptKind::SavePath, s.document.path());
     }},
    {SDLK_TAB, Mods::None, "Tab", "warp view / reference view (rim points)",
     [](EditorState& s, const EditorServices&) { switchView(s); }},
    {SDLK_f, Mods::None, "F", "fit the level to the window",
     [](EditorState& s, const EditorServices&) { fitView(s); }},
    {SDLK_EQUALS, Mods::Any, "+, -, wheel", "zoom in, out (below 1: overview)",
     [](EditorState& s, const EditorServices&) { zoomCentre(s, 1); }},
    {SDLK_PLUS, Mods::Any, "", "", [](EditorState& s, const EditorServices&) { zoomCentre(s, 1); }},
    {SDLK_KP_PLUS, Mods::Any, "", "",
     [](EditorState& s, const EditorServices&) { zoomCentre(s, 1); }},
    {SDLK_MINUS, Mods::Any, "", "",
     [](EditorState& s, const EditorServices&) { zoomCentre(s, -1); }},
    {SDLK_KP_MINUS, Mods::Any, "", "",
     [](EditorState& s, const EditorServices&) { zoomCentre(s, -1); }},
    {SDLK_LEFT, Mods::None, "Arrows", "pan",
     [](EditorState& s, const EditorServices&) { s.view.offsetX += kPanStep; }},
    {SDLK_RIGHT, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { s.view.offsetX -= kPanStep; }},
    {SDLK_UP, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { s.view.offsetY += kPanStep; }},
    {SDLK_DOWN, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { s.view.offsetY -= kPanStep; }},
    {SDLK_PAGEDOWN, Mods::None, "PageDown, PageUp", "next, previous level",
     [](EditorState& s, const EditorServices&) {
         s.document.selectLevel(s.document.currentLevel() + 1);
     }},
    {SDLK_PAGEUP, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) {
         s.document.selectLevel(s.document.currentLevel() - 1);
     }},
    {SDLK_PAGEUP, Mods::Shift, "Shift+PageUp, Shift+PageDown", "move the level earlier, later",
     [](EditorState& s, const EditorServices&) { moveLevel(s, -1); }},
    {SDLK_PAGEDOWN, Mods::Shift, "", "",
     [](EditorState& s, const EditorServices&) { moveLevel(s, 1); }},
    {SDLK_a, Mods::None, "A", "add a level after this one (size asked, 26x20)",
     [](EditorState& s, const EditorServices&) {
         openPrompt(s, PromptKind::LevelSize,
                    std::to_string(kDefaultColumns) + "x" + std::to_string(kDefaultRows));
     }},
    {SDLK_d, Mods::None, "D", "duplicate the level",
     [](EditorState& s, const EditorServices&) { duplicateLevel(s); }},
    {SDLK_DELETE, Mods::None, "Delete", "delete the level",
     [](EditorState& s, const EditorServices&) { deleteLevel(s); }},
    {SDLK_r, Mods::Ctrl, "Ctrl+R", "reset the level to the default shape",
     [](EditorState& s, const EditorServices&) { resetLevel(s); }},
    {SDLK_n, Mods::None, "N", "node tool: drag nodes",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Node); }},
    {SDLK_1, Mods::None, "1 2 3 4 5", "brush: push/pull, bulge, pinch, twist, smooth",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Push); }},
    {SDLK_2, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Bulge); }},
    {SDLK_3, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Pinch); }},
    {SDLK_4, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Twist); }},
    {SDLK_5, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { setTool(s, ToolKind::Smooth); }},
    {SDLK_x, Mods::None, "X", "twist the other way",
     [](EditorState& s, const EditorServices&) {
         s.brush.reversed = !s.brush.reversed;
         say(s, s.brush.reversed ? "twist: anticlockwise" : "twist: clockwise");
     }},
    {SDLK_LEFTBRACKET, Mods::None, "[ ]", "brush radius smaller, larger",
     [](EditorState& s, const EditorServices&) { changeRadius(s, 1.0f / kRadiusFactor); }},
    {SDLK_RIGHTBRACKET, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { changeRadius(s, kRadiusFactor); }},
    {SDLK_COMMA, Mods::None, ", .", "brush strength less, more",
     [](EditorState& s, const EditorServices&) { changeStrength(s, -kStrengthStep); }},
    {SDLK_PERIOD, Mods::None, "", "",
     [](EditorState& s, const EditorServices&) { changeStrength(s, kStrengthStep); }},
    {SDLK_p, Mods::None, "P", "play-test this level in the game",
     [](EditorState& s, const EditorServices& services) { playTest(s, services); }},
    {SDLK_ESCAPE, Mods::Any, "Escape", "close the help",
     [](EditorState& s, const EditorServices&) { s.helpShown = false; }},
    {SDLK_q, Mods::Ctrl, "Ctrl+Q, close", "quit (asks what to do with unsaved changes)",
     [](EditorState& s, const EditorServices&) { requestClose(s); }},
};

}  // namespace

bool runKeyAction(EditorState& state, const SDL_keysym& key, const EditorServices& services) {
    const Mods mods = modsOf(key.mod);
    for (const KeyBinding& binding : kBindings) {
        if (binding.key == key.sym && (binding.mods == Mods::Any || binding.mods == mods)) {
            binding.run(state, services);
            return true;
        }
    }
    return false;
}

void requestClose(EditorState& state) {
    if (!state.document.unsaved()) {
        state.quit = true;
        return;
    }
    state.question = Question::Quit;
    state.drag = DragState{};  // what a held button has done so far stays as an edit
    say(state, questionText(state.question));
}

void answerQuestion(EditorState& state, const SDL_keysym& key) {
    if ((key.mod & (KMOD_CTRL | KMOD_ALT)) != 0) {
        return;  // Ctrl+Q again, Ctrl+S: not an answer (S and Q are)
    }
    if (key.sym == SDLK_s || key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
        const std::string problem = state.document.save();
        state.question = Question::None;
        state.quit = problem.empty();
        say(state, problem.empty() ? "saved " + state.document.path()
                                   : "not saved, still editing: " + problem + kSaveElsewhere);
    } else if (key.sym == SDLK_q) {
        state.question = Question::None;
        state.quit = true;
    } else if (key.sym == SDLK_ESCAPE) {
        state.question = Question::None;
        say(state, "still editing; the changes are not saved");
    }
}

namespace {

/// Reads the size typed into the prompt; false with *problem when it is none the editor adds.
bool parseSize(const std::string& text, int& columns, int& rows, std::string* problem) {
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &columns, &rows, &rest) != 2) {
        *problem = "not a size: \"" + text + "\" (columns x rows, like 26x20)";
        return false;
    }
    const int wrong = columns < kMinimumSize || columns > kMaximumSize ? columns : rows;
    if (wrong < kMinimumSize || wrong > kMaximumSize) {
        *problem = std::string(wrong == columns ? "columns" : "rows") + " must be " +
                   std::to_string(kMinimumSize) + "-" + std::to_string(kMaximumSize);
        return false;
    }
    return true;
}

/// Carries out what the prompt asks for; "" when done, or why not (the prompt stays open).
std::string finishPrompt(EditorState& state) {
    const Prompt& prompt = state.prompt;
    std::string problem;
    if (prompt.kind == PromptKind::SavePath) {
        if (prompt.text.empty()) {
            return "type a file name";
        }
        problem = state.document.saveAs(fromStartFolder(prompt.text));
        if (problem.empty()) {
            say(state, "saved " + state.document.path());
        }
        return problem;
    }
    int columns = 0, rows = 0;
    if (!parseSize(prompt.text, columns, rows, &problem)) {
        return problem;
    }
    EditCommand command;
    command.kind = EditKind::InsertLevel;
    command.level = state.document.currentLevel() + 1;
    command.after = defaultShape(columns, rows);
    command.label = "add level";
    problem = state.document.perform(std::move(command));
    if (problem.empty()) {
        say(state, "level added: " + prompt.text);
    }
    return problem;
}

}  // namespace

void promptKey(EditorState& state, const SDL_keysym& key) {
    Prompt& prompt = state.prompt;
    const char typed = key.unicode > 0 && key.unicode < 127 ? static_cast<char>(key.unicode)
                       : key.sym > 0 && key.sym < 127       ? static_cast<char>(key.sym)
                                                            : '\0';
    const bool wanted = prompt.kind == PromptKind::SavePath
                            ? typed >= ' '
                            : (typed >= '0' && typed <= '9') || typed == 'x';
    if (key.sym == SDLK_ESCAPE) {
        prompt.active = false;
        say(state, prompt.kind == PromptKind::SavePath ? "not saved" : "no level added");
    } else if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
        prompt.problem = finishPrompt(state);
        prompt.active = !prompt.problem.empty();
        prompt.selected = false;
        if (prompt.active) {
            say(state, prompt.problem);
        }
    } else if (key.sym == SDLK_BACKSPACE) {
        if (prompt.selected) {
            prompt.text.clear();
        } else if (!prompt.text.empty()) {
            prompt.text.pop_back();
        }
        prompt.selected = false;
    } else if (key.sym == SDLK_RIGHT || key.sym == SDLK_END) {
        prompt.selected = false;  // keep the default and type after it
    } else if (wanted) {
        if (prompt.selected) {
            prompt.text.clear();
            prompt.selected = false;
        }
        if (prompt.text.size() < (prompt.kind == PromptKind::SavePath ? 200u : 9u)) {
            prompt.text.push_back(typed);
        }
    }
}

std::vector<HelpLine> helpLines() {
    std::vector<HelpLine> lines = {
        {"Left drag", "warp view: move the node (node tool) or paint with the brush"},
        {"", "reference view: move the rim point"},
        {"Right or middle drag", "pan"},
        {"Status line", "level n/N, size, view | u v: lattice point under the cursor, px: its"},
        {"", "picture pixel | node i,j under the cursor | tool, r: brush radius in"},
        {"", "picture pixels, s: strength | scale: zoom (1/3: overview) | folded cells"},
        {"Red cells", "folded: turned inside out or squeezed to nothing; the game plays"},
        {"", "them as they are, ground overlapping or missing"},
        {"Rim", "white line bounding the arena; its ticks mark the rim points, which"},
        {"", "Tab's reference view shows as red squares to drag"},
    };
    for (const KeyBinding& binding : kBindings) {
        if (binding.keys[0] != '\0') {
            lines.push_back({binding.keys, binding.meaning});
        }
    }
    return lines;
}
