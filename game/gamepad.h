#pragma once
// A gamepad as a second keyboard: the first joystick SDL offers, read once a frame and turned
// into the keys it stands for, which join the keyboard's held keys before the frame reads them.

#include <SDL.h>

#include <array>

/// Buttons read from a gamepad; the browser's standard layout has 17, a desktop pad 10 to 13.
constexpr int kGamepadButtons = 17;
/// How far (of ±32767) the left stick must lean before it counts as a held direction.
constexpr int kGamepadDeadZone = 16384;

/// One frame's reading of a gamepad: its buttons, the left stick and the first hat (the d-pad on
/// most desktop drivers; in the browser the d-pad is buttons 12 to 15).
struct GamepadReading {
    std::array<bool, kGamepadButtons> buttons{};
    Sint16 stickX = 0;  ///< left stick, −32768 (left) to 32767 (right)
    Sint16 stickY = 0;  ///< left stick, −32768 (up) to 32767 (down)
    Uint8 hat = SDL_HAT_CENTERED;
};

/// Marks in keys (SDLK_LAST entries) every key a held input of the reading stands for: the d-pad
/// or stick turns and thrusts (down brakes), the shoulders strafe, the face buttons fire and the
/// five buttons after the shoulders choose weapons 1 to 5. Never clears a key.
void addGamepadKeys(const GamepadReading& pad, Uint8* keys);

/// Opens the first joystick SDL offers, starting SDL's joystick part if needed; null when there
/// is none. Calling it again gives the same joystick, or looks again when there was none. Only its
/// buttons send events (any button leaves the title screen); the stick and hat are read each frame
/// instead of queued.
SDL_Joystick* openGamepad();

/// The joystick's state now (SDL_JoystickUpdate first); an empty reading for null.
GamepadReading readGamepad(SDL_Joystick* joystick);

/// The held keys for this frame: SDL's own array when there is no gamepad, else a copy of it
/// in merged with the gamepad's keys added.
const Uint8* heldKeysWithGamepad(SDL_Joystick* joystick, std::array<Uint8, SDLK_LAST>& merged);
