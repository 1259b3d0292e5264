// The slide transition dialog in the running program: its two rows named by the content's
// lists, a picked transition taking the sound of its place, OK kept in the project through a
// save and a reopen, and the preview giving the screen back as it was.
#include <filesystem>

#include "app/application/RApplication.h"
#include "app/dialogs/RTransDialogue.h"
#include "app/menus/MenuCommands.h"
#include "framework/controls/RButton.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

constexpr u32 kTransDialogKind = 3131;
constexpr int kTransitions = 12, kSounds = 21;

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
    static Point16 middle(const Rect16& r) { return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
    // Presses the row's forward arrow until the place shows; the presses it took, -1 when it
    // never did.
    int scrollTo(RTransDialogue& dialog, size_t row, int place) {
        RBMOBitmapScroller* strip = row == 0 ? dialog.TransitionRow() : dialog.SoundRow();
        for (int presses = 0; presses <= strip->GetCount(); ++presses) {
            if (!rectIsEmpty(strip->GetCellRect(place))) return presses;
            click(centreOf(dialog.ArrowSprite(row, 1)));
        }
        return -1;
    }
    testapp::RecordingOwner owner;
    RPage* page = nullptr;
};

// Both rows have more places than cells: their arrows show, each press of one moves a row a
// whole row of cells on or back, and a child reaches the last transition and the last sound
// with them, picks both with presses and keeps them with OK through a save and a reopen.
TEST_F(TransDialogue, TheArrowsBringEveryPlaceIntoReachAndOkKeepsTheLastOnes) {
    page->SetTransitionEffect(0);
    page->SetTransitionOption(0);
    RTransDialogue dialog(&owner, kTransDialogKind);
    ASSERT_EQ(dialog.Open(page), 0);
    settle();
    const struct {
        size_t row;
        int count, visible;
    } rows[] = {{0, kTransitions, 6}, {1, kSounds, 4}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        RBMOBitmapScroller* strip = r.row == 0 ? dialog.TransitionRow() : dialog.SoundRow();
        const int visible = strip->GetVisibleCount();
        ASSERT_EQ(visible, r.visible);
        for (size_t which : {0u, 1u}) {
            SprSprite* arrow = sprFind(dialog.ArrowSprite(r.row, which));
            ASSERT_NE(arrow, nullptr);
            const u64 shown = PictureHash(arrow->bounds);
            sprHide(arrow, 1, 1);
            settle(1);
            EXPECT_NE(PictureHash(arrow->bounds), shown) << "the arrow shows its picture";
            sprShow(arrow, 1);
            settle(1);
        }
        // Forward to the end, a row of cells at a time, and no further.
        const int pages = (r.count - 1) / visible;
        EXPECT_EQ(scrollTo(dialog, r.row, r.count - 1), pages);
        EXPECT_EQ(strip->GetFirstVisible(), r.count - visible);
        click(centreOf(dialog.ArrowSprite(r.row, 1)));
        EXPECT_EQ(strip->GetFirstVisible(), r.count - visible) << "past the end";
        for (int press = 0; press < pages; ++press) click(centreOf(dialog.ArrowSprite(r.row, 0)));
        EXPECT_EQ(strip->GetFirstVisible(), 0);
        click(centreOf(dialog.ArrowSprite(r.row, 0)));
        EXPECT_EQ(strip->GetFirstVisible(), 0) << "before the start";
    }
    ASSERT_GE(scrollTo(dialog, 0, kTransitions - 1), 0);
    click(middle(dialog.TransitionRow()->GetCellRect(kTransitions - 1)));
    EXPECT_EQ(dialog.Transition(), kTransitions - 1);
    EXPECT_EQ(dialog.Sound(), kTransitions - 1) << "the sound of the same place";
    ASSERT_GE(scrollTo(dialog, 1, kSounds - 1), 0);
    click(middle(dialog.SoundRow()->GetCellRect(kSounds - 1)));
    EXPECT_EQ(dialog.Sound(), kSounds - 1);
    RButton* ok = dialog.ButtonSet().Find(kDlgResultConfirm);
    ASSERT_NE(ok, nullptr);
    click(centreOf(ok->GetSprite()));
    ASSERT_FALSE(owner.heard.empty());
    EXPECT_EQ(owner.heard.back().param2, kDlgResultConfirm);
    const std::string file = engineTextOfHostFolder(root_ + "/Show.tbp");
    ASSERT_EQ(app->GetCurrentDocument()->SaveAs(EnginePath(file).get()), kErrNone);
    RDocument reopened(EnginePath(file).get());
    reopened.LoadPages();
    EXPECT_EQ(reopened.GetPage(1)->GetTransitionEffect(), kTransitions - 1);
    EXPECT_EQ(reopened.GetPage(1)->GetTransitionOption(), kSounds - 1);
}

