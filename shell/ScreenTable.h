#pragma once
// The program's parts by their codes: the one place that knows the concrete screens, the main
// window and the login dialog, handed to the application, which switches between them
// without knowing them.
#include "app/application/ShellParts.h"

namespace Ostrel {

// The main window (with its getting-started dialog), the login, the splash (5571) and the
// easel (5568); the picker and the slide-show player make nothing until they are built, so
// asking for them leaves the screen empty.
ShellParts ProgramShellParts();

}  // namespace Ostrel
