#pragma once
// The program's parts by their codes: the one place that knows the concrete screens, the main
// window and the login dialog, handed to the application, which switches between them
// without knowing them.
#include "app/application/ShellParts.h"

namespace Ostrel {

// The main window (with its getting-started dialog), the login, the splash (5571), the easel
// (5568), the picker (5567) and the slide-show player (5570).
ShellParts ProgramShellParts();

}  // namespace Ostrel
