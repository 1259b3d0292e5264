// A page-erase effect chosen as the canvas's tool: the next click sets it off, the window's
// ticks run it frame by frame, each when its time has come, until the page is white on the
// picture and the screen, and one undo brings the painting back.
#include <gtest/gtest.h>

#include "framework/messaging/mfDispatcher.h"
#include "panels/base/ToolFactory.h"
#include "platform/clock/Clock.h"
#include "tests/screens/easel/CanvasFixture.h"
#include "tools/base/RToolMgr.h"
#include "tools/pencils/RCircle.h"

namespace {

using namespace Ostrel;

class CanvasPageErase : public easeltest::CanvasFixture {
protected:
    void choose(RTool& tool) {
        tool.Activate(screen_, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool), 0);
        canvas_->ToolManager()->HandleMessage(&born, 0);
    }
    void click(Point16 p) {
        canvas_->HandleInput(kInputLeftButton, p, 0);
        canvas_->HandleMouseUp(kInputLeftButton, p, 0);
    }
};

TEST_F(CanvasPageErase, TheNextClickWipesThePageWhiteTickByTickAsOneUndoStep) {
    ASSERT_NE(canvas_->GetInputMask() & kInputTick, 0u);
    RCircle pencil;
    easel_.paintColor = GfxColor::rgb(0, 0, 255);
    choose(pencil);
    drag({150, 100}, {380, 250});
    const u16 blue = rgb555(0, 0, 255);
    ASSERT_EQ(inPicture(265, 175), blue);

    for (i16 index : {i16(124), i16(131), i16(137)}) {
        SCOPED_TRACE(index);
        std::unique_ptr<RTool> wipe = CreateToolForIndex(index);
        ASSERT_NE(wipe, nullptr);
        choose(*wipe);
        click({260, 170});
        int ticks = 0;
        // The window's ticks, each with the clock's time, from the click on.
        for (u32 now = plat::clockMillis(); canvas_->ToolManager()->IsRunning() && ticks < 100; now += 33, ++ticks) {
            canvas_->HandleTick(now);
            if (ticks == 0) {
                EXPECT_EQ(onScreen(265, 175), inPicture(265, 175)) << "each frame reaches the screen";
            }
        }
        EXPECT_GT(ticks, 10) << "the wipe runs over many frames";
        EXPECT_EQ(inPicture(265, 175), kRgb555White);
        EXPECT_EQ(onScreen(265, 175), kRgb555White);
        EXPECT_TRUE(easel_.page->Data().IsDirty());
        undo_.Undo();
        mfDispatcher().DispatchQueuedMessages();
        EXPECT_EQ(inPicture(265, 175), blue);
        EXPECT_EQ(onScreen(265, 175), blue);
        RMessage kild(kToolMsgKild, 0, 0);
        canvas_->ToolManager()->HandleMessage(&kild, 0);
    }
}

}  // namespace
