// The painting stays on screen behind the Save dialog: the window repainted while the dialog
// is up (an exposure, a closed menu, an alert gone) shows the page, the stroke that the save
// itself ended included, with the dialog drawn over it again.
#include "app/window/MenuMessages.h"
#include "platform/display/DisplayWindow.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

class EaselUnderDialog : public testscreens::EaselHarness {
protected:
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
        RMessage save(kMsgMenuSaveAs, 0, 0);
        easel->HandleMessage(&save, 0);
        display_.whilePumped = nullptr;
        ASSERT_GE(pumps, 2);
        EXPECT_EQ(behind, painted);
        EXPECT_NE(dialogFace, middleBefore) << "the dialog is drawn again over the repainted window";
        app->ExitInstance();
        app.reset();
    }
}

}  // namespace
