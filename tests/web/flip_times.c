/* Preloaded into the desktop game by the browser test's pacing comparison: every SDL_Flip is
   timed (CLOCK_MONOTONIC, ms) into the file named by LUMEN_FLIP_LOG, one line each, the same way
   the page's presentations are timed in the browser. */
#ifndef _GNU_SOURCE
#define _GNU_SOURCE /* RTLD_NEXT */
#endif
#include <SDL.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

int SDL_Flip(SDL_Surface* screen) {
    static int (*real)(SDL_Surface*) = NULL;
    static FILE* log = NULL;
    if (real == NULL) {
        real = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
        log = fopen(getenv("LUMEN_FLIP_LOG"), "w");
    }
    const int result = real(screen);
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(log, "%.3f\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6);
    fflush(log);
    return result;
}
