#include "app/help/RHelp.h"

#include <memory>

#include "app/help/HelpPages.h"
#include "app/help/RHelpDlg.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/resources/NamedResources.h"
#include "framework/input/RCursorTable.h"
#include "platform/cursor/Cursors.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

TEST(HelpPages, CodesFindTheirPagesAndRangesSharePages) {
    struct Case {
        u32 code;
        const char* name;
        u32 reply;
    };
    const Case cases[] = {{787, "BackgrdPreLibFolders", kHelpReplyEasel}, {828, "LineSize", kHelpReplyEasel},
                          {831, "LineSize", kHelpReplyEasel},             {832, nullptr, 0},
                          {8281, "DrawFreehand", kHelpReplyEasel},         {8319, "DrawPolyFilled", kHelpReplyEasel},
                          {8320, nullptr, 0},                              {7871, "FolderLabel", kHelpReplyEasel},
                          {8672, "FolderLabel", kHelpReplyEasel},          {19006, "toons", kHelpReplyEasel},
                          {19058, "FolderList", kHelpReplyEasel},          {20002, "title", kHelpReplyPicker},
                          {20050, "dupepage", kHelpReplyPicker},           {8195, nullptr, 0},
                          {19000, nullptr, 0},                             {20004, nullptr, 0},
                          {0, nullptr, 0},                                 {70000, nullptr, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const HelpPage page = HelpPageFor(c.code);
        if (!c.name) {
            EXPECT_EQ(page.name, nullptr);
            continue;
        }
        ASSERT_NE(page.name, nullptr);
        EXPECT_STREQ(page.name, c.name);
        EXPECT_EQ(page.reply, c.reply);
    }
}

class HelpMode : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
        help = std::make_unique<RHelp>(&owner, kEaselHelpName);
        ASSERT_EQ(help->Start(0, 0, 0), 0);
    }
    void TearDown() override {
        help.reset();
        ScreenHarness::TearDown();
    }
    void clickElement(u32 code) {
        RMessage message(code, 0, 0);
        help->HandleMessage(&message, 0);
        settle();
    }
    testapp::RecordingOwner owner;
    std::unique_ptr<RHelp> help;
};

TEST_F(HelpMode, StartWithoutButtonSetsLoadsNoButtons) {
    EXPECT_EQ(help->ButtonCount(), 0);
    EXPECT_EQ(help->HotSpots()->Count(), 0);
    EXPECT_EQ(help->Page(), nullptr);
}

// Help mode lets go of its shape group when it ends, whichever slot the group got; a group it
// could not load is another's, and stays.
TEST_F(HelpMode, ItReleasesTheShapeGroupItLoadedAndNoOther) {
    ASSERT_NE(sprFindGroup(kHelpShapeGroup), kSprNoSlot);
    help.reset();
    EXPECT_EQ(sprFindGroup(kHelpShapeGroup), kSprNoSlot);

    // Without its content item open the group cannot be loaded.
    help = std::make_unique<RHelp>(&owner, "");
    ASSERT_EQ(help->Start(0, 0, 0), 0);
    ASSERT_EQ(sprFindGroup(kHelpShapeGroup), kSprNoSlot);
    ASSERT_EQ(OpenNamedResource(kEaselHelpName, 1), kErrNone);
    ASSERT_NE(sprLoadGroup(kHelpShapeGroup, kSprEveryScript, 0, 1, kSprFirstIsGroupId), kSprNoSlot);
    help.reset();
    EXPECT_NE(sprFindGroup(kHelpShapeGroup), kSprNoSlot);
    sprReleaseGroup(kHelpShapeGroup, 0);
    ReleaseNamedResource(kEaselHelpName);
}

TEST_F(HelpMode, APageOpensIsReplacedByTheNextAndClosesOnItsReply) {
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    clickElement(19010);
    RHelpDlg* first = help->Page();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->PageName(), "pencil");
    EXPECT_TRUE(first->Text().starts_with("Pencils: draw lines and shapes. ")) << first->Text();
    EXPECT_EQ(first->GetKind(), kHelpReplyEasel);
    EXPECT_NE(PictureHash(screen), before);
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 1);

    // A second request replaces the page: one page, no stack.
    clickElement(19014);
    ASSERT_NE(help->Page(), nullptr);
    EXPECT_EQ(help->Page()->PageName(), "fill");

    // An element without a page leaves the open one.
    clickElement(19000);
    ASSERT_NE(help->Page(), nullptr);
    EXPECT_EQ(help->Page()->PageName(), "fill");

    // The close button: the page answers, help mode deletes it after the answer and tells
    // its owner the child is done.
    EXPECT_TRUE(owner.heard.empty());
    click(centreOf(help->Page()->ButtonSet().Find(kDlgResultLeave)->GetSprite()));
    EXPECT_EQ(help->Page(), nullptr);
    settle();
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
    EXPECT_EQ(owner.codes(), std::vector<u32>{kMsgHelpFinished});

    // Help mode stays on until its owner deletes it.
    clickElement(20014);
    ASSERT_NE(help->Page(), nullptr);
    EXPECT_EQ(help->Page()->GetKind(), kHelpReplyPicker);
    help.reset();
    settle();
    EXPECT_EQ(mainWindow->IsMenuDisabled(), 0);
}

