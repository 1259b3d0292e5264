// What a child types with the desktop's own keyboard layout (a Spanish one: ñ, accents, ¿ and
// the dead keys' compositions) reaches every dialog field as the program's own letters, through
// the road the window's typed text takes; the Edit menu's keys cut, copy, paste and undo in
// a field while the dialog has the menus grayed.
#include <functional>
#include <memory>

#include "app/dialogs/RABCTextDlg.h"
#include "app/dialogs/RDlgEnterName.h"
#include "app/dialogs/RPronounceDlg.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

struct Typed {
    const char* utf8;
    const char* cp1252;
    bool aName;  // typed in the fields held to the login alphabet too
};

// Spanish words, and the line a Spanish keyboard types (its ¿ and ? are no letters of a name);
// what the character set cannot hold is the display window's to leave out.
const Typed kTyped[] = {
    {"Bego\xC3\xB1" "a", "Bego\xF1" "a", true},
    {"Jos\xC3\xA9", "Jos\xE9", true},
    {"ni\xC3\xB1o \xC3\xA1rbol \xC2\xBFqu\xC3\xA9?", "ni\xF1o \xE1rbol \xBFqu\xE9?", false},
};

class TypedText : public testapp::ScreenHarness {
protected:
    testapp::RecordingOwner owner;
};

TEST_F(TypedText, EveryDialogFieldTakesTheLayoutsLetters) {
    startLoggedIn();
    // Each field, opened empty and active; what it holds after the typing.
    struct Field {
        const char* name;
        bool heldToTheAlphabet;
        std::function<std::unique_ptr<RDlgBase>(DialogEntryField**)> open;
    };
    const Field fields[] = {
        {"picture name", true,
         [this](DialogEntryField** field) {
             auto dialog = std::make_unique<RDlgEnterName>(&owner, 0);
             if (dialog->Open(7211, "") != 0) return std::unique_ptr<RDlgBase>();
             *field = dialog->Field();
             return std::unique_ptr<RDlgBase>(std::move(dialog));
         }},
        {"ABC words", false,
         [this](DialogEntryField** field) {
             auto dialog = std::make_unique<RABCTextDlg>(&owner, 0);
             if (dialog->Open("") != 0) return std::unique_ptr<RDlgBase>();
             dialog->Field()->Field().Clear();
             *field = dialog->Field();
             return std::unique_ptr<RDlgBase>(std::move(dialog));
         }},
        {"the word to say", false,
         [this](DialogEntryField** field) {
             auto dialog = std::make_unique<RPronounceDlg>(&owner, 0);
             if (dialog->Open() != 0) return std::unique_ptr<RDlgBase>();
             *field = dialog->WordField();
             return std::unique_ptr<RDlgBase>(std::move(dialog));
         }},
        {"how to say it", false,
         [this](DialogEntryField** field) {
             auto dialog = std::make_unique<RPronounceDlg>(&owner, 0);
             if (dialog->Open() != 0) return std::unique_ptr<RDlgBase>();
             dialog->HandleKey(testkeys::tabKey());
             *field = dialog->SoundField();
             return std::unique_ptr<RDlgBase>(std::move(dialog));
         }},
    };
    for (const Field& f : fields)
        for (const Typed& t : kTyped) {
            if (f.heldToTheAlphabet && !t.aName) continue;
            SCOPED_TRACE(std::string(f.name) + ": " + t.utf8);
            DialogEntryField* field = nullptr;
            std::unique_ptr<RDlgBase> dialog = f.open(&field);
            ASSERT_NE(dialog, nullptr);
            ASSERT_NE(field, nullptr);
            settle();
            type(t.utf8);
            EXPECT_EQ(field->Text(), t.cp1252);
        }
}

// Ctrl+C, Ctrl+X, Ctrl+V and Ctrl+Z work on the field with the focus; Ctrl+Z takes back only
// the field's own steps, never the page's under the dialog.
TEST_F(TypedText, TheEditKeysCutCopyPasteAndUndoInAField) {
    startLoggedIn();
    RABCTextDlg dialog(&owner, 0);
    ASSERT_EQ(dialog.Open("abc"), 0);
    settle();
    ASSERT_EQ(mainWindow->IsMenuDisabled(), 1) << "the dialog grays the menus";
    DialogNameField& field = dialog.Field()->Field();
    EXPECT_EQ(field.Field().GetSelectedText(), "abc");
    controlKey('Z');
    EXPECT_EQ(field.Text(), "abc") << "nothing of the field's to take back";
    controlKey('C');
    type("x");
    EXPECT_EQ(field.Text(), "x");
    controlKey('V');
    EXPECT_EQ(field.Text(), "xabc");
    controlKey('Z');
    EXPECT_EQ(field.Text(), "x") << "the paste taken back";
    field.SelectAll();
    controlKey('X');
    EXPECT_EQ(field.Text(), "");
    controlKey('V');
    controlKey('V');
    EXPECT_EQ(field.Text(), "xx");
}

}  // namespace
