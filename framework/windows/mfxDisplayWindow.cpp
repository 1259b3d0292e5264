#include "framework/windows/mfxDisplayWindow.h"

#include "engine/base/KeyRecord.h"
#include "framework/input/RInputObject.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/DisplayWindow.h"
#include "platform/ui/MessageQueue.h"

namespace {

Point16 pointOf(intptr_t lParam) {
    return Point16{i16(int16_t(uint16_t(lParam & 0xFFFF))), i16(int16_t(uint16_t((lParam >> 16) & 0xFFFF)))};
}

u8 scanCodeOf(intptr_t lParam) { return u8((lParam >> 16) & 0xFF); }

// A key that types a character is followed in the queue by its character message: the two
// reach the hooks as one key.
bool characterFollows(plat::WindowHandle window) {
    plat::Message next;
    return plat::peekMessage(next, false) && next.window == window && next.message == plat::kMsgChar;
}

}  // namespace

mfxDisplayWindow::mfxDisplayWindow(const std::string& title, const Rect16& rect, i16 menuBand)
    : mfxWindow(kMfxDisplayWindowClass, title), rect_(rect), menuBand_(menuBand < 0 ? i16(0) : menuBand) {
    if (GetHandle())
        face_ = plat::displayDriver().openWindow(GetHandle(), title, rect.right - rect.left,
                                                 rect.bottom - rect.top + menuBand_);
}

Rect16 mfxDisplayWindow::ContentRect() const {
    return Rect16{0, menuBand_, i16(rect_.right - rect_.left), i16(menuBand_ + rect_.bottom - rect_.top)};
}

Point16 mfxDisplayWindow::ContentPoint(intptr_t lParam) const {
    Point16 point = pointOf(lParam);
    point.v = i16(point.v - menuBand_);
    return point;
}

mfxDisplayWindow::~mfxDisplayWindow() { face_.reset(); }

intptr_t mfxDisplayWindow::WindowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case plat::kMsgLButtonDown:
        case plat::kMsgLButtonDblClk:
            return intptr_t(OnMouseDown(ContentPoint(lParam), u32(wParam)));
        case plat::kMsgLButtonUp:
            return intptr_t(OnMouseUp(ContentPoint(lParam), u32(wParam)));
        case plat::kMsgMouseMove:
            return intptr_t(OnMouseMove(ContentPoint(lParam), u32(wParam)));
        case plat::kMsgKeyDown: {
            pendingKey_.reset();
            if (characterFollows(GetHandle())) {
                pendingKey_ = PendingKey{u8(wParam), lParam};
                return 0;
            }
            KeyRecord record{};
            osmKeyToChar(&record, u8(wParam), uintptr_t(lParam), u8(0));
            return intptr_t(OnKeyDown(Bytes4ToLong(record), scanCodeOf(lParam)));
        }
        case plat::kMsgChar: {
            KeyRecord record = typedKeyRecord(u8(wParam));
            u8 scanCode = 0;
            if (pendingKey_) {
                osmKeyToChar(&record, pendingKey_->virtualKey, uintptr_t(pendingKey_->keyData), u8(wParam));
                scanCode = scanCodeOf(pendingKey_->keyData);
                pendingKey_.reset();
            }
            return intptr_t(OnKeyDown(Bytes4ToLong(record), scanCode));
        }
        case plat::kMsgKeyUp: {
            pendingKey_.reset();
            KeyRecord record{};
            osmKeyToChar(&record, u8(wParam), uintptr_t(lParam), u8(0));
            return intptr_t(OnKeyUp(Bytes4ToLong(record)));
        }
        case plat::kMsgActivate:
            // Another start of the program asked for this window.
            if (wParam != 0 && face_) face_->bringToFront();
            return 0;
        case plat::kMsgActivateApp:
            OnActivate(wParam != 0 ? 1 : 0);
            return 0;
    }
    return mfxWindow::WindowProc(message, wParam, lParam);
}

void mfxDisplayWindow::OnPaint() {
    if (face_) face_->validate(face_->clientRect());
}

void mfxDisplayWindow::OnTick(u32 now) { router_.Tick(now); }

u32 mfxDisplayWindow::OnMouseDown(Point16 point, u32 buttons) { return router_.MouseDown(point, buttons); }
u32 mfxDisplayWindow::OnMouseUp(Point16 point, u32 buttons) { return router_.MouseUp(point, buttons); }
u32 mfxDisplayWindow::OnMouseMove(Point16 point, u32 buttons) { return router_.MouseMove(point, buttons); }
u32 mfxDisplayWindow::OnKeyDown(u32 key, u8) { return router_.KeyDown(key); }
u32 mfxDisplayWindow::OnKeyUp(u32 key) { return router_.KeyUp(key); }
void mfxDisplayWindow::OnActivate(u32 state) { router_.Activation(state); }

void mfxDisplayWindow::OnDestroyed() { face_.reset(); }
