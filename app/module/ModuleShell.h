#pragma once
// What a screen reads of the program around it: the folders (for the writable settings file),
// the main window (whether tool tips are on) and the screen's rectangle. The application hands
// it to each screen it makes, before the screen enters, so that the screen base needs nothing
// of the application's own library.
#include "engine/regions/Rects.h"

namespace Ostrel {

class Paths;
class RShellWindow;

struct ModuleShell {
    // Null: no settings file, the tool tips keep their built-in look.
    const Paths* paths = nullptr;
    // Null: no menus, tool tips are on.
    const RShellWindow* window = nullptr;
    Rect16 screenRect{0, 0, 800, 600};
};

}  // namespace Ostrel
