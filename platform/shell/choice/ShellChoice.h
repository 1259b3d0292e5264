#pragma once
// The one place that picks the desktop's shell, once at first use (platform/system/BackendChoice.h):
// xdg-open, or the headless one, which only writes down what it was asked, when the program
// runs headless.
#include "platform/shell/DesktopShell.h"

namespace plat {

DesktopShell& desktopShell();
// Replaces the start-up choice (tests install a headless shell); nullptr restores it.
void setDesktopShell(DesktopShell* shell);

}  // namespace plat
