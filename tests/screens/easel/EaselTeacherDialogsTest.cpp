// The Teacher menu's page dialogs reach the easel inside the running program: the note dialog
// and the library choices run over the main window on the current page.
#include "app/window/MenuCommands.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/REasel.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

class EaselTeacherDialogs : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        if (HasFatalFailure()) return;
        // The easel's entry animation plays to its end: each of its waits moves the clock on.
        gClock = &clock_.clock();
        sprSetAnimationWait(waitByMovingTheClock);
        start(false, [](u32 code) -> std::unique_ptr<RModule> {
            if (code == kScreenEasel) return std::make_unique<REasel>();
            return nullptr;
        });
        logIn("Maya");
        settle();
        easel = dynamic_cast<REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
        ASSERT_NE(easel->CurrentPage(), nullptr);
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        sprSetAnimationWait(nullptr);
        gClock = nullptr;
    }
    static void waitByMovingTheClock(u32 due) {
        const u32 now = gClock->millis();
        if (i32(due - now) > 0) gClock->advance(due - now);
    }
    static inline plat::FakeClock* gClock = nullptr;
    // A key waiting for whoever pumps the display next (the dialog's modal loop).
    void queueKey(u8 virtualKey) {
        for (auto kind : {plat::InputEvent::Kind::KeyDown, plat::InputEvent::Kind::KeyUp}) {
            plat::InputEvent event;
            event.kind = kind;
            event.virtualKey = virtualKey;
            display_.script(mainWindow->GetHandle(), event);
        }
    }

    REasel* easel = nullptr;
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
