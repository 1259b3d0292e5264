#pragma once
// Where a menu command goes: most commands become a message for the screen that can carry
// them out, sent straight to it or broadcast to the main window's listeners; the rest are the
// shell's own (switches, undo, the clipboard on the easel, language, Teacher menu, guide).
#include "app/window/ScreenKind.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum class RouteKind : u8 {
    Nothing,
    Broadcast,          // to every listener of the main window
    ToCurrentScreen,    // straight to the current screen's handler
    ToTextPanel,        // to the easel's text panel, when it is the current panel
    ToWindowListener,   // to the main window's own listener part
    ToApplication,      // straight to the application's handler
    Shell,              // carried out by the shell itself
};

struct CommandRoute {
    RouteKind kind = RouteKind::Nothing;
    u32 code = 0;
    u16 param2 = 0;
    friend bool operator==(const CommandRoute&, const CommandRoute&) = default;
};

CommandRoute RouteMenuCommand(u16 command, ScreenKind current);

}  // namespace Ostrel
