#pragma once
// The visible face of a window: its client area as a surface the program draws into, the
// area the program has marked as needing a repaint (the update region), and presentation of
// a part of the surface on the screen. The surface is the backing store: when the desktop
// uncovers the window the driver shows it again from there, without asking the program.
//
// Marking an area when nothing was marked posts one kMsgPaint to the window; the program's
// painting validates what it repainted. A window has at most one face, found by its handle
// while the face exists. Only the window's own thread uses it.
#include <cstdint>
#include <memory>

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/ui/Messages.h"

namespace plat {

class DisplayWindow {
public:
    DisplayWindow(WindowHandle window, int32_t width, int32_t height, int bitsPerPixel);
    virtual ~DisplayWindow();
    DisplayWindow(const DisplayWindow&) = delete;
    DisplayWindow& operator=(const DisplayWindow&) = delete;

    WindowHandle window() const { return window_; }
    gdi::Surface& surface() { return *surface_; }
    const gdi::Surface& surface() const { return *surface_; }
    gdi::Rect clientRect() const { return surface_->bounds(); }
    // Where the client area's top-left pixel is on the screen.
    virtual gdi::Point clientOrigin() const = 0;

    void invalidate(const gdi::Rect& area);
    void validate(const gdi::Rect& area);
    const gdi::Region& updateRegion() const { return update_; }

    // Shows the part of the surface inside `area` (clipped to the client area).
    void present(const gdi::Rect& area);
    // Raises the window above the desktop's other windows and gives it the user's focus.
    virtual void bringToFront() = 0;
    // Covers the whole screen, on black, with `middle` (a part of the client area) in the
    // screen's middle; or gives the window back.
    virtual void setFullScreen(bool on, const gdi::Rect& middle) = 0;

protected:
    virtual void show(const gdi::Rect& clippedArea) = 0;

private:
    WindowHandle window_;
    std::unique_ptr<gdi::Surface> surface_;
    gdi::Region update_;
};

// The face of a window, or null when it has none.
DisplayWindow* findDisplayWindow(WindowHandle window);

}  // namespace plat
