#pragma once
// Editor scripts, for tests and automation: one command a line, turned into the SDL events real
// input would give (press X Y BUTTON, move X Y, release X Y BUTTON, key NAME, wheel N) or into
// the script's own commands (shot PATH.bmp, view). Blank lines and lines starting with # are
// skipped.

#include <SDL.h>

#include <string>
#include <vector>

enum class ScriptVerb { Press, Move, Release, Key, Wheel, Shot, View };

struct ScriptCommand {
    ScriptVerb verb = ScriptVerb::View;
    int x = 0;  ///< window pixels (press, move, release)
    int y = 0;
    int button = 0;  ///< SDL_BUTTON_LEFT, _MIDDLE or _RIGHT
    int amount = 0;  ///< wheel notches, positive away from the user (zoom in)
    SDL_keysym key{};
    std::string path;  ///< shot
    int line = 0;      ///< line number in the script, from 1
};

/// Reads every command of the script at path. On a malformed line: false and one line naming the
/// script, the line number and the command.
bool readScript(const std::string& path, std::vector<ScriptCommand>& commands, std::string* reason);

/// The key a NAME such as "ctrl+s", "z", "shift+pagedown" or "f1" names; false when unknown.
bool parseKeyName(const std::string& name, SDL_keysym& key);

/// The SDL events an input command stands for (none for shot and view). The wheel acts at the
/// mouse position (cursorX, cursorY).
std::vector<SDL_Event> scriptEvents(const ScriptCommand& command, int cursorX, int cursorY);
