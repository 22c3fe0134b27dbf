#pragma once
// Loading and preparing the game's images and sounds from the data folder.

#include <SDL.h>

#include <string>

#include "game/game_state.h"
#include "shared/data_contract.h"

/// Loads one bitmap file with SDL's loader; null with *reason ("<file>: <why>") when it cannot.
SDL_Surface* loadImage(const char* path, std::string* reason);

/// The two start-up pictures, "play/front.bmp" and "images/titlescreen.bmp". False with *reason,
/// and nothing left loaded, when either cannot be loaded.
bool loadStartImages(SDL_Surface*& frontImage, SDL_Surface*& titleImage, std::string* reason);

/// Frees a surface (null is fine) and nulls the pointer.
void freeSurface(SDL_Surface*& surface);

/// Loads every image of the game, in the game's fixed order, and gives the shot and explosion
/// frames their alpha and the pick-ups their colour key. Leaves frontImage and titleImage alone.
/// Returns false with *reason at the first file that is missing or unusable; whatever was loaded
/// before it stays in images for releaseImages.
bool loadImages(Images& images, std::string* reason);

/// Frees every surface that loadImages loaded (the six enemy slots that share one surface are
/// freed once) and nulls the slots.
void releaseImages(Images& images);

/// Replaces a 32-bit bitmap by a software surface with the masks 0x00FF0000, 0x0000FF00,
/// 0x000000FF, 0xFF000000 holding the same bytes, its fourth byte now the alpha, with per-surface
/// alpha on. Frees the bitmap. Null with *reason when the bitmap is not 32 bits per pixel.
SDL_Surface* makeAlphaImage(SDL_Surface* loaded, const char* path, std::string* reason);

/// Opens the audio device (22050 Hz, signed 16-bit, mono, 4096-byte chunks), loads the eight
/// sounds in order, fills the impact table and allocates 32 channels. A device that will not open
/// leaves every chunk null (the run is silent) and is not a failure; a sound file that is missing
/// or unreadable is (false with *reason).
bool loadSounds(Sounds& sounds, std::string* reason);

/// Halts every channel, frees the chunks and closes the audio device that loadSounds opened.
void releaseSounds(Sounds& sounds);
