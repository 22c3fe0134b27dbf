/* Included before every SDL 2 source of the browser build. SDL 2 then believes it is built with
   its dynamic API, whose override list renames each SDL_Foo to SDL_Foo_REAL (SDL_thread.c too,
   which undoes the list for its own functions otherwise). The dynamic API's dispatch table itself
   (src/dynapi/SDL_dynapi.c) is not compiled: sdl12-compat, linked into the same module, owns the
   SDL_* names and takes SDL 2's functions by their _REAL names. */
#define SDL_dynapi_h_
#define SDL_DYNAMIC_API 1
