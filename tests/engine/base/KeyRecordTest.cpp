#include "engine/base/KeyRecord.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"

namespace {

// Presses the given keys for the length of a test.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<u8> keys) : keys_(keys) {
        for (u8 key : keys_) plat::keyboardState().setDown(key, true);
    }
    ~HeldKeys() {
        for (u8 key : keys_) plat::keyboardState().setDown(key, false);
    }

private:
    std::vector<u8> keys_;
};

KeyRecord keyToChar(u8 virtualKey, uintptr_t keyData = 1) {
    KeyRecord record{0xAA, 0xAA, 0xAA, 0xAA};
    osmKeyToChar(&record, virtualKey, keyData);
    return record;
}

TEST(KeyRecord, PacksWithVirtualKeyLowest) {
    KeyRecord record{13, kKeyModShift, 'x', 2};
    u32 packed = Bytes4ToLong(record);
    EXPECT_EQ(packed, 0x0278040Du);
    KeyRecord back = Bytes4FromLong(packed);
    EXPECT_EQ(Bytes4ToLong(back), packed);
    Bytes4Clear(back);
    EXPECT_EQ(Bytes4ToLong(back), 0u);
}

TEST(KeyRecord, ShiftAloneHasOnlyTheModifier) {
    HeldKeys keys{plat::kVkShift};
    EXPECT_EQ(Bytes4ToLong(keyToChar(plat::kVkShift, 5)), u32(kKeyModShift) << 8);
}

TEST(KeyRecord, LetterCarriesCharacterAndRepeat) {
    KeyRecord plain = keyToChar('A', 3);
    EXPECT_EQ(plain.virtualKey, 'A');
    EXPECT_EQ(plain.character, 'a');
    EXPECT_EQ(plain.modifiers, 0);
    EXPECT_EQ(plain.repeatMinusOne, 2);

    HeldKeys keys{plat::kVkShift};
    EXPECT_EQ(keyToChar('A').character, 'A');
}

TEST(KeyRecord, RepeatCountsOf256OrMoreSaturate) {
    EXPECT_EQ(keyToChar('A', 255).repeatMinusOne, 254);
    EXPECT_EQ(keyToChar('A', 256).repeatMinusOne, 255);
    // Bits above the count (scan code, flags) do not leak into it.
    EXPECT_EQ(keyToChar('A', 0x001E0002).repeatMinusOne, 1);
}

TEST(KeyRecord, AltSuppressesTheCharacter) {
    HeldKeys keys{plat::kVkAlt};
    KeyRecord record = keyToChar('F');
    EXPECT_EQ(record.virtualKey, 'F');
    EXPECT_EQ(record.modifiers, kKeyModAlt);
    EXPECT_EQ(record.character, 0);
}

TEST(KeyRecord, ControlLetterGivesControlCode) {
    HeldKeys keys{plat::kVkControl};
    KeyRecord record = keyToChar('C');
    EXPECT_EQ(record.modifiers, kKeyModControl);
    EXPECT_EQ(record.character, 3);
}

TEST(KeyRecord, KeyWithoutCharacterKeepsItsCode) {
    constexpr u8 kF1 = 0x70;
    KeyRecord record = keyToChar(kF1);
    EXPECT_EQ(record.virtualKey, kF1);
    EXPECT_EQ(record.character, 0);
}

}  // namespace
