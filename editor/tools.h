#pragma once
// Tools: turn input events into commands on the document and into changes of the view. Real
// input and scripted input arrive here alike, as SDL events.

#include <SDL.h>

#include <functional>
#include <string>

#include "editor/editor_state.h"

/// What the event handling needs from outside: starting a play-test (returns a message).
struct EditorServices {
    std::function<std::string(EditorState&)> playTest;
};

/// Handles one input event (mouse, keyboard, wheel, window close).
void handleEvent(EditorState& state, const SDL_Event& event, const EditorServices& services);

/// Fits the view to the current level, whole in the window.
void fitView(EditorState& state);
