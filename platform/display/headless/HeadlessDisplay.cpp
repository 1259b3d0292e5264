#include "platform/display/headless/HeadlessDisplay.h"

#include "platform/display/InputDelivery.h"
#include "platform/display/PixelConversion.h"
#include "platform/display/QuitSignals.h"
#include "platform/ui/MessageQueue.h"

namespace plat {

HeadlessWindow::HeadlessWindow(WindowHandle window, int32_t width, int32_t height, int bitsPerPixel, gdi::Point origin)
    : DisplayWindow(window, width, height, bitsPerPixel), origin_(origin), shown_(size_t(width) * size_t(height), 0) {}

void HeadlessWindow::show(const gdi::Rect& area) {
    int32_t pitch = surface().width();
    convertToXrgb(surface(), area, shown_.data() + size_t(area.top) * size_t(pitch) + size_t(area.left), pitch);
    ++presents_;
}

HeadlessDisplay::HeadlessDisplay()
    : modes_{{1024, 768, 24, 60}, {640, 480, 8, 60}, {800, 600, 8, 60}, {800, 600, 16, 60},
             {800, 600, 24, 60}, {1024, 768, 16, 60}} {}

std::unique_ptr<DisplayWindow> HeadlessDisplay::openWindow(WindowHandle window, const std::string&, int32_t width,
                                                          int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    // Windows are laid out side by side so that each has its own place on the screen.
    gdi::Point origin{nextOrigin_, 0};
    nextOrigin_ += width;
    return std::make_unique<HeadlessWindow>(window, width, height, windowSurfaceDepth(currentMode()), origin);
}

void HeadlessDisplay::pumpEvents() {
    showServiceCursor();
    // Nobody can answer a question here: without the program's own ending, a caught quit
    // signal ends the loop at once.
    if (takeQuitSignal() && !runQuitSignalEnding()) postQuitMessage(0);
    while (!script_.empty()) {
        Scripted next = script_.front();
        script_.pop_front();
        deliverInput(next.window, next.event);
    }
}

void HeadlessDisplay::setCursor(cursor::CursorId shown) {
    const cursor::CursorImage* picture = cursor::cursorImage(shown);
    bool known = picture || cursor::systemCursorOf(shown);
    current_ = known ? shown : cursor::kNoCursor;
    shownPicture_.reset();
    if (picture) shownPicture_ = *picture;
}

}  // namespace plat
