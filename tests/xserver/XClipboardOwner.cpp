#include "XClipboardOwner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
// A reader that stops taking pieces is left after this long.
constexpr auto kPieceDeadline = std::chrono::seconds(5);

}  // namespace

XClipboardOwner::XClipboardOwner(const std::string& display, std::vector<uint8_t> png, size_t piece)
    : png_(std::move(png)), piece_(std::max<size_t>(piece, 1)) {
    display_ = XOpenDisplay(display.c_str());
    if (!display_) return;
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display_, "CLIPBOARD", False);
    XSetSelectionOwner(display_, clipboard, window, CurrentTime);
    XSync(display_, False);
    if (XGetSelectionOwner(display_, clipboard) != window) return;
    window_ = window;
    server_ = std::thread([this] { serve(); });
}

XClipboardOwner::~XClipboardOwner() {
    serving_ = false;
    if (server_.joinable()) server_.join();
    if (display_) XCloseDisplay(display_);
}

void XClipboardOwner::serve() {
    pollfd watched{ConnectionNumber(display_), POLLIN, 0};
    while (serving_) {
        while (serving_ && XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == SelectionRequest) answer(&event.xselectionrequest);
        }
        poll(&watched, 1, 20);
    }
}

void XClipboardOwner::answer(const void* asked) {
    const XSelectionRequestEvent& request = *static_cast<const XSelectionRequestEvent*>(asked);
    const Atom png = XInternAtom(display_, "image/png", False);
    const Atom targets = XInternAtom(display_, "TARGETS", False);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    const Atom property = request.property != None ? request.property : request.target;
    bool incremental = false;
    if (request.target == targets) {
        const Atom offered[] = {targets, png};
        XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 2);
        reply.property = property;
    } else if (request.target == png && png_.size() <= piece_) {
        XChangeProperty(display_, request.requestor, property, png, 8, PropModeReplace, png_.data(), int(png_.size()));
        reply.property = property;
        ++given_;
    } else if (request.target == png) {
        XSelectInput(display_, request.requestor, PropertyChangeMask);
        const long size = long(png_.size());
        XChangeProperty(display_, request.requestor, property, XInternAtom(display_, "INCR", False), 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&size), 1);
        reply.property = property;
        incremental = true;
    }
    XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display_);
    if (incremental && sendPieces(request.requestor, property, png)) ++given_;
}

// Each piece follows the reader's deletion of the property; an empty piece ends them.
bool XClipboardOwner::sendPieces(unsigned long requestor, unsigned long property, unsigned long target) {
    pollfd watched{ConnectionNumber(display_), POLLIN, 0};
    size_t sent = 0;
    Clock::time_point deadline = Clock::now() + kPieceDeadline;
    while (serving_ && Clock::now() < deadline) {
        XEvent event;
        if (!XPending(display_)) {
            poll(&watched, 1, 20);
            continue;
        }
        XNextEvent(display_, &event);
        if (event.type != PropertyNotify || event.xproperty.window != requestor || event.xproperty.atom != property ||
            event.xproperty.state != PropertyDelete)
            continue;
        const size_t count = std::min(piece_, png_.size() - sent);
        XChangeProperty(display_, requestor, property, target, 8, PropModeReplace, png_.data() + sent, int(count));
        XFlush(display_);
        if (count == 0) {
            XSelectInput(display_, requestor, NoEventMask);
            return true;
        }
        sent += count;
        deadline = Clock::now() + kPieceDeadline;
    }
    return false;
}
