#pragma once
// The desktop's shell: a document handed to the viewer the desktop picks for its kind. Which
// shell opens it is chosen in platform/shell/choice/ShellChoice.h.
#include <string>

namespace plat {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens the document at an engine path text (cp1252, "C:\..."); false when it is missing
    // or nothing on this machine could show it.
    virtual bool openDocument(const std::string& text) = 0;
};

}  // namespace plat
