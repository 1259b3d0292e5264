#include "platform/display/InputDelivery.h"

#include <thread>

#include "platform/charset/Conversion.h"
#include "platform/cursor/Cursors.h"
#include "platform/display/DisplayWindow.h"
#include "platform/keyboard/KeyTranslation.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

// Key message lParam bits.
constexpr intptr_t kKeyAltHeld = intptr_t(1) << 29;
constexpr intptr_t kKeyWasDown = intptr_t(1) << 30;
constexpr intptr_t kKeyReleased = intptr_t(1) << 31;

// What text brings: the control characters come from their keys, and the five bytes cp1252
// leaves unassigned stand for controls too.
bool isTypedCharacter(uint8_t c) {
    if (c < 0x20 || c == 0x7F) return false;
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

uintptr_t buttonBit(MouseButton button) {
    switch (button) {
        case MouseButton::Left: return kMouseLeftButton;
        case MouseButton::Right: return kMouseRightButton;
        case MouseButton::Middle: return kMouseMiddleButton;
    }
    return 0;
}

uintptr_t& buttonsDown() {
    static uintptr_t buttons = 0;
    return buttons;
}

uint32_t mouseMessage(InputEvent::Kind kind, MouseButton button) {
    uint32_t first = button == MouseButton::Left    ? kMsgLButtonDown
                     : button == MouseButton::Right ? kMsgRButtonDown
                                                    : kMsgMButtonDown;
    switch (kind) {
        case InputEvent::Kind::MouseDown: return first;
        case InputEvent::Kind::MouseUp: return first + 1;
        case InputEvent::Kind::MouseDoubleClick: return first + 2;
        default: return kMsgMouseMove;
    }
}

void deliverMouse(WindowHandle window, const InputEvent& event) {
    if (DisplayWindow* face = findDisplayWindow(window)) {
        gdi::Point origin = face->clientOrigin();
        cursor::setPointerPosition({origin.x + event.position.x, origin.y + event.position.y});
    }
    uintptr_t& buttons = buttonsDown();
    if (event.kind == InputEvent::Kind::MouseDown || event.kind == InputEvent::Kind::MouseDoubleClick)
        buttons |= buttonBit(event.button);
    else if (event.kind == InputEvent::Kind::MouseUp)
        buttons &= ~buttonBit(event.button);
    const KeyboardState& keys = keyboardState();
    uintptr_t wParam = buttons | (keys.isDown(kVkShift) ? kMouseShift : 0) | (keys.isDown(kVkControl) ? kMouseControl : 0);
    postMessage(window, mouseMessage(event.kind, event.button), wParam, packMousePosition(event.position));
}

void deliverKey(WindowHandle window, const InputEvent& event) {
    KeyboardState& keys = keyboardState();
    bool down = event.kind == InputEvent::Kind::KeyDown;
    bool wasDown = keys.isDown(event.virtualKey);
    if (down && !wasDown && event.virtualKey == kVkCapsLock) keys.setToggled(kVkCapsLock, !keys.isToggled(kVkCapsLock));
    keys.setDown(event.virtualKey, down);

    bool alt = keys.isDown(kVkAlt);
    bool system = (alt && !keys.isDown(kVkControl)) || event.virtualKey == kVkF10;
    intptr_t lParam = 1 | (intptr_t(event.scanCode) << 16) | (alt ? kKeyAltHeld : 0);
    if (!down) lParam |= kKeyWasDown | kKeyReleased;
    else if (wasDown) lParam |= kKeyWasDown;

    uint32_t message = down ? (system ? kMsgSysKeyDown : kMsgKeyDown) : (system ? kMsgSysKeyUp : kMsgKeyUp);
    postMessage(window, message, event.virtualKey, lParam);
    if (!down) return;
    std::optional<uint8_t> typed = translateKey(event.virtualKey, keys);
    if (typed && event.textFollows && isTypedCharacter(*typed)) typed.reset();
    if (typed) postMessage(window, system ? kMsgSysChar : kMsgChar, *typed, lParam);
}

// Each character of the text, as the key that typed it would have: a character message with
// a repeat count of 1 and no key behind it.
void deliverText(WindowHandle window, const InputEvent& event) {
    for (char c : typedUtf8ToCp1252(event.text))
        if (isTypedCharacter(uint8_t(c))) postMessage(window, kMsgChar, uint8_t(c), 1);
}

void deliverQuitRequest() {
    bool closing = false;
    for (WindowHandle window : threadWindows(std::this_thread::get_id()))
        if (findDisplayWindow(window)) closing = postMessage(window, kMsgClose, 0, 0) || closing;
    if (!closing) postQuitMessage(0);
}

}  // namespace

uintptr_t mouseButtonsDown() { return buttonsDown(); }

intptr_t packMousePosition(gdi::Point position) {
    return intptr_t(uint16_t(int16_t(position.x))) | (intptr_t(uint16_t(int16_t(position.y))) << 16);
}

void deliverInput(WindowHandle window, const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp: deliverKey(window, event); return;
        case InputEvent::Kind::Text: deliverText(window, event); return;
        case InputEvent::Kind::Quit: deliverQuitRequest(); return;
        default: deliverMouse(window, event); return;
    }
}

}  // namespace plat
