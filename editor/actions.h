#pragma once
// Keyboard actions: one table of keys, each with what it does and its line in the help overlay.

#include <SDL.h>

#include <vector>

#include "editor/tools.h"

/// Runs the action bound to the key (with its modifiers); false when the key means nothing.
bool runKeyAction(EditorState& state, const SDL_keysym& key, const EditorServices& services);
/// Asks to close: the first time with unsaved changes it only warns.
void requestClose(EditorState& state);
/// Every key and mouse action, for the help overlay.
std::vector<HelpLine> helpLines();

/// Types into the new-level size prompt (digits, "x", Backspace, Enter, Escape).
void promptKey(EditorState& state, const SDL_keysym& key);
