#include <gtest/gtest.h>

#include "DisplayTestSupport.h"
#include "platform/display/InputDelivery.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"

namespace plat {
namespace {

struct InputDeliveryTest : ::testing::Test, testing::HeadlessDisplayFixture {
    InputDeliveryTest() { keyboardState() = KeyboardState{}; }
    ~InputDeliveryTest() override { keyboardState() = KeyboardState{}; }

    void key(uint8_t vk, bool down, uint8_t scan = 0) {
        InputEvent e;
        e.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        e.virtualKey = vk;
        e.scanCode = scan;
        display.script(window, e);
    }
    void mouse(InputEvent::Kind kind, MouseButton button, int32_t x, int32_t y) {
        InputEvent e;
        e.kind = kind;
        e.button = button;
        e.position = {x, y};
        display.script(window, e);
    }
};

TEST_F(InputDeliveryTest, LetterKeyGivesKeyDownCharacterAndKeyUp) {
    key('A', true, 0x1E);
    key('A', false, 0x1E);
    display.pumpEvents();
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, kMsgKeyDown);
    EXPECT_EQ(got[0].wParam, uintptr_t('A'));
    EXPECT_EQ(got[0].lParam, 1 | (0x1E << 16));
    EXPECT_EQ(got[1].message, kMsgChar);
    EXPECT_EQ(got[1].wParam, uintptr_t('a'));
    EXPECT_EQ(got[2].message, kMsgKeyUp);
    EXPECT_EQ(uint32_t(got[2].lParam) >> 30, 3u) << "released, and was down";
}

TEST_F(InputDeliveryTest, ShiftAndCapsLockChangeTheCharacter) {
    key(kVkShift, true);
    key('7', true);
    key(kVkShift, false);
    key(kVkCapsLock, true);
    key(kVkCapsLock, false);
    key('Q', true);
    display.pumpEvents();
    std::vector<uintptr_t> chars;
    for (const Message& m : drain())
        if (m.message == kMsgChar) chars.push_back(m.wParam);
    EXPECT_EQ(chars, (std::vector<uintptr_t>{'&', 'Q'}));
    EXPECT_TRUE(keyboardState().isToggled(kVkCapsLock));
}

TEST_F(InputDeliveryTest, HeldKeyRepeatsWithThePreviousStateBit) {
    key(kVkLeft, true);
    key(kVkLeft, true);
    display.pumpEvents();
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 2u) << "arrows type no character";
    EXPECT_EQ(got[0].lParam & (intptr_t(1) << 30), 0);
    EXPECT_NE(got[1].lParam & (intptr_t(1) << 30), 0);
}

TEST_F(InputDeliveryTest, AltMakesSystemKeys) {
    key(kVkAlt, true);
    key('F', true);
    display.pumpEvents();
    std::vector<Message> got = drain();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[0].message, kMsgSysKeyDown);
    EXPECT_EQ(got[1].message, kMsgSysKeyDown);
    EXPECT_NE(got[1].lParam & (intptr_t(1) << 29), 0);
    for (const Message& m : got) EXPECT_NE(m.message, kMsgChar);
}

TEST_F(InputDeliveryTest, MouseMessagesCarryButtonsModifiersAndPosition) {
    key(kVkControl, true);
    mouse(InputEvent::Kind::MouseDown, MouseButton::Left, 5, 7);
    mouse(InputEvent::Kind::MouseMove, MouseButton::Left, -3, 9);
    mouse(InputEvent::Kind::MouseUp, MouseButton::Left, 6, 9);
    mouse(InputEvent::Kind::MouseDoubleClick, MouseButton::Right, 1, 1);
    display.pumpEvents();
    std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[1].message, kMsgLButtonDown);
    EXPECT_EQ(got[1].wParam, kMouseLeftButton | kMouseControl);
    EXPECT_EQ(got[1].lParam, (7 << 16) | 5);
    EXPECT_EQ(got[2].message, kMsgMouseMove);
    EXPECT_EQ(got[2].wParam, kMouseLeftButton | kMouseControl);
    EXPECT_EQ(int16_t(got[2].lParam & 0xFFFF), -3) << "negative positions survive packing";
    EXPECT_EQ(got[3].message, kMsgLButtonUp);
    EXPECT_EQ(got[3].wParam, kMouseControl);
    EXPECT_EQ(got[4].message, kMsgRButtonDblClk);
    EXPECT_EQ(got[4].wParam, kMouseRightButton | kMouseControl);
    mouse(InputEvent::Kind::MouseUp, MouseButton::Right, 1, 1);
    display.pumpEvents();
}

}  // namespace
}  // namespace plat
