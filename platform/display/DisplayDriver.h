#pragma once
// The seam between the program's windows and the machine's screen. A driver lists the
// desktop's display modes, opens display windows, turns the user's input into messages for
// the message core and shows the cursor service's cursor. The drivers (sdl/, headless/)
// build on this library; choice/ picks one at start-up.
//
// Mode switches are simulated: the driver remembers the mode the program asked for and
// reports it as current, and windows opened afterwards take its depth; the real desktop is
// never changed. All calls come from the user-interface thread.
#include <memory>
#include <string>
#include <vector>

#include "platform/cursor/Cursors.h"
#include "platform/display/DisplayTypes.h"
#include "platform/display/DisplayWindow.h"

namespace plat {

class DisplayDriver {
public:
    virtual ~DisplayDriver() = default;

    virtual std::string name() const = 0;
    // Every mode the desktop offers, the current one included.
    virtual std::vector<DisplayMode> modes() const = 0;

    DisplayMode currentMode() const;
    // True when the mode is one of modes() (a refresh of 0 matches any); unless testOnly,
    // it becomes the current mode and every window hears kMsgDisplayChange.
    bool changeMode(const DisplayMode& mode, bool testOnly);
    // Back to the desktop's own mode.
    void restoreMode();

    // A window's visible face, sized to its client area, in the depth of the current mode
    // (16 bits in 16-bit modes, else 24). The driver keeps no reference after it is destroyed.
    virtual std::unique_ptr<DisplayWindow> openWindow(WindowHandle window, const std::string& title,
                                                      int32_t width, int32_t height) = 0;
    // Delivers the input that arrived since the last call to the message core.
    virtual void pumpEvents() = 0;
    // Blocks until the user does something (at most `timeoutMs`); returns at once when
    // nothing can arrive, as on a headless display.
    virtual void waitForInput(uint32_t timeoutMs) = 0;

    // Shows a cursor of the cursor service (platform/cursor): a system cursor, a made cursor
    // by its picture, or none for cursor::kNoCursor and ids the service does not know.
    virtual void setCursor(cursor::CursorId cursor) = 0;
    virtual cursor::CursorId currentCursor() const = 0;

    // The desktop's own message box, over no window of the program's, until its OK or until
    // the display goes; false when the driver shows none (headless) or the box went without
    // its OK. Title and text in UTF-8.
    virtual bool showMessageBox(const std::string& title, const std::string& text, bool stop);

    // Shows what the cursor service says: its current cursor while its display count is 0 or
    // more, else none. Drivers call it as they pump events; work that pumps none for a while
    // calls it to show its busy cursor at once.
    void showServiceCursor();

protected:
    virtual DisplayMode desktopMode() const = 0;

private:
    bool switched_ = false;
    DisplayMode switchedTo_;
};

// The depth of a window surface in a display mode.
int windowSurfaceDepth(const DisplayMode& mode);

}  // namespace plat
