// The Teacher menu's page dialogs reach the easel inside the running program: the note dialog
// and the library choices run over the main window on the current page.
#include "app/menus/MenuCommands.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/REasel.h"
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

TEST_F(EaselTeacherDialogs, TheNoteCommandRunsTheNoteDialogAndTheMenuFollowsTheNote) {
    RPageData& page = easel->CurrentPage()->Data();
    page.GetNote()->SetText("Feed the cat");
    EXPECT_FALSE(easel->PageHasNote());
    // The dialog closes once the scripted input has run out; the note it shows is kept.
    mainWindow->OnCommand(kCmdNote);
    EXPECT_TRUE(easel->PageHasNote());
    EXPECT_EQ(page.GetNote()->GetText(), "Feed the cat");
}

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

}  // namespace
