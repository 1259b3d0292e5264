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

namespace {

u8 heldModifiers(const plat::KeyboardState& keyboard) {
    return u8((keyboard.isDown(plat::kVkControl) ? kKeyModControl : 0) | (keyboard.isDown(plat::kVkAlt) ? kKeyModAlt : 0) |
              (keyboard.isDown(plat::kVkShift) ? kKeyModShift : 0));
}

}  // namespace

void osmKeyToChar(KeyRecord* record, u8 virtualKey, uintptr_t keyData, std::optional<u8> typed) {
    const plat::KeyboardState& keyboard = plat::keyboardState();
    Bytes4Clear(*record);
    record->modifiers = heldModifiers(keyboard);
    bool modifierKey = virtualKey >= plat::kVkShift && virtualKey <= plat::kVkAlt;
    if (modifierKey) return;
    record->virtualKey = virtualKey;
    if (!keyboard.isDown(plat::kVkAlt)) record->character = typed ? *typed : plat::translateKey(virtualKey, keyboard).value_or(0);
    u32 repeat = u32(keyData & 0xFFFF);
    record->repeatMinusOne = repeat >= 256 ? 255 : u8(repeat - 1);
}

KeyRecord typedKeyRecord(u8 character) { return KeyRecord{0, heldModifiers(plat::keyboardState()), character, 0}; }
