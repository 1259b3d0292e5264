#pragma once
// The desktop's shell: a document handed to the viewer the desktop picks for its kind. The
// backend is chosen once at start-up (platform/system/BackendChoice.h): xdg-open, or the
// headless one, which only writes down what it was asked, when the program runs headless.
#include <string>

namespace plat {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens the document at an engine path text (cp1252, "C:\..."); false when it is missing
    // or nothing on this machine could show it.
    virtual bool openDocument(const std::string& text) = 0;
};

DesktopShell& desktopShell();
// Replaces the start-up choice (tests install a headless shell); nullptr restores it.
void setDesktopShell(DesktopShell* shell);

}  // namespace plat
