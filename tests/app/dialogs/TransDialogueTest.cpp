// The slide transition dialog in the running program: its two rows named by the content's
// lists (every cell kept, though the content has no icons), a picked transition taking the
// sound of its place only when there is one, OK kept in the project through a save and a
// reopen, and the preview giving the screen back as it was.
#include <filesystem>

#include "app/application/RApplication.h"
#include "app/dialogs/RTransDialogue.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

constexpr u32 kKind = 3131;
constexpr int kTransitions = 12, kSounds = 10;

class TransDialogue : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
        auto document = std::make_unique<RDocument>(nullptr);
        ASSERT_EQ(document->AppendPage(std::make_unique<RPage>(PageSettings{}, "slide.tbx", 0)), kErrNone);
        app->GetPortfolio()->SetDocument(std::move(document));
        page = app->GetCurrentDocument()->GetPage(1);
    }
    void command(RDlgBase& dialog, u32 code, u16 place = 0) {
        RMessage message(code, 0, place);
        dialog.HandleMessage(&message, 0);
    }
    testapp::RecordingOwner owner;
    RPage* page = nullptr;
};

TEST_F(TransDialogue, PickingATransitionTakesTheSoundOfItsPlaceOnlyWhenThereIsOne) {
    struct Case {
        i32 picked;
        i32 sound;  // the sound chosen after the pick
    };
    // The page opens on transition 4 and sound 4, the first on the first.
    for (const Case c : {Case{0, 0}, Case{kSounds - 1, kSounds - 1}, Case{kSounds, 4}, Case{kTransitions - 1, 4}}) {
        page->SetTransitionEffect(c.picked == 0 ? 0 : 4);
        RTransDialogue dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        ASSERT_EQ(dialog.TransitionRow()->GetCount(), kTransitions) << "a cell without its icon stays";
        ASSERT_EQ(dialog.SoundRow()->GetCount(), kSounds);
        EXPECT_EQ(dialog.TransitionRow()->GetSelected(), page->GetTransitionEffect());
        command(dialog, kTransCmdPicked, u16(c.picked));
        EXPECT_EQ(dialog.Transition(), c.picked);
        EXPECT_EQ(dialog.Sound(), c.sound) << c.picked;
        EXPECT_EQ(dialog.SoundRow()->GetSelected(), c.sound);
    }
    RTransDialogue withoutPage(&owner, kKind);
    EXPECT_EQ(withoutPage.Open(nullptr), 1);
}

TEST_F(TransDialogue, OkKeepsTheChoiceThroughASaveAndAReopenAndCancelKeepsNothing) {
    for (const u16 button : {kDlgResultLeave, kDlgResultConfirm}) {
        RTransDialogue dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        command(dialog, kTransCmdPicked, 7);
        command(dialog, kTransCmdSoundPicked, 2);
        command(dialog, button);
        settle();
        ASSERT_FALSE(owner.heard.empty());
        EXPECT_EQ(owner.heard.back().param2, button);
    }
    const std::string file = engineTextOfHostFolder(root_ + "/Show.tbp");
    ASSERT_EQ(app->GetCurrentDocument()->SaveAs(EnginePath(file).get()), kErrNone);
    RDocument reopened(EnginePath(file).get());
    reopened.LoadPages();
    EXPECT_EQ(reopened.GetPage(1)->GetTransitionEffect(), 7);
    EXPECT_EQ(reopened.GetPage(1)->GetTransitionOption(), 2);
}

TEST_F(TransDialogue, ThePreviewRunsOnTheScreenAndGivesItBackAsItWas) {
    page->Data().EnsureBackground();
    RTransDialogue dialog(&owner, kKind);
    ASSERT_EQ(dialog.Open(page), 0);
    command(dialog, kTransCmdPicked, 1);
    settle();
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    key(13);
    settle(1);
    ASSERT_TRUE(dialog.Previewing());
    EXPECT_NE(PictureHash(screen), before) << "the preview shows";
    for (int i = 0; i < 100 && dialog.Previewing(); ++i) settle(1);
    EXPECT_FALSE(dialog.Previewing());
    settle();
    EXPECT_EQ(PictureHash(screen), before);
}

}  // namespace
