// The easel as the child sees it, through the window's picture: the colour swatch opens its
// palette and the colour chosen there paints; the menu bar and the screen's art keep apart;
// tool tips come and go with the pointer and leave nothing behind; the tool bar's buttons act
// as one group; the swatch is round and drawn in its own colours.
#include "app/application/NewPageEntry.h"
#include "app/help/RHelp.h"
#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "app/settings/GlobalUserSettings.h"
#include "app/window/MenuMessages.h"
#include "platform/keyboard/VirtualKeys.h"
#include "framework/controls/RColorPicker.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/panels/RPanel.h"
#include "framework/windows/mfxQueries.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

constexpr u16 kToolBarGroup = 1;
// The tool tips' background ([ToolTipMetrics] of the content set's "TB.ini").
const GfxColor kTipBackground = GfxColor::rgb(255, 246, 176);

class EaselPicture : public testscreens::EaselHarness {
protected:
    static Point16 centre(const Rect16& r) { return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
    // Within a few levels a channel: the canvas keeps 5 bits of each.
    static bool near(u32 pixel, const GfxColor& colour) {
        const int channels[3][2] = {{int((pixel >> 16) & 0xFF), colour.red},
                                    {int((pixel >> 8) & 0xFF), colour.green},
                                    {int(pixel & 0xFF), colour.blue}};
        for (const auto& c : channels)
            if (std::abs(c[0] - c[1]) > 10) return false;
        return true;
    }
    void setSmallKids(bool on) {
        app->GetGlobalUserSettings()->smallKids = on ? 1 : 0;
        RMessage changed(263, 0, 0);
        easel->HandleMessage(&changed, 0);
        settle();
    }
    RButton* button(u16 id) {
        const i32 index = easel->FindButtonById(id);
        return index < 0 ? nullptr : easel->Buttons()[size_t(index)].get();
    }
    std::vector<RButton*> toolBar() {
        std::vector<RButton*> group;
        for (const auto& b : easel->Buttons())
            if (b->GetHotSpot() && b->GetHotSpot()->GetGroup() == kToolBarGroup) group.push_back(b.get());
        return group;
    }
    // A place on the canvas, away from every button.
    Point16 restingPlace() const {
        const Rect16 canvas = easel->Canvas()->CanvasRect();
        return {i16(canvas.right - 20), i16(canvas.bottom - 20)};
    }
    // The menu band's rows as the window shows them.
    u64 BandHash() const {
        u64 hash = 1469598103934665603ull;
        for (i32 y = 0; y < mainWindow->ContentTop(); ++y)
            for (i32 x = 0; x < face().surface().width(); ++x) hash = (hash ^ face().shownPixel(x, y)) * 1099511628211ull;
        return hash;
    }
};

// Hovering over the swatch opens the palette in front of the screen (the small palette in
// small-kids mode), and a click on the swatch keeps it open; a click on one of its colours
// closes it, and the next stroke paints in it.
TEST_F(EaselPicture, TheSwatchOpensItsPaletteAndTheChosenColourPaints) {
    enterEasel();
    struct Case {
        bool smallKids;
        int colour;  // a swatch of the palette
        i16 row;     // the stroke's distance below the canvas's top
    };
    for (const Case& c : {Case{false, 21, 300}, Case{true, 5, 340}}) {
        SCOPED_TRACE(c.smallKids);
        setSmallKids(c.smallKids);
        move(restingPlace());
        RColorPicker* picker = easel->ColorPicker();
        ASSERT_NE(picker, nullptr);
        ASSERT_FALSE(picker->IsOpen());
        move(centre(easel->SwatchHotSpot()->GetRect()));
        ASSERT_TRUE(picker->IsOpen());
        click(centre(easel->SwatchHotSpot()->GetRect()));
        ASSERT_TRUE(picker->IsOpen()) << "a click on the swatch keeps it open";
        const Rect16 cell = picker->GetSwatchRect(c.colour);
        const GfxColor colour = picker->Palette()[size_t(c.colour)];
        EXPECT_TRUE(near(shownPixel(centre(cell)), colour)) << std::hex << shownPixel(centre(cell));
        move(centre(cell));
        click(centre(cell));
        EXPECT_FALSE(picker->IsOpen());
        EXPECT_FALSE(near(shownPixel(centre(cell)), colour)) << "the palette went with its choice";

        const Rect16 canvas = easel->Canvas()->CanvasRect();
        const i16 y = i16(canvas.top + c.row);
        drag({i16(canvas.left + 40), y}, {i16(canvas.left + 240), y});
        EXPECT_TRUE(near(shownPixel({i16(canvas.left + 140), y}), colour))
            << std::hex << shownPixel({i16(canvas.left + 140), y});
    }
}

// The menu bar has rows of its own above the screen: the top row of tool buttons takes its
// clicks whole, and painting on the canvas (which reaches the screen's top) leaves the bar be.
TEST_F(EaselPicture, TheMenuBarAndTheScreenKeepApart) {
    enterEasel();
    ASSERT_EQ(mainWindow->ContentTop(), kMfxMenuBarHeight);
    EXPECT_EQ(face().surface().height(), 600 + kMfxMenuBarHeight);
    EXPECT_EQ(face().shownPixel(face().surface().width() - 4, kMfxMenuBarHeight / 2) & 0xFFFFFF, 0xD4D0C8u)
        << "the bar runs the window's width";
    RButton* top = toolBar().front();
    for (RButton* b : toolBar())
        if (sprFind(b->GetSprite())->bounds.top < sprFind(top->GetSprite())->bounds.top) top = b;
    const Rect16 topBounds = sprFind(top->GetSprite())->bounds;
    click({i16((topBounds.left + topBounds.right) / 2), i16(topBounds.top + 2)});
    EXPECT_EQ(top->GetState(), kButtonSelected) << "its top edge is not under the bar";

    const u64 band = BandHash();
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    drag({i16(canvas.left + 20), i16(canvas.top + 2)}, {i16(canvas.right - 20), i16(canvas.top + 2)});
    RMessage redraw = NewPageEntryMessage(easel->CurrentPage());
    easel->HandleMessage(&redraw, 0);
    settle();
    EXPECT_EQ(BandHash(), band);
}

// A tip shows while the pointer is over its button, in front of the buttons around, and goes
// with the pointer, taking every pixel of it along.
TEST_F(EaselPicture, ToolTipsComeAndGoWithThePointerLeavingNothingBehind) {
    enterEasel();
    move(restingPlace());
    const Rect16 toolBarArea{0, 0, 400, 600};
    const u64 before = PictureHash(toolBarArea);
    for (const u16 id : {1033, 1030, 1067, 1012}) {
        SCOPED_TRACE(id);
        move(centreOf(button(id)->GetSprite()));
        ASSERT_TRUE(easel->ToolTipShowing());
        const Rect16 tip = easel->ToolTipRect();
        int lit = 0;
        for (i16 y = tip.top; y < tip.bottom; ++y)
            for (i16 x = tip.left; x < tip.right; ++x) lit += near(shownPixel({x, y}), kTipBackground);
        EXPECT_GT(lit * 3, (tip.right - tip.left) * (tip.bottom - tip.top)) << "the tip stands in front";
    }
    move(restingPlace());
    EXPECT_FALSE(easel->ToolTipShowing());
    EXPECT_EQ(PictureHash(toolBarArea), before);
}

// A dialog that comes up while the pointer rests on a button takes the pointer: the button's
// tip goes at once rather than staying beside the dialog until the pointer moves again, both
// for the program's own dialogs (the save question of the slide-show button on an unsaved
// page) and for the desktop's (Save As with the pointer on a button).
TEST_F(EaselPicture, ADialogTakesTheTipOfTheButtonUnderThePointer) {
    enterEasel();
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    drag({i16(canvas.left + 40), i16(canvas.top + 40)}, {i16(canvas.left + 200), i16(canvas.top + 90)});
    const Point16 slideShow = centreOf(button(kSlideShowButton)->GetSprite());

    move(slideShow);
    ASSERT_TRUE(easel->ToolTipShowing());
    click(slideShow);
    EXPECT_FALSE(easel->ToolTipShowing()) << "the save question is up";
    key(plat::kVkEscape);
    settle();

    move(restingPlace());
    move(slideShow);
    ASSERT_TRUE(easel->ToolTipShowing());
    const Rect16 tip = easel->ToolTipRect();
    const u64 withTip = PictureHash(tip);
    move(restingPlace());
    const u64 withoutTip = PictureHash(tip);
    ASSERT_NE(withoutTip, withTip);
    move(slideShow);
    int pumps = 0;
    bool tipUnderDialog = true;
    u64 shownUnderDialog = withTip;
    // The program's interval task goes on under the dialog: queued records are delivered (a
    // hot spot that changed asks for the pointer to be looked at again) and the screen drawn.
    display_.whilePumped = [&] {  // the last pump is the dialog's last look
        ++pumps;
        clock_.advance(50);
        app->OnIdle();
        mainWindow->OnTick(plat::clockMillis());
        tipUnderDialog = easel->ToolTipShowing();
        shownUnderDialog = PictureHash(tip);
    };
    RMessage save(kMsgMenuSave, 0, 0);
    easel->HandleMessage(&save, 0);
    display_.whilePumped = nullptr;
    ASSERT_GE(pumps, 1);
    EXPECT_EQ(shownUnderDialog, withoutTip) << "the window no longer shows the tip";
    EXPECT_FALSE(tipUnderDialog) << "the Save dialog is up";
}

// Clicking through the tool bar leaves only the last button chosen down; a command of the
// Toolbox menu chooses its button the same way; Help stays down while help mode is on.
TEST_F(EaselPicture, ToolBarButtonsActAsOneGroup) {
    enterEasel();
    const auto onlyChosen = [this](u16 chosen) {
        for (RButton* b : toolBar())
            EXPECT_EQ(b->GetState(), b->GetCommand() == chosen ? kButtonSelected : kButtonUp) << b->GetCommand();
    };
    // Every button of the tool bar opens its panel: the painting families', the libraries'
    // and the text's.
    for (const u16 id : {1030, 1033, 1015, 1018, 1021, 1000, 1003, 1006, 1009, 1027, 1012}) {
        SCOPED_TRACE(id);
        click(centreOf(button(id)->GetSprite()));
        onlyChosen(id);
        if (id != 1030) {
            EXPECT_NE(easel->CurrentPanel(), nullptr);
        }
    }
    move(restingPlace());
    RMessage eraser(228, 0, 0);
    easel->HandleMessage(&eraser, 0);
    onlyChosen(1033);

    click(centreOf(button(kHelpButton)->GetSprite()));
    ASSERT_NE(easel->Help(), nullptr);
    EXPECT_EQ(button(kHelpButton)->GetState(), kButtonDown);
    RMessage finished(kMsgHelpFinished, 0, 0);
    easel->HandleMessage(&finished, 0);
    EXPECT_EQ(button(kHelpButton)->GetState(), kButtonUp);
}

// The swatch is round: its corners show what stands behind it, and its frame picture shows in
// its own colours (a white ring round the paint colour), in both modes.
TEST_F(EaselPicture, TheSwatchIsRoundAndShowsItsFrameInItsOwnColours) {
    enterEasel();
    for (const bool smallKids : {false, true}) {
        SCOPED_TRACE(smallKids);
        setSmallKids(smallKids);
        move(restingPlace());
        const Rect16 s = sprFind(easel->SwatchSprite())->bounds;
        const i16 middle = i16((s.top + s.bottom) / 2);
        EXPECT_TRUE(near(shownPixel({i16(s.left + 13), middle}), GfxColor::rgb(255, 255, 255)))
            << std::hex << shownPixel({i16(s.left + 13), middle});
        const Rect16 corners[] = {{s.left, s.top, i16(s.left + 6), i16(s.top + 6)},
                                  {i16(s.right - 6), s.top, s.right, i16(s.top + 6)},
                                  {s.left, i16(s.bottom - 6), i16(s.left + 6), s.bottom},
                                  {i16(s.right - 6), i16(s.bottom - 6), s.right, s.bottom}};
        std::vector<u64> shown;
        for (const Rect16& corner : corners) shown.push_back(PictureHash(corner));
        SprSprite* swatch = sprFind(easel->SwatchSprite());
        sprHide(swatch, 1, 1);
        settle();
        for (size_t i = 0; i < 4; ++i) EXPECT_EQ(PictureHash(corners[i]), shown[i]) << "corner " << i;
        sprShow(swatch, 1);
    }
}

}  // namespace

