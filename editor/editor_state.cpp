#include "editor/editor_state.h"

const char* toolName(ToolKind tool) {
    static constexpr const char* kNames[] = {"node",  "push/pull", "bulge",
                                             "pinch", "twist",     "smooth"};
    static_assert(sizeof kNames / sizeof kNames[0] == static_cast<int>(ToolKind::Smooth) + 1,
                  "one name per tool");
    return kNames[static_cast<int>(tool)];
}

const char* questionText(Question question) {
    return question == Question::Quit
               ? "Unsaved changes - S save and quit, Q quit without saving, Esc keep editing"
               : "";
}
