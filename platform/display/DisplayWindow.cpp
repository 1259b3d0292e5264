#include "platform/display/DisplayWindow.h"

#include <map>

#include "platform/ui/MessageQueue.h"

namespace plat {
namespace {

std::map<WindowHandle, DisplayWindow*>& faces() {
    static std::map<WindowHandle, DisplayWindow*> byWindow;
    return byWindow;
}

}  // namespace

DisplayWindow::DisplayWindow(WindowHandle window, int32_t width, int32_t height, int bitsPerPixel)
    : window_(window), surface_(gdi::Surface::create(width, height, bitsPerPixel, gdi::RowOrder::TopDown)) {
    faces()[window] = this;
}

DisplayWindow::~DisplayWindow() {
    auto found = faces().find(window_);
    if (found != faces().end() && found->second == this) faces().erase(found);
}

DisplayWindow* findDisplayWindow(WindowHandle window) {
    auto found = faces().find(window);
    return found == faces().end() ? nullptr : found->second;
}

void DisplayWindow::invalidate(const gdi::Rect& area) {
    gdi::Rect clipped = area.intersect(clientRect());
    if (clipped.empty()) return;
    bool wasClean = update_.empty();
    update_ = gdi::Region::combine(update_, gdi::Region(clipped), gdi::CombineOp::Or);
    if (wasClean) postMessage(window_, kMsgPaint, 0, 0);
}

void DisplayWindow::validate(const gdi::Rect& area) {
    update_ = gdi::Region::combine(update_, gdi::Region(area), gdi::CombineOp::Diff);
}

void DisplayWindow::present(const gdi::Rect& area) {
    gdi::Rect clipped = area.intersect(clientRect());
    if (!clipped.empty()) show(clipped);
}

}  // namespace plat
