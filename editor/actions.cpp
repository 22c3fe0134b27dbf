#include "editor/actions.h"

#include <cstdio>

namespace {

/// Which modifiers a binding asks for; Any ignores them.
enum class Mods { None, Ctrl, Shift, CtrlShift, Any };

/// Window pixels one arrow press pans.
constexpr int kPanStep = 64;
constexpr float kRadiusFactor = 1.25f;
constexpr float kStrengthStep = 0.05f;

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
    say(state, problem.empty() ? "saved " + state.document.path() : "not saved: " + problem);
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

void openPrompt(EditorState& state) {
    state.prompt.active = true;
    state.prompt.text = std::to_string(kDefaultColumns) + "x" + std::to_string(kDefaultRows);
}

void setTool(EditorState& state, ToolKind tool) {
    state.tool = tool;
    static constexpr BrushKind kBrushes[] = {BrushKind::Push,  BrushKind::Push,  BrushKind::Bulge,
                                             BrushKind::Pinch, BrushKind::Twist, BrushKind::Smooth};
    state.brush.kind = kBrushes[static_cast<int>(tool)];
    say(state, std::string("tool: ") + toolName(tool));
}

void changeRadius(EditorState& state, float factor) {
    float r = state.brush.radius * factor;
    r = r < kMinimumRadius ? kMinimumRadius : (r > kMaximumRadius ? kMaximumRadius : r);
    state.brush.radius = r;
}

void changeStrength(EditorState& state, float by) {
    float s = state.brush.strength + by;
    s = s < kMinimumStrength ? kMinimumStrength : (s > kMaximumStrength ? kMaximumStrength : s);
    state.brush.strength = s;
}

void zoomCentre(EditorState& state, int steps) {
    zoomAt(state.view, steps, state.view.width / 2, state.view.height / 2);
}

void playTest(EditorState& state, const EditorServices& services) {
    if (state.scripted || !services.playTest) {
        say(state, "play-test is not available in scripts");
        return;
    }
    say(state, services.playTest(state));
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
    {SDLK_TAB, Mods::None, "Tab", "warp view / reference view (rim points)",
     [](EditorState& s, const EditorServices&) {
         s.referenceView = !s.referenceView;
         fitView(s);
     }},
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
     [](EditorState& s, const EditorServices&) { openPrompt(s); }},
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
    {SDLK_q, Mods::Ctrl, "Ctrl+Q, close", "quit (asks once about unsaved changes)",
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
    if (state.document.unsaved() && !state.closeAsked) {
        state.closeAsked = true;
        say(state, "unsaved changes: close again to quit without saving, Ctrl+S to save");
        return;
    }
    state.quit = true;
}

void promptKey(EditorState& state, const SDL_keysym& key) {
    SizePrompt& prompt = state.prompt;
    if (key.sym == SDLK_ESCAPE) {
        prompt.active = false;
        say(state, "no level added");
    } else if (key.sym == SDLK_BACKSPACE) {
        if (!prompt.text.empty()) {
            prompt.text.pop_back();
        }
    } else if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
        prompt.active = false;
        int columns = 0, rows = 0;
        char rest = 0;
        if (std::sscanf(prompt.text.c_str(), "%dx%d%c", &columns, &rows, &rest) != 2) {
            say(state, "not a size: \"" + prompt.text + "\" (columns x rows, like 26x20)");
            return;
        }
        EditCommand command;
        command.kind = EditKind::InsertLevel;
        command.level = state.document.currentLevel() + 1;
        if (columns < kMinimumSize || columns > kMaximumSize || rows < kMinimumSize ||
            rows > kMaximumSize) {
            say(state, "refused: a level must have " + std::to_string(kMinimumSize) + " to " +
                           std::to_string(kMaximumSize) + " columns and rows");
            return;
        }
        command.after = defaultShape(columns, rows);
        command.label = "add level";
        perform(state, std::move(command), "level added: " + prompt.text);
    } else if ((key.sym >= SDLK_0 && key.sym <= SDLK_9) || key.sym == SDLK_x) {
        if (prompt.text.size() < 9) {
            prompt.text.push_back(static_cast<char>(key.sym));
        }
    }
}

std::vector<HelpLine> helpLines() {
    std::vector<HelpLine> lines = {
        {"Left drag", "warp view: move the node (node tool) or paint with the brush"},
        {"", "reference view: move the rim point"},
        {"Right or middle drag", "pan"},
    };
    for (const KeyBinding& binding : kBindings) {
        if (binding.keys[0] != '\0') {
            lines.push_back({binding.keys, binding.meaning});
        }
    }
    return lines;
}
