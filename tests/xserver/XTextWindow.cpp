#include "XTextWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <clocale>

XTextWindow::XTextWindow(const std::string& name) {
    // The input method composes in the character set of the locale: UTF-8.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    XSetLocaleModifiers("");
    display_ = XOpenDisplay(name.c_str());
    if (!display_) return;
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(display_, window, KeyPressMask | StructureNotifyMask);
    XMapWindow(display_, window);
    for (XEvent event;;) {
        XNextEvent(display_, &event);
        if (event.type == MapNotify) break;
    }
    XIM method = XOpenIM(display_, nullptr, nullptr, nullptr);
    XIC context = method ? XCreateIC(method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, window,
                                     XNFocusWindow, window, nullptr)
                         : nullptr;
    if (!context) return;
    method_ = method;
    context_ = context;
    window_ = window;
}

XTextWindow::~XTextWindow() {
    if (context_) XDestroyIC(static_cast<XIC>(context_));
    if (method_) XCloseIM(static_cast<XIM>(method_));
    if (display_) XCloseDisplay(display_);
}

std::string XTextWindow::typed() {
    if (!display_) return text_;
    XSync(display_, False);
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (XFilterEvent(&event, None) || event.type != KeyPress) continue;
        char buffer[32];
        KeySym symbol;
        Status status;
        const int length = Xutf8LookupString(static_cast<XIC>(context_), &event.xkey, buffer, sizeof buffer, &symbol, &status);
        if (status == XLookupChars || status == XLookupBoth) text_.append(buffer, size_t(length));
    }
    return text_;
}
