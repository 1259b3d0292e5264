#include "platform/display/DisplayDriver.h"

#include <cstdlib>
#include <cstring>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/sdl/SdlDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

DisplayDriver* installed = nullptr;

DisplayDriver& startupDriver() {
    static std::unique_ptr<DisplayDriver> chosen = [] {
        const char* headless = std::getenv("TUMBLO_HEADLESS");
        std::unique_ptr<DisplayDriver> driver;
        if (!headless || std::strcmp(headless, "1") != 0) driver = makeSdlDisplay();
        if (!driver) driver = std::make_unique<HeadlessDisplay>();
        return driver;
    }();
    return *chosen;
}

bool sameMode(const DisplayMode& offered, const DisplayMode& asked) {
    return offered.width == asked.width && offered.height == asked.height &&
           offered.bitsPerPixel == asked.bitsPerPixel && (asked.refreshHz == 0 || offered.refreshHz == asked.refreshHz);
}

}  // namespace

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

DisplayDriver& displayDriver() { return installed ? *installed : startupDriver(); }

void setDisplayDriver(DisplayDriver* driver) { installed = driver; }

int windowSurfaceDepth(const DisplayMode& mode) { return mode.bitsPerPixel == 16 ? 16 : 24; }

}  // namespace plat
