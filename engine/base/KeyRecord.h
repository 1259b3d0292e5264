#pragma once
// The key record the framework builds from each key message and passes, packed into 32 bits
// with the virtual key lowest, to key-down and key-up handlers. Built on the user-interface
// thread, which owns the keyboard state it reads.
#include <cstdint>
#include <optional>

#include "engine/base/EngineTypes.h"

struct KeyRecord {
    u8 virtualKey;  // 0 for Shift, Control and Alt themselves
    u8 modifiers;   // kKeyModControl | kKeyModAlt | kKeyModShift
    u8 character;   // 0 when Alt is down or the key types none
    u8 repeatMinusOne;
};

constexpr u8 kKeyModControl = 1;
constexpr u8 kKeyModAlt = 2;
constexpr u8 kKeyModShift = 4;

u32 Bytes4ToLong(const KeyRecord& record);
KeyRecord Bytes4FromLong(u32 packed);
void Bytes4Clear(KeyRecord& record);

// keyData is the key message's parameter: the repeat count in bits 0-15. The key's character
// is the one the keyboard state gives the key on the US layout, unless `typed` says what the
// desktop's layout typed with it (0: nothing).
void osmKeyToChar(KeyRecord* record, u8 virtualKey, uintptr_t keyData, std::optional<u8> typed = std::nullopt);
// A character typed with no key of its own behind it (a composition, an input method's text):
// no virtual key, the modifiers held, and the character even under Alt (the layout's AltGr).
KeyRecord typedKeyRecord(u8 character);

constexpr u8 keyRecordVirtualKey(u32 packed) { return u8(packed); }
constexpr u8 keyRecordModifiers(u32 packed) { return u8(packed >> 8); }
constexpr u8 keyRecordCharacter(u32 packed) { return u8(packed >> 16); }
