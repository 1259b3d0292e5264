#include "framework/menus/mfxMenuBar.h"

#include <algorithm>

#include "framework/menus/mfxMenuRecord.h"
#include "platform/display/DisplayWindow.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

plat::gdi::Point mousePoint(intptr_t lParam) {
    return {int16_t(uint16_t(lParam & 0xFFFF)), int16_t(uint16_t((lParam >> 16) & 0xFFFF))};
}

u16 modifierBit(u8 key) {
    switch (key) {
    case plat::kVkControl: return kAccelControl;
    case plat::kVkShift: return kAccelShift;
    case plat::kVkAlt: return kAccelAlt;
    default: return 0;
    }
}

}  // namespace

mfxMenuBar::mfxMenuBar(plat::WindowHandle window)
    : window_(window),
      bar_([this](uint16_t command) { Choose(command); }, [this](const plat::gdi::Rect& area) { Repaint(area); }) {
    if (plat::DisplayWindow* face = plat::findDisplayWindow(window_)) bar_.setWidth(face->clientRect().width());
}

mfxMenuBar::~mfxMenuBar() { SetMenu(nullptr); }

void mfxMenuBar::SetMenu(const mfxMenu* menu) {
    if (record_) std::erase(record_->bars, this);
    record_ = menu ? menu->record_ : nullptr;
    if (record_) record_->bars.push_back(this);
    bar_.setModel(record_ ? record_->model : nullptr);
    FollowPopups();
}

void mfxMenuBar::Redraw() {
    bar_.redraw();
    FollowPopups();
}

// The page's updates would paint its sprites (a text's caret, an edit frame, an animation)
// over an open popup: the page stands still while one is open, under every menu alike.
void mfxMenuBar::FollowPopups() {
    if (bar_.openDepth() > 0)
        still_.Hold();
    else
        still_.Release();
}

void mfxMenuBar::Repaint(const plat::gdi::Rect& area) {
    if (plat::DisplayWindow* face = plat::findDisplayWindow(window_)) face->invalidate(area);
}

void mfxMenuBar::Draw() {
    plat::DisplayWindow* face = plat::findDisplayWindow(window_);
    if (!face || !record_) return;
    auto dc = plat::gdi::DeviceContext::createForSurface(plat::gdi::ContextKind::Window, face->surface());
    bar_.draw(*dc);
    face->present(face->clientRect());
}

// The bar has closed: the page moves again before the command runs, which may wait on it.
void mfxMenuBar::Choose(u16 command) {
    FollowPopups();
    plat::sendMessage(window_, plat::kMsgCommand, command, 0);
}

bool mfxMenuBar::TranslateKey(u8 key) {
    const u16 modifiers = modifiers_;
    if ((modifiers & (kAccelControl | kAccelAlt)) == 0 || !record_) return false;
    plat::sendMessage(window_, plat::kMsgInitMenu, 0, 0);
    mfxMenu menu;
    menu.record_ = record_;
    const u16 command = menu.TranslateAccelerator(key, modifiers);
    if (command == 0) return false;
    bar_.close();
    Choose(command);
    return true;
}

void mfxMenuBar::NoteModifiers(const plat::Message& message) {
    if (message.window != window_) return;
    // The modifiers as the queue's own key messages left them: the keyboard state may already
    // be ahead of the message being handled.
    if (const u16 bit = modifierBit(u8(message.wParam)); bit != 0) {
        if (message.message == plat::kMsgKeyDown || message.message == plat::kMsgSysKeyDown) modifiers_ |= bit;
        if (message.message == plat::kMsgKeyUp || message.message == plat::kMsgSysKeyUp) modifiers_ &= u16(~bit);
    }
}

bool mfxMenuBar::PreTranslateMessage(const plat::Message& message) {
    const bool taken = Translate(message);
    FollowPopups();
    return taken;
}

bool mfxMenuBar::Translate(const plat::Message& message) {
    if (message.window != window_ || !record_) return false;
    NoteModifiers(message);
    switch (message.message) {
    case plat::kMsgKeyDown:
    case plat::kMsgSysKeyDown: {
        const u8 key = u8(message.wParam);
        // The character message that follows a key the bar took belongs to the bar too.
        const bool wasActive = bar_.active();
        swallowChar_ = wasActive ? bar_.keyDown(key) : TranslateKey(key) || bar_.keyDown(key);
        if (!wasActive && bar_.active()) plat::sendMessage(window_, plat::kMsgInitMenu, 0, 0);
        return swallowChar_;
    }
    case plat::kMsgKeyUp:
    case plat::kMsgSysKeyUp:
        // Alt released alone opens the bar; its press already asked for the states (TranslateKey).
        return bar_.keyUp(u8(message.wParam));
    case plat::kMsgChar:
    case plat::kMsgSysChar: {
        const bool taken = swallowChar_ || bar_.active();
        swallowChar_ = false;
        return taken;
    }
    case plat::kMsgLButtonDown:
    case plat::kMsgLButtonDblClk: {
        const plat::gdi::Point at = mousePoint(message.lParam);
        if (!bar_.active() && at.y < mfxMenuBarHeight) plat::sendMessage(window_, plat::kMsgInitMenu, 0, 0);
        return bar_.mouseDown(at);
    }
    case plat::kMsgMouseMove:
        return bar_.mouseMove(mousePoint(message.lParam));
    case plat::kMsgLButtonUp:
        return bar_.mouseUp(mousePoint(message.lParam));
    case plat::kMsgActivateApp:
        // The user went to another program: an open menu does not wait for their return.
        if (message.wParam == 0) bar_.close();
        return false;
    case plat::kMsgPaint:
        plat::dispatchMessage(message);
        Draw();
        return true;
    default:
        return false;
    }
}
