// The gamepad's buttons, stick and hat as held keys: one table says which input holds which
// keys, so a pad plays exactly as the keyboard does and the frame never knows the difference.
#include "game/gamepad.h"

#include <algorithm>

namespace {

/// Where a binding's input comes from.
enum class PadInput { Button, StickLeft, StickRight, StickUp, StickDown, Hat };

/// One input and the keys it holds (a second key of SDLK_UNKNOWN means none): strafing is Right
/// Shift with an arrow, as on the keyboard.
struct PadBinding {
    PadInput input;
    int index;  ///< button number, or the hat's SDL_HAT_* bit
    SDLKey key;
    SDLKey secondKey;
};

/// Button numbers as SDL reports them for the common layout (the browser's standard gamepad,
/// and XInput-style pads on the desktop): 0–3 face buttons, 4–5 shoulders, then the triggers
/// or Back/Start/stick buttons, and in the browser the d-pad as 12–15.
constexpr PadBinding kPadBindings[] = {
    {PadInput::StickLeft, 0, SDLK_LEFT, SDLK_UNKNOWN},
    {PadInput::StickRight, 0, SDLK_RIGHT, SDLK_UNKNOWN},
    {PadInput::StickUp, 0, SDLK_UP, SDLK_UNKNOWN},
    {PadInput::StickDown, 0, SDLK_DOWN, SDLK_UNKNOWN},
    {PadInput::Hat, SDL_HAT_LEFT, SDLK_LEFT, SDLK_UNKNOWN},
    {PadInput::Hat, SDL_HAT_RIGHT, SDLK_RIGHT, SDLK_UNKNOWN},
    {PadInput::Hat, SDL_HAT_UP, SDLK_UP, SDLK_UNKNOWN},
    {PadInput::Hat, SDL_HAT_DOWN, SDLK_DOWN, SDLK_UNKNOWN},
    {PadInput::Button, 0, SDLK_SPACE, SDLK_UNKNOWN},
    {PadInput::Button, 1, SDLK_SPACE, SDLK_UNKNOWN},
    {PadInput::Button, 2, SDLK_SPACE, SDLK_UNKNOWN},
    {PadInput::Button, 3, SDLK_SPACE, SDLK_UNKNOWN},
    {PadInput::Button, 4, SDLK_RSHIFT, SDLK_LEFT},
    {PadInput::Button, 5, SDLK_RSHIFT, SDLK_RIGHT},
    {PadInput::Button, 6, SDLK_1, SDLK_UNKNOWN},
    {PadInput::Button, 7, SDLK_2, SDLK_UNKNOWN},
    {PadInput::Button, 8, SDLK_3, SDLK_UNKNOWN},
    {PadInput::Button, 9, SDLK_4, SDLK_UNKNOWN},
    {PadInput::Button, 10, SDLK_5, SDLK_UNKNOWN},
    {PadInput::Button, 12, SDLK_UP, SDLK_UNKNOWN},
    {PadInput::Button, 13, SDLK_DOWN, SDLK_UNKNOWN},
    {PadInput::Button, 14, SDLK_LEFT, SDLK_UNKNOWN},
    {PadInput::Button, 15, SDLK_RIGHT, SDLK_UNKNOWN},
};

bool isHeld(const GamepadReading& pad, const PadBinding& binding) {
    switch (binding.input) {
        case PadInput::Button:
            return pad.buttons[binding.index];
        case PadInput::StickLeft:
            return pad.stickX <= -kGamepadDeadZone;
        case PadInput::StickRight:
            return pad.stickX >= kGamepadDeadZone;
        case PadInput::StickUp:
            return pad.stickY <= -kGamepadDeadZone;
        case PadInput::StickDown:
            return pad.stickY >= kGamepadDeadZone;
        case PadInput::Hat:
            return (pad.hat & binding.index) != 0;
    }
    return false;
}

}  // namespace

void addGamepadKeys(const GamepadReading& pad, Uint8* keys) {
    for (const PadBinding& binding : kPadBindings) {
        if (isHeld(pad, binding)) {
            keys[binding.key] = 1;
            if (binding.secondKey != SDLK_UNKNOWN) {
                keys[binding.secondKey] = 1;
            }
        }
    }
}

SDL_Joystick* openGamepad() {
    // SDL lists joysticks when its joystick part starts; look again when none was there, since a
    // pad may have been plugged in since, and a browser shows one only after a button press.
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0 && SDL_NumJoysticks() < 1) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 && SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) {
        return nullptr;
    }
    if (SDL_NumJoysticks() < 1) {
        return nullptr;
    }
    // A stick sends a stream of motion events; the frame takes one event each, so they would
    // queue up ahead of the quit event.
    SDL_EventState(SDL_JOYAXISMOTION, SDL_IGNORE);
    SDL_EventState(SDL_JOYBALLMOTION, SDL_IGNORE);
    SDL_EventState(SDL_JOYHATMOTION, SDL_IGNORE);
    return SDL_JoystickOpen(0);
}

GamepadReading readGamepad(SDL_Joystick* joystick) {
    GamepadReading pad;
    if (joystick == nullptr) {
        return pad;
    }
    SDL_JoystickUpdate();
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kGamepadButtons);
    for (int b = 0; b < buttons; ++b) {
        pad.buttons[b] = SDL_JoystickGetButton(joystick, b) != 0;
    }
    if (SDL_JoystickNumAxes(joystick) >= 2) {
        pad.stickX = SDL_JoystickGetAxis(joystick, 0);
        pad.stickY = SDL_JoystickGetAxis(joystick, 1);
    }
    if (SDL_JoystickNumHats(joystick) >= 1) {
        pad.hat = SDL_JoystickGetHat(joystick, 0);
    }
    return pad;
}

const Uint8* heldKeysWithGamepad(SDL_Joystick* joystick, std::array<Uint8, SDLK_LAST>& merged) {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    if (joystick == nullptr) {
        return keys;
    }
    std::copy(keys, keys + SDLK_LAST, merged.begin());
    addGamepadKeys(readGamepad(joystick), merged.data());
    return merged.data();
}
