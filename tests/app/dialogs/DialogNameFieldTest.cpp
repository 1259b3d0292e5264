// The name field's own rules: which keys type and which are keys, the alphabet a name is held
// to, and the name without its blanks.
#include "app/dialogs/DialogNameField.h"

#include <gtest/gtest.h>

#include <utility>

#include "framework/undo/UndoManager.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/input/TestKeys.h"
#include "text/host/TextKeys.h"

namespace {

using namespace Ostrel;

// The key record tells a typed character from a key: a typed character outside the alphabet is
// refused, whatever key typed it (the '.' of the period key is no Delete); keys that type
// nothing, and control characters, are no mistake of the child's.
TEST(DialogNameField, TypedCharactersMeetTheAlphabetAndKeysPass) {
    UndoManager undo(1);
    DialogNameField field(undo);
    field.SetAlphabet("ab\xF1");
    struct Case {
        const char* name;
        u32 key;
        NameKey answer;
    };
    const Case cases[] = {
        {"a letter outside", testkeys::typedKey('c'), NameKey::Refused},
        {"the period key", testkeys::pressedKey(plat::kVkPeriod, '.'), NameKey::Refused},
        {"a composed letter outside", testkeys::composedKey(0xE9), NameKey::Refused},
        {"Shift", testkeys::pressedKey(plat::kVkShift), NameKey::Ignored},
        {"Tab", testkeys::tabKey(), NameKey::Ignored},
        {"Control and C", testkeys::controlKey('C'), NameKey::Ignored},
        {"F1", testkeys::pressedKey(plat::kVkF1), NameKey::Ignored},
    };
    for (const Case& c : cases) EXPECT_EQ(field.HandleKey(c.key), c.answer) << c.name;
}

TEST(DialogNameField, TheAlphabetHoldsTypedAndWholeNames) {
    UndoManager undo(1);
    DialogNameField field(undo);
    struct Case {
        const char* alphabet;
        u8 character;
        bool legal;
    };
    const Case cases[] = {{"", 'c', true},     {"", 0x1F, false},   {"", 0x7F, false},  {"", 0x81, false},
                          {"", 0xE9, true},    {"ab ", 'a', true},  {"ab ", ' ', true}, {"ab ", 'c', false},
                          {"ab ", 0x1F, false}};
    for (const Case& c : cases) {
        field.SetAlphabet(c.alphabet);
        EXPECT_EQ(field.IsLegal(c.character), c.legal) << "'" << c.alphabet << "' " << int(c.character);
    }
    field.SetAlphabet("ab ");
    EXPECT_TRUE(field.IsLegalName("ab ba"));
    EXPECT_TRUE(field.IsLegalName(""));
    EXPECT_FALSE(field.IsLegalName("abc"));
    EXPECT_FALSE(field.IsLegalName("cab"));
}

TEST(DialogNameField, TrimmedTextDropsTheBlanksAround) {
    UndoManager undo(1);
    DialogNameField field(undo);
    for (const auto& [text, trimmed] : {std::pair{"  My zoo  ", "My zoo"}, std::pair{"zoo", "zoo"}, std::pair{"   ", ""}}) {
        field.SetText(text);
        EXPECT_EQ(field.Text(), text);
        EXPECT_EQ(field.TrimmedText(), trimmed) << "'" << text << "'";
    }
}

}  // namespace
