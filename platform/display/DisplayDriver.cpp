#include "platform/display/DisplayDriver.h"

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

bool sameMode(const DisplayMode& offered, const DisplayMode& asked) {
    return offered.width == asked.width && offered.height == asked.height &&
           offered.bitsPerPixel == asked.bitsPerPixel && (asked.refreshHz == 0 || offered.refreshHz == asked.refreshHz);
}

}  // namespace

bool DisplayDriver::showMessageBox(const std::string&, const std::string&, bool) { return false; }

DisplayMode DisplayDriver::currentMode() const { return switched_ ? switchedTo_ : desktopMode(); }

bool DisplayDriver::changeMode(const DisplayMode& mode, bool testOnly) {
    for (const DisplayMode& offered : modes()) {
        if (!sameMode(offered, mode)) continue;
        if (testOnly) return true;
        switched_ = true;
        switchedTo_ = offered;
        for (WindowHandle window : allWindows()) postMessage(window, kMsgDisplayChange, offered.bitsPerPixel,
                                                             (intptr_t(offered.height) << 16) | offered.width);
        return true;
    }
    return false;
}

void DisplayDriver::restoreMode() { switched_ = false; }

void DisplayDriver::showServiceCursor() {
    cursor::CursorId wanted = cursor::cursorDisplayCount() >= 0 ? cursor::currentCursor() : cursor::kNoCursor;
    if (wanted != currentCursor()) setCursor(wanted);
}

int windowSurfaceDepth(const DisplayMode& mode) { return mode.bitsPerPixel == 16 ? 16 : 24; }

}  // namespace plat
