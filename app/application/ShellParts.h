#pragma once
// The parts of the program that the application builds but does not know: the main window,
// the four screens and the login dialog. The program's entry (app/shell) registers them; the
// application's library never includes a screen, a panel or a dialog.
#include <functional>
#include <memory>
#include <string>

#include "app/application/ApplicationMessages.h"
#include "document/users/Paths.h"
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

class RModule;
class RShellWindow;

struct ShellParts {
    // The program, data and settings folders; an empty program folder: this machine's.
    FolderRoots roots;
    // The program's main window over the display rectangle; null when it cannot be made.
    std::function<std::unique_ptr<RShellWindow>(const std::string& title, const Rect16& rect)> mainWindow;
    // The screen for a screen code, not entered yet; null for an unknown code.
    std::function<std::unique_ptr<RModule>(u32 code)> screen;
    // Whether `screen` makes the screen of a code; the ways to a screen not built stay closed.
    std::function<bool(u32 code)> builds;
    // Makes and opens the login dialog, which posts 5577 to its owner when it closes (with a
    // heap std::string of the name, which the owner deletes, and 1704 to log in);
    // `openedLater` is 1 for a login from the menus. Null when it cannot be made or opened.
    std::function<std::unique_ptr<CListener>(CListener* owner, u16 openedLater)> login;
};

}  // namespace Ostrel
