#include "editor/script.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct KeyName {
    const char* name;
    SDLKey key;
};

/// Named keys beyond single letters, digits and punctuation.
constexpr KeyName kKeyNames[] = {
    {"tab", SDLK_TAB},
    {"return", SDLK_RETURN},
    {"enter", SDLK_RETURN},
    {"escape", SDLK_ESCAPE},
    {"esc", SDLK_ESCAPE},
    {"space", SDLK_SPACE},
    {"backspace", SDLK_BACKSPACE},
    {"delete", SDLK_DELETE},
    {"up", SDLK_UP},
    {"down", SDLK_DOWN},
    {"left", SDLK_LEFT},
    {"right", SDLK_RIGHT},
    {"pageup", SDLK_PAGEUP},
    {"pagedown", SDLK_PAGEDOWN},
    {"home", SDLK_HOME},
    {"end", SDLK_END},
    {"plus", SDLK_PLUS},
    {"minus", SDLK_MINUS},
    {"kp_plus", SDLK_KP_PLUS},
    {"kp_minus", SDLK_KP_MINUS},
};

struct ButtonName {
    const char* name;
    int button;
};
constexpr ButtonName kButtonNames[] = {
    {"1", SDL_BUTTON_LEFT},        {"left", SDL_BUTTON_LEFT}, {"2", SDL_BUTTON_MIDDLE},
    {"middle", SDL_BUTTON_MIDDLE}, {"3", SDL_BUTTON_RIGHT},   {"right", SDL_BUTTON_RIGHT},
};

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -100000 || v > 100000) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

bool parseButton(const std::string& text, int& button) {
    for (const ButtonName& b : kButtonNames) {
        if (text == b.name) {
            button = b.button;
            return true;
        }
    }
    return false;
}

bool parseLine(const std::vector<std::string>& words, ScriptCommand& command) {
    const std::string& verb = words[0];
    const size_t n = words.size();
    if ((verb == "press" || verb == "release") && n == 4) {
        command.verb = verb == "press" ? ScriptVerb::Press : ScriptVerb::Release;
        return parseInt(words[1], command.x) && parseInt(words[2], command.y) &&
               parseButton(words[3], command.button);
    }
    if (verb == "move" && n == 3) {
        command.verb = ScriptVerb::Move;
        return parseInt(words[1], command.x) && parseInt(words[2], command.y);
    }
    if (verb == "key" && n == 2) {
        command.verb = ScriptVerb::Key;
        return parseKeyName(words[1], command.key);
    }
    if (verb == "wheel" && n == 2) {
        command.verb = ScriptVerb::Wheel;
        return parseInt(words[1], command.amount) && command.amount != 0;
    }
    if (verb == "shot" && n == 2) {
        command.verb = ScriptVerb::Shot;
        command.path = words[1];
        return command.path.size() > 4 && command.path.substr(command.path.size() - 4) == ".bmp";
    }
    if (verb == "view" && n == 1) {
        command.verb = ScriptVerb::View;
        return true;
    }
    return false;
}

SDL_Event buttonEvent(Uint8 type, int button, int x, int y) {
    SDL_Event event{};
    event.button.type = type;
    event.button.which = 0;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x < 0 ? 0 : x);
    event.button.y = static_cast<Uint16>(y < 0 ? 0 : y);
    return event;
}

}  // namespace

bool parseKeyName(const std::string& name, SDL_keysym& key) {
    key = SDL_keysym{};
    std::string rest = name;
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) {
            break;
        }
        const std::string mod = rest.substr(0, plus);
        if (mod == "ctrl") {
            key.mod = static_cast<SDLMod>(key.mod | KMOD_LCTRL);
        } else if (mod == "shift") {
            key.mod = static_cast<SDLMod>(key.mod | KMOD_LSHIFT);
        } else if (mod == "alt") {
            key.mod = static_cast<SDLMod>(key.mod | KMOD_LALT);
        } else {
            return false;
        }
        rest = rest.substr(plus + 1);
    }
    if (rest.size() == 1 && std::isprint(static_cast<unsigned char>(rest[0])) &&
        !std::isupper(static_cast<unsigned char>(rest[0]))) {
        key.sym = static_cast<SDLKey>(rest[0]);  // SDL's key codes are the ASCII codes here
        // The character typed, as SDL reports it: Shift makes a letter a capital.
        const int typed = (key.mod & KMOD_SHIFT) != 0 ? std::toupper(rest[0]) : rest[0];
        key.unicode = static_cast<Uint16>(typed);
        return true;
    }
    if (rest.size() >= 2 && rest[0] == 'f' && std::isdigit(static_cast<unsigned char>(rest[1]))) {
        int number = 0;
        if (parseInt(rest.substr(1), number) && number >= 1 && number <= 15) {
            key.sym = static_cast<SDLKey>(SDLK_F1 + number - 1);
            return true;
        }
        return false;
    }
    for (const KeyName& named : kKeyNames) {
        if (rest == named.name) {
            key.sym = named.key;
            return true;
        }
    }
    return false;
}

bool readScript(const std::string& path, std::vector<ScriptCommand>& commands,
                std::string* reason) {
    std::ifstream in(path);
    if (!in) {
        *reason = path + ": cannot open the script";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream split(line);
        std::vector<std::string> words;
        for (std::string word; split >> word;) {
            words.push_back(word);
        }
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        ScriptCommand command;
        command.line = number;
        if (!parseLine(words, command)) {
            *reason = path + ":" + std::to_string(number) + ": malformed command \"" + line + "\"";
            return false;
        }
        commands.push_back(command);
    }
    return true;
}

std::vector<SDL_Event> scriptEvents(const ScriptCommand& command, int cursorX, int cursorY) {
    std::vector<SDL_Event> events;
    switch (command.verb) {
        case ScriptVerb::Press:
            events.push_back(
                buttonEvent(SDL_MOUSEBUTTONDOWN, command.button, command.x, command.y));
            break;
        case ScriptVerb::Release:
            events.push_back(buttonEvent(SDL_MOUSEBUTTONUP, command.button, command.x, command.y));
            break;
        case ScriptVerb::Move: {
            SDL_Event event{};
            event.motion.type = SDL_MOUSEMOTION;
            event.motion.x = static_cast<Uint16>(command.x < 0 ? 0 : command.x);
            event.motion.y = static_cast<Uint16>(command.y < 0 ? 0 : command.y);
            events.push_back(event);
            break;
        }
        case ScriptVerb::Key: {
            SDL_Event event{};
            event.key.type = SDL_KEYDOWN;
            event.key.state = SDL_PRESSED;
            event.key.keysym = command.key;
            events.push_back(event);
            event.key.type = SDL_KEYUP;
            event.key.state = SDL_RELEASED;
            events.push_back(event);
            break;
        }
        case ScriptVerb::Wheel: {
            const int button = command.amount > 0 ? SDL_BUTTON_WHEELUP : SDL_BUTTON_WHEELDOWN;
            for (int n = 0; n < std::abs(command.amount); ++n) {
                events.push_back(buttonEvent(SDL_MOUSEBUTTONDOWN, button, cursorX, cursorY));
                events.push_back(buttonEvent(SDL_MOUSEBUTTONUP, button, cursorX, cursorY));
            }
            break;
        }
        case ScriptVerb::Shot:
        case ScriptVerb::View:
            break;
    }
    return events;
}
