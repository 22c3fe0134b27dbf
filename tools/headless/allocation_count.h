#pragma once
// Heap allocations counted per thread, for the headless runner's check that play allocates nothing.
// The runner replaces malloc, calloc, realloc and the global operator new; each call made on a
// thread adds one to that thread's count. Not available in sanitizer builds, whose runtime owns
// the allocator.

#include <cstdint>

/// Whether this build counts allocations at all.
bool allocationCountingAvailable();

/// Allocations made so far on the calling thread (malloc, calloc, realloc, every operator new),
/// except SDL's copies of the window caption.
int64_t threadAllocationCount();

/// Allocations SDL_WM_SetCaption made so far on the calling thread: SDL copies the title and the
/// icon name each time they are set, which the game does only when the caption text changes.
int64_t threadCaptionAllocationCount();

/// Allocations made so far on every thread together (the mixer's audio thread among them).
int64_t totalAllocationCount();
