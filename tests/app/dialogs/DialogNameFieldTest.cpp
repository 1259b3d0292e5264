// The name field's own rules: which keys type and which are keys, the alphabet a name is held
// to, and the name without its blanks.
#include "app/dialogs/DialogNameField.h"

#include <gtest/gtest.h>

#include <utility>

#include "framework/undo/UndoManager.h"
#include "platform/keyboard/KeyboardState.h"
#include "platform/keyboard/VirtualKeys.h"
#include "text/host/TextKeys.h"

namespace {

using namespace Ostrel;

// A byte that is also a key's code types its character unless that key is held.
TEST(DialogNameField, KeysAreKeysOnlyWhileHeld) {
    struct Case {
        u8 input;
        bool held;
        u32 word;
    };
    const Case cases[] = {
        {kKeyBackspace, false, keyWord(kKeyBackspace, 0)}, {kKeyReturn, false, keyWord(kKeyReturn, 0)},
        {'A', true, keyWord(0, 'A')},                      {'Z', true, keyWord(0, 'Z')},
        {'0', true, keyWord(0, '0')},                      {'9', true, keyWord(0, '9')},
        {' ', true, keyWord(0, ' ')},                      {'.', false, keyWord(0, '.')},
        {plat::kVkDelete, true, keyWord(plat::kVkDelete, 0)}, {'@', true, keyWord('@', 0)},
        {'[', true, keyWord('[', 0)},                      {'/', true, keyWord('/', 0)},
        {':', true, keyWord(':', 0)},
    };
    for (const Case& c : cases) {
        plat::keyboardState() = plat::KeyboardState{};
        plat::keyboardState().setDown(c.input, c.held);
        EXPECT_EQ(EditorKeyOf(c.input), c.word) << int(c.input) << (c.held ? " held" : "");
    }
    plat::keyboardState() = plat::KeyboardState{};
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
