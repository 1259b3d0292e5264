#include "app/dialogs/RCreateNoteDialog.h"

#include "document/objects/RNotePageObject.h"
#include "document/pages/RPageData.h"
#include "framework/language/LanguageTexts.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class TeacherNote : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
    }
    static void use(RCreateNoteDialog& dialog, u16 item) { dialog.OnCommand(item, kDlgNotifyClicked, 0); }
    RPageData page;
};

TEST_F(TeacherNote, ANewNoteIsWrittenWithItsLanguage) {
    RCreateNoteDialog dialog(mainWindow, page);
    ASSERT_EQ(dialog.LoadError(), kErrNone);
    dialog.Setup();
    EXPECT_EQ(dialog.GetItemText(kNoteItemLabel1), "Write a note for this page.");
    EXPECT_FALSE(dialog.IsChecked(kNoteItemSpanish));
    dialog.SetItemText(kNoteItemText, "Look at the colours");
    use(dialog, kNoteItemSpanish);
    EXPECT_TRUE(dialog.IsChecked(kNoteItemSpanish));
    use(dialog, kNoteItemOk);
    EXPECT_EQ(dialog.GetResult(), kNoteDialogOk);
    ASSERT_TRUE(page.HasNote());
    EXPECT_EQ(page.GetNote()->GetText(), "Look at the colours");
    EXPECT_EQ(page.GetNote()->GetKind(), 1);
    EXPECT_TRUE(page.IsDirty());
}

TEST_F(TeacherNote, AnEmptyTextTakesTheNoteAwayAndCancelChangesNothing) {
    page.GetNote()->SetText("old");
    page.GetNote()->SetKind(1);
    {
        RCreateNoteDialog dialog(mainWindow, page);
        dialog.Setup();
        EXPECT_EQ(dialog.GetItemText(kNoteItemText), "old");
        EXPECT_TRUE(dialog.IsChecked(kNoteItemSpanish));
        dialog.SetItemText(kNoteItemText, "new");
        use(dialog, kNoteItemCancel);
        EXPECT_EQ(dialog.GetResult(), kNoteDialogCancel);
        EXPECT_EQ(page.GetNote()->GetText(), "old");
    }
    RCreateNoteDialog dialog(mainWindow, page);
    dialog.Setup();
    dialog.SetItemText(kNoteItemText, "");
    use(dialog, kNoteItemOk);
    EXPECT_FALSE(page.HasNote());
}

TEST_F(TeacherNote, EnterInTheTextStartsANewLineUpToTheLimit) {
    RCreateNoteDialog dialog(mainWindow, page);
    dialog.Setup();
    dialog.SetItemText(kNoteItemText, "one");
    dialog.SetSelection(kNoteItemText, 3, 3);
    dialog.OnCommand(kNoteItemText, kDlgNotifyKey, '\r');
    EXPECT_EQ(dialog.GetItemText(kNoteItemText), "one\n");
    EXPECT_EQ(dialog.GetResult(), kNoteDialogRunning);
    // A selection is replaced by the new line, whichever end was taken first.
    dialog.SetSelection(kNoteItemText, 3, 1);
    dialog.OnCommand(kNoteItemText, kDlgNotifyKey, '\r');
    EXPECT_EQ(dialog.GetItemText(kNoteItemText), "o\n\n");
    const std::string full(kNoteTextLimit, 'x');
    dialog.SetItemText(kNoteItemText, full);
    dialog.SetSelection(kNoteItemText, 10, 10);
    dialog.OnCommand(kNoteItemText, kDlgNotifyKey, '\r');
    EXPECT_EQ(dialog.GetItemText(kNoteItemText), full);
    // Space on OK is a use of OK, Space in the text is not.
    dialog.OnCommand(kNoteItemText, kDlgNotifyKey, ' ');
    EXPECT_EQ(dialog.GetResult(), kNoteDialogRunning);
    dialog.OnCommand(kNoteItemOk, kDlgNotifyKey, ' ');
    EXPECT_EQ(dialog.GetResult(), kNoteDialogOk);
    EXPECT_EQ(page.GetNote()->GetText().size(), kNoteTextLimit);
}

// A new note starts unticked in either language; a written one keeps its own.
TEST_F(TeacherNote, ReadInSpanishStartsUntickedForANewNoteOnly) {
    struct Row {
        bool programInSpanish;
        const char* written;
        u16 writtenKind;
        bool ticked;
    };
    const Row rows[] = {
        {false, nullptr, 0, false}, {true, nullptr, 0, false}, {true, "hello", 0, false}, {false, "hola", 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.programInSpanish ? "in Spanish, " : "in English, ") + (row.written ? row.written : "new"));
        if ((CurrentLanguage() == kLanguageSpanish) != row.programInSpanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        RPageData written;
        if (row.written) {
            written.GetNote()->SetText(row.written);
            written.GetNote()->SetKind(row.writtenKind);
        }
        written.SetDirtyState(false);
        RCreateNoteDialog dialog(mainWindow, written);
        dialog.Setup();
        EXPECT_EQ(dialog.IsChecked(kNoteItemSpanish), row.ticked);
        // Kept as shown: OK on an unchanged tick writes the note in that language.
        dialog.SetItemText(kNoteItemText, "words");
        use(dialog, kNoteItemOk);
        EXPECT_EQ(written.GetNote()->GetKind(), row.ticked ? 1 : 0);
        EXPECT_TRUE(written.IsDirty()) << "the page, changed by the note alone, is one to save";
    }
}

TEST_F(TeacherNote, RunEndsWhenTheScriptedInputRunsOutAndTellsWhetherANoteIsLeft) {
    EXPECT_FALSE(RCreateNoteDialog::Run(mainWindow, page));
    page.GetNote()->SetText("kept");
    EXPECT_TRUE(RCreateNoteDialog::Run(mainWindow, page));
}

}  // namespace
