#include "framework/dialogs/mfxDialogHost.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprStill.h"
#include "framework/input/RHotSpotList.h"
#include "framework/windows/mfxWindow.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/DisplayWindow.h"
#include "platform/display/QuitSignals.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

bool isInput(uint32_t message) {
    return (message >= plat::kMsgKeyDown && message <= plat::kMsgSysChar) ||
           (message >= plat::kMsgMouseMove && message <= plat::kMsgMButtonDblClk);
}

plat::gdi::Point mousePoint(intptr_t lParam) {
    return {int16_t(uint16_t(lParam & 0xFFFF)), int16_t(uint16_t((lParam >> 16) & 0xFFFF))};
}

// Offers a message to its framework window first, as the program's loop does (the menu bar
// draws itself over the window's paint there), then dispatches it.
void deliver(const plat::Message& message) {
    for (mfxWindow* window : mfxWindow::Windows()) {
        if (window->GetHandle() == message.window && window->PreTranslateMessage(message)) return;
    }
    plat::dispatchMessage(message);
}

}  // namespace

mfxDialogHost::mfxDialogHost(plat::WindowHandle window, plat::widgets::DialogBox& box) : window_(window), box_(box) {
    if (plat::DisplayWindow* face = plat::findDisplayWindow(window_)) box_.placeIn(face->clientRect());
    box_.setRepaint([this](const plat::gdi::Rect&) { dirty_ = true; });
}

mfxDialogHost::~mfxDialogHost() {
    Hide();
    box_.setRepaint(nullptr);
}

void mfxDialogHost::Show() {
    if (!shown_) {
        // What the pointer left (a tip, a lit button) goes before the box comes: a box opened
        // from the program's own idle step sees no further screen update until it ends.
        Ostrel::RHotSpotList::LeaveAll();
        sprUpdateScreen(1);
        ++shownCount_;
        // The page under the box stands still while the box is up: an update would copy its
        // sprites (a playing animation, an edit frame) over the box. Exposures still show the
        // page as it was composed last, and the box is drawn again over them.
        still_.Hold();
    }
    shown_ = true;
    Draw();
}

void mfxDialogHost::Hide() {
    if (!shown_) return;
    shown_ = false;
    --shownCount_;
    // What changed under the box is drawn by the next update; the box's own rectangle is
    // painted again from the page now.
    still_.Release();
    if (plat::DisplayWindow* face = plat::findDisplayWindow(window_)) face->invalidate(box_.frameRect());
}

void mfxDialogHost::Draw() {
    dirty_ = false;
    plat::DisplayWindow* face = plat::findDisplayWindow(window_);
    if (!shown_ || !face) return;
    {
        auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
        box_.draw(*dc);
    }
    if (afterDraw_) afterDraw_();
    face->present(box_.frameRect());
}

void mfxDialogHost::Route(const plat::Message& message) {
    switch (message.message) {
    case plat::kMsgKeyDown:
    case plat::kMsgSysKeyDown:
        if (message.wParam == plat::kVkShift) shift_ = true;
        box_.keyDown(uint8_t(message.wParam), shift_);
        break;
    case plat::kMsgKeyUp:
    case plat::kMsgSysKeyUp:
        if (message.wParam == plat::kVkShift) shift_ = false;
        break;
    case plat::kMsgChar:
        box_.character(uint8_t(message.wParam));
        break;
    case plat::kMsgLButtonDown:
    case plat::kMsgLButtonDblClk:
        box_.mouseDown(mousePoint(message.lParam), message.message == plat::kMsgLButtonDblClk);
        break;
    case plat::kMsgLButtonUp:
        box_.mouseUp(mousePoint(message.lParam));
        break;
    default:
        break;
    }
}

bool mfxDialogHost::Pump(const std::function<bool()>& done) {
    // Without a window nothing can reach the box: waiting would never end.
    if (window_ == plat::kNoWindow) return done();
    // Asked of the driver in use, not of the start-up choice: a test may drive a real display
    // from a headless run, and only the headless driver's input can run out for good.
    const bool headless = plat::displayDriver().name() == "headless";
    for (;;) {
        if (dirty_) Draw();
        if (done()) return true;
        // The program is ending for a signal: nobody will answer the box.
        if (plat::quitSignalEnding()) {
            interrupted_ = true;
            return false;
        }
        // Something the loop delivered destroyed the window: no input can reach the box now.
        if (!plat::isWindow(window_)) return false;
        plat::Message message;
        if (!plat::peekMessage(message, true)) {
            plat::displayDriver().pumpEvents();
            if (plat::peekMessage(message, false) || plat::quitSignalEnding()) continue;
            if (headless) return false;
            plat::waitForMessage();
            continue;
        }
        if (message.message == plat::kMsgQuit) {
            plat::postQuitMessage(int(message.wParam));
            interrupted_ = true;
            return false;
        }
        if (isInput(message.message)) {
            for (mfxWindow* window : mfxWindow::Windows())
                if (window->GetHandle() == message.window) window->NoteModifiers(message);
            if (message.window == window_ && shown_) Route(message);
            continue;
        }
        // A close of the window under the box (its close box, the desktop's quit or a caught
        // quit signal) ends the box unanswered; the window hears it again once the box is
        // gone, so the program's own quit runs from its loop, never under the box.
        if (message.message == plat::kMsgClose && message.window == window_) {
            plat::postMessage(window_, plat::kMsgClose, message.wParam, message.lParam);
            interrupted_ = true;
            return false;
        }
        deliver(message);
        if (message.message == plat::kMsgPaint && message.window == window_) Draw();
    }
}
