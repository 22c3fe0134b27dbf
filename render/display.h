#pragma once
// Whether a window can open at all, asked at the edge of every program that opens one, before
// SDL_Init.

#include <string>

/// Empty when SDL can open a window here; otherwise why not, for the program's one-line stop.
/// Without an X display SDL 1.2 falls back on drawing the window as coloured text in the terminal,
/// which nobody starting a window program means; a driver named in SDL_VIDEODRIVER is always tried.
std::string missingDisplay();
