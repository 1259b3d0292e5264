#pragma once
// Key records as the main window hands them to the input objects: a character typed on its
// own key (the key's virtual key with it), a key with the character it types (Return 13,
// Backspace 8) or none (an arrow, Delete), and a character with no key behind it (what an
// input method or a dead key composed).
#include <cctype>

#include "engine/base/KeyRecord.h"

namespace testkeys {

inline u32 typedKey(u8 character) {
    const bool ownKey = character < 0x80 && (std::isalnum(character) || character == ' ');
    const u8 vk = ownKey ? u8(std::toupper(character)) : u8(0);
    return Bytes4ToLong(KeyRecord{vk, 0, character, 0});
}

inline u32 pressedKey(u8 virtualKey, u8 character = 0) { return Bytes4ToLong(KeyRecord{virtualKey, 0, character, 0}); }

// The keys that type a control character of their own.
inline u32 returnKey() { return pressedKey(13, 13); }
inline u32 backspaceKey() { return pressedKey(8, 8); }
inline u32 escapeKey() { return pressedKey(27, 27); }
inline u32 tabKey() { return pressedKey(9, 9); }

inline u32 composedKey(u8 character) { return Bytes4ToLong(KeyRecord{0, 0, character, 0}); }

// A letter with Control held, as for a shortcut: its control code as the character.
inline u32 controlKey(u8 letter) { return Bytes4ToLong(KeyRecord{letter, kKeyModControl, u8(letter - 'A' + 1), 0}); }

}  // namespace testkeys
