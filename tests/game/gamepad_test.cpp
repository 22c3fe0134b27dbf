// The gamepad as held keys: each input's keys, nothing else, and no change without a gamepad.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "game/gamepad.h"

namespace {

std::set<int> keysOf(const GamepadReading& pad) {
    std::array<Uint8, SDLK_LAST> keys{};
    addGamepadKeys(pad, keys.data());
    std::set<int> held;
    for (int k = 0; k < SDLK_LAST; ++k) {
        if (keys[k] != 0) {
            held.insert(k);
        }
    }
    return held;
}

GamepadReading buttons(std::initializer_list<int> pressed) {
    GamepadReading pad;
    for (int b : pressed) {
        pad.buttons[b] = true;
    }
    return pad;
}

GamepadReading stick(Sint16 x, Sint16 y, Uint8 hat = SDL_HAT_CENTERED) {
    return GamepadReading{{}, x, y, hat};
}

}  // namespace

TEST(Gamepad, EachInputHoldsTheKeysTheKeyboardWouldAndNothingElse) {
    struct Case {
        GamepadReading pad;
        std::set<int> keys;
    };
    const Case cases[] = {
        {GamepadReading{}, {}},
        {buttons({0}), {SDLK_SPACE}},
        {buttons({1}), {SDLK_SPACE}},
        {buttons({2}), {SDLK_SPACE}},
        {buttons({3}), {SDLK_SPACE}},
        {buttons({4}), {SDLK_RSHIFT, SDLK_LEFT}},
        {buttons({5}), {SDLK_RSHIFT, SDLK_RIGHT}},
        {buttons({6}), {SDLK_1}},
        {buttons({7}), {SDLK_2}},
        {buttons({8}), {SDLK_3}},
        {buttons({9}), {SDLK_4}},
        {buttons({10}), {SDLK_5}},
        {buttons({11, 16}), {}},
        {buttons({12, 14}), {SDLK_UP, SDLK_LEFT}},
        {buttons({13, 15}), {SDLK_DOWN, SDLK_RIGHT}},
        {stick(-16384, 0), {SDLK_LEFT}},
        {stick(-16383, 16383), {}},  // inside the dead zone
        {stick(32767, -32768), {SDLK_RIGHT, SDLK_UP}},
        {stick(0, 16384), {SDLK_DOWN}},
        {stick(0, 0, SDL_HAT_LEFTUP), {SDLK_LEFT, SDLK_UP}},
        {stick(0, 0, SDL_HAT_RIGHTDOWN), {SDLK_RIGHT, SDLK_DOWN}},
        {stick(-32768, 0, SDL_HAT_LEFT), {SDLK_LEFT}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keysOf(c.pad), c.keys)
            << "stick " << c.pad.stickX << "," << c.pad.stickY << " hat " << int(c.pad.hat);
    }
}

TEST(Gamepad, KeysAreOnlyAddedAndWithoutAGamepadTheKeyboardsOwnArrayIsRead) {
    std::array<Uint8, SDLK_LAST> keys{};
    keys[SDLK_DOWN] = 1;
    addGamepadKeys(buttons({0}), keys.data());
    EXPECT_EQ(std::make_tuple(keys[SDLK_DOWN], keys[SDLK_SPACE]), std::make_tuple(1, 1));
    std::array<Uint8, SDLK_LAST> merged{};
    EXPECT_EQ(heldKeysWithGamepad(nullptr, merged), SDL_GetKeyState(nullptr));
    EXPECT_EQ(keysOf(readGamepad(nullptr)), std::set<int>{});
}
