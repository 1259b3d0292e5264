#pragma once
// The virtual-key codes the program compares and stores in its key records. Letters and
// digits are their own upper-case ASCII codes ('A', '7').
#include <cstdint>

namespace plat {

constexpr uint8_t kVkBack = 0x08;
constexpr uint8_t kVkTab = 0x09;
constexpr uint8_t kVkReturn = 0x0D;
constexpr uint8_t kVkShift = 0x10;
constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkAlt = 0x12;
constexpr uint8_t kVkCapsLock = 0x14;
constexpr uint8_t kVkEscape = 0x1B;
constexpr uint8_t kVkSpace = 0x20;
constexpr uint8_t kVkNumpad0 = 0x60;
constexpr uint8_t kVkNumpad9 = 0x69;
constexpr uint8_t kVkMultiply = 0x6A;
constexpr uint8_t kVkAdd = 0x6B;
constexpr uint8_t kVkSubtract = 0x6D;
constexpr uint8_t kVkDecimal = 0x6E;
constexpr uint8_t kVkDivide = 0x6F;
constexpr uint8_t kVkNumLock = 0x90;
// Punctuation keys of the US layout, named by their unshifted character.
constexpr uint8_t kVkSemicolon = 0xBA;
constexpr uint8_t kVkEquals = 0xBB;
constexpr uint8_t kVkComma = 0xBC;
constexpr uint8_t kVkMinus = 0xBD;
constexpr uint8_t kVkPeriod = 0xBE;
constexpr uint8_t kVkSlash = 0xBF;
constexpr uint8_t kVkBackquote = 0xC0;
constexpr uint8_t kVkLeftBracket = 0xDB;
constexpr uint8_t kVkBackslash = 0xDC;
constexpr uint8_t kVkRightBracket = 0xDD;
constexpr uint8_t kVkQuote = 0xDE;

}  // namespace plat
