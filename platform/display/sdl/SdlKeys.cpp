#include "platform/display/sdl/SdlKeys.h"

#include "platform/keyboard/VirtualKeys.h"

namespace plat {

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
