#pragma once
// Opens documents through the desktop's xdg-open, when the desktop names a program for the
// document's type (xdg-mime): none opens nothing, and says so. It answers once xdg-open has ended, or
// after kSettleMillis while it still runs (some desktops keep it for as long as the viewer is
// up); it is reaped whenever it ends.
#include <cstdint>

#include "platform/shell/DesktopShell.h"

namespace plat {

class XdgOpenShell : public DesktopShell {
public:
    static constexpr uint32_t kSettleMillis = 3000;

    bool openDocument(const std::string& text) override;
};

}  // namespace plat
