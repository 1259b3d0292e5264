#pragma once
// The key record the framework builds from each key message and passes, packed into 32 bits
// with the virtual key lowest, to key-down and key-up handlers. Built on the user-interface
// thread, which owns the keyboard state it reads.
#include <cstdint>

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

// keyData is the key message's parameter: the repeat count in bits 0-15.
void osmKeyToChar(KeyRecord* record, u8 virtualKey, uintptr_t keyData);
