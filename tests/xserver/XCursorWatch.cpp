#include "tests/xserver/XCursorWatch.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

XCursorWatch::XCursorWatch(const std::string& name) : display_(XOpenDisplay(name.c_str())) {
    int error = 0;
    if (display_ && !XFixesQueryExtension(display_, &eventBase_, &error)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
    if (!display_) return;
    XFixesSelectCursorInput(display_, DefaultRootWindow(display_), XFixesDisplayCursorNotifyMask);
    XSync(display_, False);
}

XCursorWatch::~XCursorWatch() {
    if (display_) XCloseDisplay(display_);
}

unsigned long XCursorWatch::shown() {
    if (!display_) return 0;
    XFixesCursorImage* image = XFixesGetCursorImage(display_);
    if (!image) return 0;
    const unsigned long serial = image->cursor_serial;
    XFree(image);
    return serial;
}

std::vector<unsigned long> XCursorWatch::changes() {
    std::vector<unsigned long> serials;
    if (!display_) return serials;
    XSync(display_, False);
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == eventBase_ + XFixesCursorNotify)
            serials.push_back(reinterpret_cast<XFixesCursorNotifyEvent*>(&event)->cursor_serial);
    }
    return serials;
}