TEST_F(HelpMode, OnlyTheAnimationsPageOffersTheDemonstrationWhichIsQuietWithoutMovies) {
    clickElement(kHelpDemoElement);
    EXPECT_EQ(help->DemoOption(), kHelpDemoElement);
    ASSERT_NE(help->Page(), nullptr);
    RMessage demo(kHelpCmdDemo, 0, 0);
    help->Page()->HandleMessage(&demo, 0);
    settle();
    EXPECT_TRUE(alerts().empty());
    EXPECT_NE(help->Page(), nullptr);
    clickElement(19012);
    EXPECT_EQ(help->DemoOption(), 0u);
}

TEST_F(HelpMode, APageWithoutTextOrSoundStillOpens) {
    // Every element of the help table has its text in the content set; a key that neither the
    // language file nor [HelpSnds] knows stands for a page whose text or sound is missing.
    const Rect16 screen{0, 0, 800, 600};
    const u64 before = PictureHash(screen);
    testapp::RecordingOwner pageOwner;
    auto page = std::make_unique<RHelpDlg>(&pageOwner, kHelpReplyEasel);
    ASSERT_EQ(page->Open("NoTextNorSoundHere"), 0);
    settle();
    EXPECT_EQ(page->PageName(), "NoTextNorSoundHere");
    EXPECT_EQ(page->Text(), "");
    EXPECT_EQ(page->SoundId(), 0);
    EXPECT_FALSE(page->SoundPlaying());
    EXPECT_NE(PictureHash(screen), before);
    // It still closes the usual way.
    const RButton* close = page->ButtonSet().Find(kDlgResultLeave);
    ASSERT_NE(close, nullptr);
    click(centreOf(close->GetSprite()));
    EXPECT_EQ(pageOwner.codes(), std::vector<u32>{kHelpReplyEasel});
}

TEST_F(HelpMode, APressOnNothingLeavesHelpModeOn) {
    // The open page takes the presses around it.
    clickElement(19010);
    ASSERT_NE(help->Page(), nullptr);
    click({5, 590});
    EXPECT_TRUE(owner.heard.empty());
    ASSERT_NE(help->Page(), nullptr);
    // Help mode again, without a page.
    help.reset();
    help = std::make_unique<RHelp>(&owner, kEaselHelpName);
    ASSERT_EQ(help->Start(0, 0, 0), 0);
    click({400, 300});
    EXPECT_FALSE(help->IsFinished());
    EXPECT_TRUE(owner.heard.empty());
}

// Help mode shows its own cursor, made from the system archive, from its start, wherever the
// pointer goes, and the arrow again once it ends.
TEST_F(HelpMode, ShowsTheHelpCursorUntilItEnds) {
    // The program's system archive, beside the program, holds the cursors.
    ASSERT_EQ(OpenNamedResource("System", 1), 0);
    loadCursorTable();
    help = std::make_unique<RHelp>(&owner, kEaselHelpName);
    ASSERT_EQ(help->Start(0, 0, 0), 0);
    const plat::cursor::CursorId helpCursor = cursorForIndex(kHelpCursorOver);
    ASSERT_FALSE(plat::cursor::systemCursorOf(helpCursor)) << "the help cursor is the archive's, not the arrow";
    EXPECT_EQ(plat::cursor::currentCursor(), helpCursor);
    move({400, 300});
    EXPECT_EQ(plat::cursor::currentCursor(), helpCursor);
    help.reset();
    EXPECT_EQ(plat::cursor::systemCursorOf(plat::cursor::currentCursor()), plat::cursor::SystemCursor::Arrow);
    releaseCursorTable();
    ReleaseNamedResource("System");
}

TEST_F(HelpMode, ARepliedPageOfAnotherDialogIsNotMistakenForTheOpenOne) {
    clickElement(19010);
    RHelpDlg* page = help->Page();
    RMessage stale(kHelpReplyEasel, 12345, 0);
    help->HandleMessage(&stale, 0);
    EXPECT_EQ(help->Page(), page);
}

}  // namespace
