// The Teacher menu's page dialogs reach the easel inside the running program: the library
// choices and the note dialog run over the main window on the current page.
#include <cctype>
#include <filesystem>
#include <fstream>

#include "app/dialogs/RDlgWarnings.h"
#include "app/dialogs/RNoteDlg.h"
#include "app/menus/MenuCommands.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/REasel.h"
#include "tests/framework/input/TestKeys.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class EaselTeacherDialogs : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        if (HasFatalFailure()) return;
        enterEasel();
        if (HasFatalFailure()) return;
        ASSERT_NE(easel->CurrentPage(), nullptr);
    }
};

TEST_F(EaselTeacherDialogs, ManageLibrariesHidesWhatTheTeacherMovedOnOk) {
    // Six Tabs reach the shown backgrounds, Down picks the first, two Tabs reach Move all,
    // Space moves every one; the focus moves on to OK, which Space uses.
    for (int i = 0; i < 6; ++i) queueKey(plat::kVkTab);
    queueKey(plat::kVkDown);
    queueKey(plat::kVkTab);
    queueKey(plat::kVkTab);
    queueKey(plat::kVkSpace);
    queueKey(plat::kVkSpace);
    mainWindow->OnCommand(kCmdManageLibraries);
    RPageData& page = easel->CurrentPage()->Data();
    EXPECT_TRUE(page.GetExclusions()->IsExcluded(kTypeBitmap, "Places"));
    EXPECT_TRUE(page.IsDirty());
}

// The teacher's own menu, allowed in a settings file written by a Linux editor.
class EaselTeacherMenu : public testscreens::EaselHarness {
protected:
    void SetUp() override {
        EaselHarness::SetUp();
        std::filesystem::create_directories(root_ + "/config/tumblo4");
        std::ofstream(root_ + "/config/tumblo4/TB.ini") << "[TBSEdSettings]\nTBSEd=TRUE\n";
        enterEasel();
        if (HasFatalFailure()) return;
        controlKey('T');
        ASSERT_TRUE(mainWindow->IsTeacherMenuShowing());
    }
    RPageData& page() { return easel->CurrentPage()->Data(); }
    // The note dialog's text typed, Read In Spanish checked, OK: Tab goes from the text to the
    // check box and on to OK, and Space uses each.
    void writeNote(const std::string& utf8, bool spanish) {
        queueText(utf8);
        queueKey(plat::kVkTab);
        if (spanish) queueKey(plat::kVkSpace);
        queueKey(plat::kVkTab);
        queueKey(plat::kVkSpace);
        mainWindow->OnCommand(kCmdNote);
        settle();
    }
    void through(u16 command, const std::string& name) {
        for (const char c : name) queueKey(c == '.' ? plat::kVkPeriod : u8(std::toupper(u8(c))));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(command);
        settle();
    }
};

// A note written in Spanish is read in Spanish, and the picture, saved and opened again from the
// File menu, shows it by itself (the menu's offers before and after a note are the teacher menu
// journey's).
TEST_F(EaselTeacherMenu, ANoteInSpanishIsSeenWhenItsPictureOpens) {
    writeNote("\xC2\xBFQu\xC3\xA9 ves?", true);
    ASSERT_TRUE(page().HasNote());
    EXPECT_EQ(page().GetNote()->GetText(), "\xBFQu\xE9 ves?");
    EXPECT_EQ(page().GetNote()->GetKind(), 1);
    through(kCmdSave, "nota");
    mainWindow->OnCommand(kCmdNew);
    settle();
    EXPECT_FALSE(enabled(kCmdViewTeacherNote)) << "a new page has no note";
    EXPECT_EQ(itemText(kCmdNote), menuText("AddNote"));
    through(kCmdOpen, "nota.tbx");
    ASSERT_NE(easel->NoteDialog(), nullptr) << "a note in Spanish opens with its page";
    EXPECT_EQ(easel->NoteDialog()->ShownText(), "\xBFQu\xE9 ves?");
    EXPECT_TRUE(easel->NoteDialog()->ReadsSpanish());
    EXPECT_TRUE(enabled(kCmdViewTeacherNote));
}

// Add Note left with Cancel leaves the page as it was: no note, nothing to save. A page that
// did change asks before another user logs in, in words for that.
TEST_F(EaselTeacherMenu, CancelAddsNoNoteAndEachSaveQuestionNamesItsAction) {
    ASSERT_FALSE(page().IsDirty());
    queueText("Hola");
    queueKey(plat::kVkEscape);
    mainWindow->OnCommand(kCmdNote);
    settle();
    EXPECT_FALSE(page().HasNote());
    EXPECT_FALSE(page().IsDirty());
    EXPECT_EQ(itemText(kCmdNote), menuText("AddNote"));

    struct Case {
        u16 command;
        u16 question;
    };
    for (const Case& c : {Case{kCmdLogInAsNewUser, 7550}, Case{kCmdAddDelUsers, 7551}}) {
        SCOPED_TRACE(c.command);
        page().SetDirtyState(true);
        mainWindow->OnCommand(c.command);
        settle();
        ASSERT_NE(easel->WarningDialog(), nullptr);
        EXPECT_EQ(easel->WarningDialog()->MessageId(), c.question);
        RMessage cancel(kDlgResultLeave, 0, 0);
        easel->WarningDialog()->HandleMessage(&cancel, 0);
        settle();
        EXPECT_EQ(easel->WarningDialog(), nullptr);
    }
}

// A child's Ctrl+B or Ctrl+D, looking for "bold", leaves the screen as it was.
TEST_F(EaselTeacherMenu, TheDebugKeysDoNothingOutsideTheDebugMode) {
    ASSERT_FALSE(mainWindow->IsDebugMode());
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    controlKey('B');
    controlKey('D');
    advance(100);
    EXPECT_EQ(PictureHash(screen), before);
    EXPECT_EQ(sprScreen()->showRedraw, 0);
}

}  // namespace
