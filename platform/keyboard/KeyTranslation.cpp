#include "platform/keyboard/KeyTranslation.h"

#include "platform/keyboard/VirtualKeys.h"

namespace plat {
namespace {

struct Punctuation {
    uint8_t key;
    char plain;
    char shifted;
};

constexpr Punctuation kPunctuation[] = {
    {kVkSemicolon, ';', ':'}, {kVkEquals, '=', '+'},       {kVkComma, ',', '<'},
    {kVkMinus, '-', '_'},     {kVkPeriod, '.', '>'},       {kVkSlash, '/', '?'},
    {kVkBackquote, '`', '~'}, {kVkLeftBracket, '[', '{'},  {kVkBackslash, '\\', '|'},
    {kVkRightBracket, ']', '}'}, {kVkQuote, '\'', '"'},
};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

std::optional<uint8_t> plainCharacter(uint8_t key, bool shift, bool capsLock) {
    if (key >= 'A' && key <= 'Z') return uint8_t(shift != capsLock ? key : key + ('a' - 'A'));
    if (key >= '0' && key <= '9') return uint8_t(shift ? kShiftedDigits[key - '0'] : key);
    if (key >= kVkNumpad0 && key <= kVkNumpad9) return uint8_t('0' + (key - kVkNumpad0));
    for (const Punctuation& p : kPunctuation) {
        if (p.key == key) return uint8_t(shift ? p.shifted : p.plain);
    }
    switch (key) {
        case kVkBack: return uint8_t(8);
        case kVkTab: return uint8_t(9);
        case kVkReturn: return uint8_t(13);
        case kVkEscape: return uint8_t(27);
        case kVkSpace: return uint8_t(' ');
        case kVkMultiply: return uint8_t('*');
        case kVkAdd: return uint8_t('+');
        case kVkSubtract: return uint8_t('-');
        case kVkDecimal: return uint8_t('.');
        case kVkDivide: return uint8_t('/');
        default: return std::nullopt;
    }
}

std::optional<uint8_t> controlCharacter(uint8_t key) {
    if (key >= 'A' && key <= 'Z') return uint8_t(key - 'A' + 1);
    switch (key) {
        case kVkLeftBracket: return uint8_t(27);
        case kVkBackslash: return uint8_t(28);
        case kVkRightBracket: return uint8_t(29);
        case kVkReturn: return uint8_t(10);
        case kVkBack: return uint8_t(127);
        case kVkEscape: return uint8_t(27);
        case kVkSpace: return uint8_t(' ');
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<uint8_t> translateKey(uint8_t virtualKey, const KeyboardState& state) {
    bool control = state.isDown(kVkControl);
    if (control && state.isDown(kVkAlt)) return std::nullopt;
    if (control) return controlCharacter(virtualKey);
    return plainCharacter(virtualKey, state.isDown(kVkShift), state.isToggled(kVkCapsLock));
}

}  // namespace plat
