#include "platform/display/sdl/SdlKeys.h"

#include <iterator>

#include "platform/keyboard/VirtualKeys.h"

namespace plat {

namespace {

// Set 1 codes of the keys up to the keypad's full stop, by SDL scan code (the USB usage).
constexpr uint8_t kSetOneByScancode[SDL_SCANCODE_KP_PERIOD + 1] = {
    0,    0,    0,    0,                                                              // none
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,     // A-M
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,     // N-Z
    0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,                       // 1-0
    0x1C, 0x01, 0x0E, 0x0F, 0x39,                                                     // Return Escape Backspace Tab Space
    0x0C, 0x0D, 0x1A, 0x1B, 0x2B, 0x2B, 0x27, 0x28, 0x29, 0x33, 0x34, 0x35,           // - = [ ] \ # ; ' ` , . /
    0x3A,                                                                             // Caps Lock
    0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58,           // F1-F12
    0,    0x46, 0,                                                                    // Print Screen, Scroll Lock, Pause
    0x52, 0x47, 0x49, 0x53, 0x4F, 0x51,                                               // Insert Home PgUp Delete End PgDn
    0x4D, 0x4B, 0x50, 0x48,                                                           // Right Left Down Up
    0x45, 0x35, 0x37, 0x4A, 0x4E, 0x1C,                                               // Num Lock, keypad / * - + Enter
    0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x52, 0x53,                 // keypad 1-9 0 .
};

}  // namespace

uint8_t setOneScanCodeOf(SDL_Scancode scancode) {
    if (static_cast<unsigned>(scancode) < std::size(kSetOneByScancode)) return kSetOneByScancode[scancode];
    switch (scancode) {
        case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return 0x1D;
        case SDL_SCANCODE_LSHIFT: return 0x2A;
        case SDL_SCANCODE_RSHIFT: return 0x36;
        case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return 0x38;
        default: return 0;
    }
}

uint32_t xKeyCodeOf(SDL_Scancode scancode) {
    constexpr uint32_t kSetOneToX = 8;
    switch (scancode) {
        case SDL_SCANCODE_KP_DIVIDE: return 98 + kSetOneToX;
        case SDL_SCANCODE_KP_ENTER: return 96 + kSetOneToX;
        case SDL_SCANCODE_NONUSBACKSLASH: return 0x56 + kSetOneToX;
        default: break;
    }
    // These share their set 1 codes with the keypad's keys.
    if (scancode >= SDL_SCANCODE_INSERT && scancode <= SDL_SCANCODE_UP) return 0;
    const uint8_t code = setOneScanCodeOf(scancode);
    return code == 0 ? 0 : code + kSetOneToX;
}

uint8_t virtualKeyOfScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return uint8_t('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return uint8_t('1' + (scancode - SDL_SCANCODE_1));
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return uint8_t(kVkF1 + (scancode - SDL_SCANCODE_F1));
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return uint8_t(kVkNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1));
    switch (scancode) {
        case SDL_SCANCODE_0: return '0';
        case SDL_SCANCODE_KP_0: return kVkNumpad0;
        case SDL_SCANCODE_RETURN: case SDL_SCANCODE_KP_ENTER: return kVkReturn;
        case SDL_SCANCODE_ESCAPE: return kVkEscape;
        case SDL_SCANCODE_BACKSPACE: return kVkBack;
        case SDL_SCANCODE_TAB: return kVkTab;
        case SDL_SCANCODE_SPACE: return kVkSpace;
        case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return kVkShift;
        case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return kVkControl;
        case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return kVkAlt;
        case SDL_SCANCODE_CAPSLOCK: return kVkCapsLock;
        case SDL_SCANCODE_NUMLOCKCLEAR: return kVkNumLock;
        case SDL_SCANCODE_PAGEUP: return kVkPageUp;
        case SDL_SCANCODE_PAGEDOWN: return kVkPageDown;
        case SDL_SCANCODE_END: return kVkEnd;
        case SDL_SCANCODE_HOME: return kVkHome;
        case SDL_SCANCODE_LEFT: return kVkLeft;
        case SDL_SCANCODE_UP: return kVkUp;
        case SDL_SCANCODE_RIGHT: return kVkRight;
        case SDL_SCANCODE_DOWN: return kVkDown;
        case SDL_SCANCODE_INSERT: return kVkInsert;
        case SDL_SCANCODE_DELETE: return kVkDelete;
        case SDL_SCANCODE_KP_MULTIPLY: return kVkMultiply;
        case SDL_SCANCODE_KP_PLUS: return kVkAdd;
        case SDL_SCANCODE_KP_MINUS: return kVkSubtract;
        case SDL_SCANCODE_KP_PERIOD: return kVkDecimal;
        case SDL_SCANCODE_KP_DIVIDE: return kVkDivide;
        case SDL_SCANCODE_SEMICOLON: return kVkSemicolon;
        case SDL_SCANCODE_EQUALS: return kVkEquals;
        case SDL_SCANCODE_COMMA: return kVkComma;
        case SDL_SCANCODE_MINUS: return kVkMinus;
        case SDL_SCANCODE_PERIOD: return kVkPeriod;
        case SDL_SCANCODE_SLASH: return kVkSlash;
        case SDL_SCANCODE_GRAVE: return kVkBackquote;
        case SDL_SCANCODE_LEFTBRACKET: return kVkLeftBracket;
        case SDL_SCANCODE_BACKSLASH: return kVkBackslash;
        case SDL_SCANCODE_RIGHTBRACKET: return kVkRightBracket;
        case SDL_SCANCODE_APOSTROPHE: return kVkQuote;
        default: return 0;
    }
}

}  // namespace plat
