#pragma once
// The keys the editors act on. Editors receive the packed key record of engine/base/
// KeyRecord.h and read its fields through that header.
#include "engine/base/EngineTypes.h"
#include "engine/base/KeyRecord.h"

constexpr u8 kKeyBackspace = 8;
constexpr u8 kKeyReturn = 13;
constexpr u8 kKeyEnd = 35;
constexpr u8 kKeyHome = 36;
constexpr u8 kKeyLeft = 37;
constexpr u8 kKeyUp = 38;
constexpr u8 kKeyRight = 39;
constexpr u8 kKeyDown = 40;
constexpr u8 kKeyDelete = 46;

// The packed record of a key typed with no modifier held and no repeat.
constexpr u32 keyWord(u8 virtualKey, u8 character) { return u32(virtualKey) | (u32(character) << 16); }

// Characters that show a glyph in cp1252: the ASCII ones from the blank to '~' and the
// upper half but for its five unassigned codes.
constexpr bool charIsPrintable(u8 c) {
    if (c < 0x20 || c == 0x7F) return false;
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}
