#include "XFakeInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// An open connection to a server with the test extension, closed at the end of the scope.
class Connection {
public:
    explicit Connection(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
        int event, error, major, minor;
        if (display_ && !XTestQueryExtension(display_, &event, &error, &major, &minor)) {
            XCloseDisplay(display_);
            display_ = nullptr;
        }
    }
    ~Connection() {
        if (!display_) return;
        XSync(display_, False);
        XCloseDisplay(display_);
    }
    Display* get() const { return display_; }

private:
    Display* display_;
};

void pressKey(Display* display, KeySym symbol, bool down) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down ? True : False, CurrentTime);
}

}  // namespace

bool fakeClickAndFocus(const std::string& name, int32_t x, int32_t y) {
    Connection connection(name);
    Display* display = connection.get();
    if (!display) return false;
    Window root = DefaultRootWindow(display);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    int childX, childY;
    Window child = None;
    XTranslateCoordinates(display, root, root, x, y, &childX, &childY, &child);
    if (child != None) XSetInputFocus(display, child, RevertToParent, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    return true;
}

bool fakeKey(const std::string& name, const char* keysymName, bool shift) {
    Connection connection(name);
    Display* display = connection.get();
    if (!display) return false;
    KeySym symbol = XStringToKeysym(keysymName);
    if (symbol == NoSymbol) return false;
    if (shift) pressKey(display, XK_Shift_L, true);
    pressKey(display, symbol, true);
    pressKey(display, symbol, false);
    if (shift) pressKey(display, XK_Shift_L, false);
    return true;
}
