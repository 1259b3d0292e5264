#include "platform/keyboard/KeyTranslation.h"

#include <gtest/gtest.h>

#include "platform/keyboard/VirtualKeys.h"

namespace {

plat::KeyboardState withKeys(std::initializer_list<uint8_t> down, bool capsLock = false) {
    plat::KeyboardState state;
    for (uint8_t key : down) state.setDown(key, true);
    state.setToggled(plat::kVkCapsLock, capsLock);
    return state;
}

// The character typed, or -1 for none.
int typed(uint8_t key, const plat::KeyboardState& state) {
    std::optional<uint8_t> character = plat::translateKey(key, state);
    return character ? int(*character) : -1;
}

TEST(KeyTranslation, ShiftAndCapsLockChooseLetterCase) {
    EXPECT_EQ(typed('Q', withKeys({})), 'q');
    EXPECT_EQ(typed('Q', withKeys({plat::kVkShift})), 'Q');
    EXPECT_EQ(typed('Q', withKeys({}, true)), 'Q');
    EXPECT_EQ(typed('Q', withKeys({plat::kVkShift}, true)), 'q');
    // Caps Lock does not shift digits.
    EXPECT_EQ(typed('1', withKeys({}, true)), '1');
}

TEST(KeyTranslation, UsLayoutDigitsAndPunctuation) {
    auto shift = withKeys({plat::kVkShift});
    EXPECT_EQ(typed('2', shift), '@');
    EXPECT_EQ(typed('0', shift), ')');
    EXPECT_EQ(typed(plat::kVkSemicolon, withKeys({})), ';');
    EXPECT_EQ(typed(plat::kVkQuote, shift), '"');
    EXPECT_EQ(typed(plat::kVkBackslash, shift), '|');
    EXPECT_EQ(typed(plat::kVkNumpad0 + 7, withKeys({})), '7');
    EXPECT_EQ(typed(plat::kVkReturn, shift), 13);
    EXPECT_EQ(typed(plat::kVkSpace, withKeys({})), ' ');
}

TEST(KeyTranslation, ControlGivesControlCodesOrNothing) {
    auto control = withKeys({plat::kVkControl});
    EXPECT_EQ(typed('A', control), 1);
    EXPECT_EQ(typed('Z', control), 26);
    EXPECT_EQ(typed(plat::kVkLeftBracket, control), 27);
    EXPECT_EQ(typed(plat::kVkReturn, control), 10);
    EXPECT_EQ(typed('5', control), -1);
    EXPECT_EQ(typed('A', withKeys({plat::kVkControl, plat::kVkAlt})), -1);
}

TEST(KeyTranslation, KeysThatTypeNothing) {
    constexpr uint8_t kF5 = 0x74;
    constexpr uint8_t kLeftArrow = 0x25;
    EXPECT_EQ(typed(kF5, withKeys({})), -1);
    EXPECT_EQ(typed(kLeftArrow, withKeys({})), -1);
    EXPECT_EQ(typed(plat::kVkShift, withKeys({plat::kVkShift})), -1);
}

}  // namespace
