// The painting stays on screen behind the Save dialog: the window repainted while the dialog
// is up (an exposure, a closed menu, an alert gone) shows the page, the stroke that the save
// itself ended included, with the dialog drawn over it again. What moves on the page (an
// animation, its edit frame) waits under a box and goes on once the box is gone.
#include <fstream>

#include "app/menus/MenuCommands.h"
#include "app/window/MenuMessages.h"
#include "framework/alerts/ShowAlert.h"
#include "media/quicktime/QtConnection.h"
#include "platform/display/DisplayWindow.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class EaselUnderDialog : public testscreens::EaselHarness {
protected:
    void TearDown() override {
        EaselHarness::TearDown();
        qtSetSearchFolders({});
    }
    // The easel with an animation placed on its page, playing, and `name` typed into the file
    // dialog that comes next.
    void enterWithAnimation(const std::string& name = "") {
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        ASSERT_TRUE(qtConnected());
        const std::vector<u8> bytes = mediatest::animationBytes(4, 0xC0000, 300, 200);
        std::ofstream(plat::hostPathOfText(app->GetPaths()->BuildPath(kFolderLibSounds, false)) + "/hop.swf",
                      std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        through(kCmdImportSound, "HOP.SWF");
        ASSERT_TRUE(alerts().empty());
        ASSERT_EQ(animations(), 1u);
        for (const char c : name) queueKey(u8(c));
        if (!name.empty()) queueKey(plat::kVkReturn);
    }
    // The menu command, `typed` and Return waiting for its dialog.
    void through(u16 command, const std::string& typed) {
        for (const char c : typed) queueKey(c == '.' ? plat::kVkPeriod : u8(c));
        queueKey(plat::kVkReturn);
        mainWindow->OnCommand(command);
        settle();
    }
    size_t animations() const { return easel->Canvas()->Media()->Flash().count(); }
    static constexpr Rect16 kWindow{0, 0, 800, 600};
    // A stroke across the canvas's top band, left held down when `held`.
    void stroke(bool held) {
        const Point16 from{i16(band.left + 40), i16(band.top + 30)};
        const Point16 to{i16(band.left + 400), i16(band.top + 60)};
        if (!held) return drag(from, to);
        script(plat::InputEvent::Kind::MouseDown, from);
        for (int i = 1; i <= 8; ++i)
            script(plat::InputEvent::Kind::MouseMove,
                   {i16(from.h + (to.h - from.h) * i / 8), i16(from.v + (to.v - from.v) * i / 8)});
    }
    void script(plat::InputEvent::Kind kind, Point16 point) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {point.h, i16(point.v + mainWindow->ContentTop())};
        display_.script(mainWindow->GetHandle(), event);
        settle(1);
    }
    Rect16 band{};
};

TEST_F(EaselUnderDialog, TheSaveDialogShowsOverThePaintingAfterARepaint) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "saved in mid-stroke" : "saved after the stroke");
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        const Rect16 canvas = easel->Canvas()->CanvasRect();
        // Above the dialog, which stands in the middle of the window.
        band = Rect16{canvas.left, canvas.top, canvas.right, i16(canvas.top + 100)};
        const u64 blank = PictureHash(band);
        stroke(held);
        const u64 painted = PictureHash(band);
        ASSERT_NE(painted, blank);

        // The dialog's loop pumps the display: the first time the whole window is exposed,
        // the next the window is looked at.
        int pumps = 0;
        u64 behind = blank;
        u64 dialogFace = 0;
        const Rect16 middle{i16(canvas.left + 200), i16(canvas.top + 200), i16(canvas.left + 300), i16(canvas.top + 210)};
        const u64 middleBefore = PictureHash(middle);
        display_.whilePumped = [&] {
            if (++pumps == 1) {
                const plat::DisplayWindow& shown = face();
                const_cast<plat::DisplayWindow&>(shown).invalidate(shown.clientRect());
            } else if (pumps == 2) {
                behind = PictureHash(band);
                dialogFace = PictureHash(middle);
            }
        };
        RMessage save(kMsgMenuSave, 0, 0);
        easel->HandleMessage(&save, 0);
        display_.whilePumped = nullptr;
        ASSERT_GE(pumps, 2);
        EXPECT_EQ(behind, painted);
        EXPECT_NE(dialogFace, middleBefore) << "the dialog is drawn again over the repainted window";
        app->ExitInstance();
        app.reset();
    }
}

// An animation playing on the page, its edit frame round it, and an alert over them: the
// ticks that come while the alert is up change nothing the window shows; once it is gone the
// window shows the page as composed, and the animation plays on.
TEST_F(EaselUnderDialog, APlayingAnimationWaitsUnderAnAlertAndPlaysOnAfterIt) {
    ASSERT_NO_FATAL_FAILURE(enterWithAnimation());
    RMessage play(kMsgPlayPage, 0, 0);
    easel->Canvas()->HandleMessage(&play, 0);
    const Rect16 window = kWindow;
    const u64 playing = PictureHash(window);
    advance(83);
    ASSERT_NE(PictureHash(window), playing) << "the animation plays";

    // Each pump of the alert's loop is a tick of the program, its clock a frame further on.
    int pumps = 0;
    u64 shown = 0;
    u64 later = 0;
    display_.whilePumped = [&] {
        ++pumps;
        if (pumps == 1) shown = PictureHash(window);
        if (pumps == 4) later = PictureHash(window);
        if (pumps >= 4) return;
        clock_.advance(83);
        app->OnIdle();
        mainWindow->OnTick(plat::clockMillis());
        // An exposure of a corner keeps the loop going.
        const plat::DisplayWindow& face = this->face();
        const_cast<plat::DisplayWindow&>(face).invalidate(plat::gdi::Rect{0, 0, 1, 1});
    };
    ShowAlert("Wait", nullptr, kAlertOk);
    display_.whilePumped = nullptr;
    ASSERT_EQ(pumps, 4);
    EXPECT_EQ(later, shown) << "nothing was drawn over the alert while it was up";

    settle(1);
    const u64 after = PictureHash(window);
    EXPECT_NE(after, shown) << "the alert's place shows the page again";
    const plat::DisplayWindow& face = this->face();
    const_cast<plat::DisplayWindow&>(face).invalidate(face.clientRect());
    settle(1);
    EXPECT_EQ(PictureHash(window), after) << "the window shows the page as composed";
    advance(83);
    EXPECT_NE(PictureHash(window), after) << "the animation plays on";
}

// Saving or printing the page lets go of its animation while the dialogs are up: once they are
// gone it is on the page again, standing still until played.
TEST_F(EaselUnderDialog, AnAnimationIsOnThePageAgainAfterASaveOrAPrint) {
    for (const u16 command : {kCmdSave, kCmdPrint}) {
        SCOPED_TRACE(command);
        ASSERT_NO_FATAL_FAILURE(enterWithAnimation(command == kCmdSave ? "HOPS" : ""));
        mainWindow->OnCommand(command);
        settle();
        EXPECT_EQ(animations(), 1u);
        const u64 shown = PictureHash(kWindow);
        advance(83);
        EXPECT_EQ(PictureHash(kWindow), shown) << "it stands still";
        app->ExitInstance();
        app.reset();
    }
}

}  // namespace
