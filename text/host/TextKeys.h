#pragma once
// Key words as the editors receive them: the low byte is the virtual key, bits 16-23 the
// character it typed.
#include "engine/base/EngineTypes.h"

constexpr u8 kKeyBackspace = 8;
constexpr u8 kKeyReturn = 13;
constexpr u8 kKeyEnd = 35;
constexpr u8 kKeyHome = 36;
constexpr u8 kKeyLeft = 37;
constexpr u8 kKeyUp = 38;
constexpr u8 kKeyRight = 39;
constexpr u8 kKeyDown = 40;
constexpr u8 kKeyDelete = 46;

constexpr u8 keyVirtual(u32 key) { return u8(key); }
constexpr u8 keyChar(u32 key) { return u8(key >> 16); }
constexpr u32 keyWord(u8 virtualKey, u8 character) { return u32(virtualKey) | (u32(character) << 16); }

// Characters that show a glyph in cp1252: the ASCII ones from the blank to '~' and the
// upper half but for its five unassigned codes.
constexpr bool charIsPrintable(u8 c) {
    if (c < 0x20 || c == 0x7F) return false;
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}