// The preview sounds the chosen sound; silence and a page without a transition sound nothing.
TEST_F(TransDialogue, ThePreviewPlaysTheChosenSound) {
    page->Data().EnsureBackground();
    const struct {
        u16 transition;
        u16 sound;
        i32 heard;
    } cases[] = {{1, 3, 3}, {2, 9, 9}, {3, kSounds, -1}, {1, 0, -1}, {0, 4, -1}};
    for (const auto& c : cases) {
        RTransDialogue dialog(&owner, kTransDialogKind);
        ASSERT_EQ(dialog.Open(page), 0);
        ASSERT_TRUE(dialog.Sounds().IsOpen());
        command(dialog, kTransCmdPicked, c.transition);
        command(dialog, kTransCmdSoundPicked, c.sound);
        key(13);
        settle(1);
        EXPECT_EQ(dialog.Sounds().Playing(), c.heard) << c.transition << " " << c.sound;
    }
}

TEST_F(TransDialogue, PickingATransitionPicksTheSoundOfItsPlace) {
    struct Case {
        i32 picked;
        i32 sound;  // the sound chosen after the pick
    };
    // The page opens on transition 4 and sound 4, the first on the first.
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{kTransitions - 1, kTransitions - 1}}) {
        page->SetTransitionEffect(c.picked == 0 ? 0 : 4);
        RTransDialogue dialog(&owner, kTransDialogKind);
        ASSERT_EQ(dialog.Open(page), 0);
        ASSERT_EQ(dialog.TransitionRow()->GetCount(), kTransitions);
        ASSERT_EQ(dialog.SoundRow()->GetCount(), kSounds);
        EXPECT_EQ(dialog.TransitionRow()->GetSelected(), page->GetTransitionEffect());
        command(dialog, kTransCmdPicked, u16(c.picked));
        EXPECT_EQ(dialog.Transition(), c.picked);
        EXPECT_EQ(dialog.Sound(), c.sound) << c.picked;
        EXPECT_EQ(dialog.SoundRow()->GetSelected(), c.sound);
    }
    // Opening shows the page's choice and picks nothing: the sound stays the page's.
    page->SetTransitionEffect(4);
    page->SetTransitionOption(2);
    RTransDialogue opened(&owner, kTransDialogKind);
    ASSERT_EQ(opened.Open(page), 0);
    settle();
    EXPECT_EQ(opened.Transition(), 4);
    EXPECT_EQ(opened.Sound(), 2);
    EXPECT_EQ(opened.SoundRow()->GetSelected(), 2);
    RTransDialogue withoutPage(&owner, kTransDialogKind);
    EXPECT_EQ(withoutPage.Open(nullptr), 1);
}

TEST_F(TransDialogue, OkKeepsTheChoiceThroughASaveAndAReopenAndCancelKeepsNothing) {
    for (const u16 button : {kDlgResultLeave, kDlgResultConfirm}) {
        RTransDialogue dialog(&owner, kTransDialogKind);
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
    RTransDialogue dialog(&owner, kTransDialogKind);
    ASSERT_EQ(dialog.Open(page), 0);
    command(dialog, kTransCmdPicked, 1);
    settle();
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    key(13);
    settle(1);
    ASSERT_TRUE(dialog.Previewing());
    EXPECT_NE(PictureHash(screen), before) << "the preview shows";
    advance(kTransPreviewMillis - 1);
    EXPECT_TRUE(dialog.Previewing()) << "a preview takes its time";
    advance(1);
    EXPECT_FALSE(dialog.Previewing());
    settle();
    EXPECT_EQ(PictureHash(screen), before);
}

}  // namespace

namespace {

// In Spanish the longer names ("Barrido a la izquierda") wrap onto a second line inside their
// cell instead of being cut at the top and the bottom; a short one keeps one line.
TEST_F(TransDialogue, ANameWiderThanItsCellTakesTwoLines) {
    mainWindow->OnCommand(kCmdSwitchLanguage);
    settle(6);
    page->SetTransitionEffect(0);
    page->SetTransitionOption(0);
    RTransDialogue dialog(&owner, kTransDialogKind);
    ASSERT_EQ(dialog.Open(page), 0);
    settle();
    const auto inked = [this](const Rect16& band) {
        int dark = 0;
        for (i16 y = band.top; y < band.bottom; ++y)
            for (i16 x = band.left; x < band.right; ++x) {
                const u32 p = shownPixel({x, y});
                if (((p >> 16) & 0xFF) < 110 && ((p >> 8) & 0xFF) < 110 && (p & 0xFF) < 110) ++dark;
            }
        return dark;
    };
    const struct {
        int place;
        bool twoLines;
    } cases[] = {{1, false}, {2, true}, {3, true}};  // "Fundido", "Barrido a la izquierda" and "... derecha"
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        const Rect16 cell = dialog.TransitionRow()->GetCellRect(c.place);
        ASSERT_FALSE(rectIsEmpty(cell));
        const i16 foot = i16(cell.bottom - 1);  // the selection frame's line left out
        const Rect16 lower{i16(cell.left + 2), i16(foot - kBmoLabelLineHeight), i16(cell.right - 2), foot};
        const Rect16 upper{lower.left, i16(lower.top - kBmoLabelLineHeight), lower.right, lower.top};
        EXPECT_GT(inked(lower), 0);
        EXPECT_EQ(inked(upper) > 0, c.twoLines);
    }
}

}  // namespace
