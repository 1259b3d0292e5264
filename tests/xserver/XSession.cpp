#include "XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

// A window that goes while it is looked at, or a box partly off the screen, is an error the
// calls answer with empty results; Xlib's own handler would end the whole test program.
int ignoreError(Display*, XErrorEvent*) { return 0; }

// The pid a top-level window's owner wrote on it, 0 when none.
pid_t windowPid(Display* display, Window window) {
    const Atom property = XInternAtom(display, "_NET_WM_PID", True);
    if (property == None) return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (type == XA_CARDINAL && format == 32 && count == 1) pid = pid_t(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

}  // namespace

// A journey reads the window many times a second: through memory shared with the server the
// picture is not copied through the connection.
struct XSession::SharedImage {
    Display* display = nullptr;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;
    bool attached = false;

    SharedImage(Display* d, int width, int height) : display(d) {
        const int screen = DefaultScreen(d);
        image = XShmCreateImage(d, DefaultVisual(d, screen), unsigned(DefaultDepth(d, screen)), ZPixmap, nullptr, &segment,
                                unsigned(width), unsigned(height));
        if (!image) return;
        segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(height), IPC_CREAT | 0600);
        if (segment.shmid < 0) return;
        void* memory = shmat(segment.shmid, nullptr, 0);
        if (memory == reinterpret_cast<void*>(-1)) {
            shmctl(segment.shmid, IPC_RMID, nullptr);
            return;
        }
        segment.shmaddr = image->data = static_cast<char*>(memory);
        segment.readOnly = False;
        attached = XShmAttach(d, &segment);
        XSync(d, False);
        // Gone with the last of the two that use it.
        shmctl(segment.shmid, IPC_RMID, nullptr);
    }
    ~SharedImage() {
        if (attached) {
            XShmDetach(display, &segment);
            XSync(display, False);
        }
        if (segment.shmaddr) shmdt(segment.shmaddr);
        if (image) {
            image->data = nullptr;  // the shared memory, not Xlib's to free
            XDestroyImage(image);
        }
    }
    bool fits(const XSession::Box& box) const { return attached && image->width == box.width && image->height == box.height; }
};

XSession::XSession(const std::string& name) : display_(XOpenDisplay(name.c_str())) {
    XSetErrorHandler(ignoreError);
    int event, error, major, minor;
    if (display_ && !XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XSession::~XSession() {
    shared_.reset();
    if (display_) XCloseDisplay(display_);
}

void XSession::sync() const { XSync(display_, False); }

unsigned long XSession::windowOfProcess(pid_t pid) const {
    if (!display_) return 0;
    Window root = DefaultRootWindow(display_), parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!display_ || !XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return 0;
    Window best = 0;
    long bestArea = 0;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable) continue;
        const long area = long(attributes.width) * attributes.height;
        if (area > bestArea && windowPid(display_, children[i]) == pid) {
            best = children[i];
            bestArea = area;
        }
    }
    if (children) XFree(children);
    return best;
}

int XSession::shownWindows() const {
    Window root = None, parent = None, *children = nullptr;
    unsigned count = 0, shown = 0;
    XWindowAttributes attributes;
    if (!display_ || !XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count; ++i) shown += XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable;
    if (children) XFree(children);
    return int(shown);
}

XSession::Box XSession::windowBox(unsigned long window) const {
    Box box;
    XWindowAttributes attributes;
    if (!display_ || !window || !XGetWindowAttributes(display_, window, &attributes)) return box;
    Window child = None;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child)) return box;
    box = {x, y, attributes.width, attributes.height};
    return box;
}

void XSession::focus(unsigned long window) {
    if (!display_ || !window) return;
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    sync();
}

void XSession::moveWindow(unsigned long window, int32_t x, int32_t y) {
    if (!display_ || !window) return;
    XMoveWindow(display_, window, x, y);
    sync();
}

void XSession::moveTo(int32_t x, int32_t y) {
    if (!display_) return;
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    sync();
}

void XSession::button(unsigned number, bool down) {
    if (!display_) return;
    XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
    sync();
}

std::vector<uint32_t> XSession::capture(const Box& box) const {
    std::vector<uint32_t> pixels;
    if (!display_ || box.width <= 0 || box.height <= 0 || box.x < 0 || box.y < 0 ||
        box.x + box.width > DisplayWidth(display_, DefaultScreen(display_)) ||
        box.y + box.height > DisplayHeight(display_, DefaultScreen(display_)))
        return pixels;
    sync();
    if (XShmQueryExtension(display_) && (!shared_ || !shared_->fits(box)))
        shared_ = std::make_unique<SharedImage>(display_, box.width, box.height);
    const bool viaShared =
        shared_ && shared_->fits(box) && XShmGetImage(display_, DefaultRootWindow(display_), shared_->image, box.x, box.y, AllPlanes);
    XImage* image = viaShared ? shared_->image
                              : XGetImage(display_, DefaultRootWindow(display_), box.x, box.y, unsigned(box.width),
                                          unsigned(box.height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.resize(size_t(box.width) * size_t(box.height));
    // A true-colour server's 32-bit pixels in our byte order are read as they lie; any other
    // layout through Xlib, pixel by pixel.
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
                        image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    uint32_t* out = pixels.data();
    for (int32_t row = 0; row < box.height; ++row) {
        const auto* line = reinterpret_cast<const uint32_t*>(image->data + size_t(row) * size_t(image->bytes_per_line));
        for (int32_t column = 0; column < box.width; ++column)
            *out++ = (direct ? line[column] : uint32_t(XGetPixel(image, column, row))) & 0xFFFFFF;
    }
    if (!viaShared) XDestroyImage(image);
    return pixels;
}
