#pragma once
// Keyboard actions: one table of keys, each with what it does and its line in the help overlay.

#include <SDL.h>

#include <vector>

#include "editor/tools.h"

/// Runs the action bound to the key (with its modifiers); false when the key means nothing.
bool runKeyAction(EditorState& state, const SDL_keysym& key, const EditorServices& services);
/// Asks to close: at once with nothing unsaved, otherwise through the question panel.
void requestClose(EditorState& state);
/// Every key and mouse action, for the help overlay.
std::vector<HelpLine> helpLines();

/// Answers the open question: S or Return saves (and quits when the save succeeds), Q quits
/// without saving, Escape goes back to editing; any other key leaves the panel up.
void answerQuestion(EditorState& state, const SDL_keysym& key);
/// Types into the prompt (Backspace, Enter, Escape; digits and "x" for a size, any printable
/// character for a file name). The first key typed replaces the selected default.
void promptKey(EditorState& state, const SDL_keysym& key);
