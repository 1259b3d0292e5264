#include "engine/base/KeyRecord.h"

#include "platform/keyboard/KeyTranslation.h"
#include "platform/keyboard/VirtualKeys.h"

u32 Bytes4ToLong(const KeyRecord& record) {
    return u32(record.virtualKey) | (u32(record.modifiers) << 8) | (u32(record.character) << 16) |
           (u32(record.repeatMinusOne) << 24);
}

KeyRecord Bytes4FromLong(u32 packed) {
    return KeyRecord{u8(packed), u8(packed >> 8), u8(packed >> 16), u8(packed >> 24)};
}

void Bytes4Clear(KeyRecord& record) { record = KeyRecord{}; }

void osmKeyToChar(KeyRecord* record, u8 virtualKey, uintptr_t keyData) {
    const plat::KeyboardState& keyboard = plat::keyboardState();
    Bytes4Clear(*record);
    bool alt = keyboard.isDown(plat::kVkAlt);
    record->modifiers = u8((keyboard.isDown(plat::kVkControl) ? kKeyModControl : 0) | (alt ? kKeyModAlt : 0) |
                           (keyboard.isDown(plat::kVkShift) ? kKeyModShift : 0));
    bool modifierKey = virtualKey >= plat::kVkShift && virtualKey <= plat::kVkAlt;
    if (modifierKey) return;
    record->virtualKey = virtualKey;
    if (!alt) record->character = plat::translateKey(virtualKey, keyboard).value_or(0);
    u32 repeat = u32(keyData & 0xFFFF);
    record->repeatMinusOne = repeat >= 256 ? 255 : u8(repeat - 1);
}