namespace {

// A teacher who writes the settings file by hand with only the teacher's switch in it still
// gets a canvas that paints (the keys the file lacks come from the installed settings), and
// Ctrl+T brings the Teacher menu.
TEST_F(EaselPicture, AHandWrittenSettingsFileStillGivesACanvasAndTheTeacherMenu) {
    writeSettings("[TBSEdSettings]\r\nTBSEd=TRUE");
    enterEasel();
    controlKey('T');
    EXPECT_TRUE(mainWindow->IsTeacherMenuShowing());
    const Rect16 canvas = easel->Canvas()->CanvasRect();
    ASSERT_LT(canvas.left, canvas.right);
    ASSERT_LT(canvas.top, canvas.bottom);
    const u64 before = PictureHash(canvas);
    drag({i16(canvas.left + 40), i16(canvas.top + 40)}, {i16(canvas.left + 200), i16(canvas.top + 90)});
    EXPECT_NE(PictureHash(canvas), before);
}

}  // namespace

namespace {

// Switching the language leaves a blank page unchanged (leaving it asks nothing) and keeps
// what was painted, still to be saved.
TEST_F(EaselPicture, SwitchingTheLanguageKeepsThePagesState) {
    for (const bool painted : {false, true}) {
        SCOPED_TRACE(painted);
        enterEasel();
        const Rect16 canvas = easel->Canvas()->CanvasRect();
        if (painted) drag({i16(canvas.left + 40), i16(canvas.top + 40)}, {i16(canvas.left + 200), i16(canvas.top + 90)});
        const u64 before = PictureHash(canvas);
        mainWindow->OnCommand(kCmdSwitchLanguage);
        settle(6);
        easel = dynamic_cast<REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
        EXPECT_EQ(easel->CurrentPage()->Data().IsDirty(), painted);
        EXPECT_EQ(PictureHash(canvas), before);
        app->ExitInstance();
        app.reset();
    }
}

}  // namespace
