// Every page-erase effect as a tool: a click sets it off from the click, the tool manager steps
// it one frame a tick while new strokes wait, and it ends with the page white as one undo step.
// The pictures halfway are laid on one golden sheet (golden/page_erases.png, in tool order).
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "tests/tools/effects/EffectTestPictures.h"
#include "tools/erasers/PageEraseFactory.h"
#include "tools/erasers/RQuickTimeEraser.h"
#include "tools/erasers/RPageEraseTool.h"

namespace {

using namespace effecttest;

constexpr i32 kHalfway = 11;
constexpr i32 kAtMost = 100;

TEST(PageErases, EachWipesFrameByFrameToWhiteAndUndoesExactly) {
    constexpr i32 kCount = kToolIdLastPageErase - kToolIdFirstPageErase + 1;
    Sheet sheet(kCount, 5);
    for (i16 index = kToolIdFirstPageErase; index <= kToolIdLastPageErase; ++index) {
        SCOPED_TRACE(index);
        RPageEraseTool tool(index);
        EXPECT_EQ(tool.GetToolId(), index);
        tooltest::Picture picture(kW, kH);
        paintScene(picture.view);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture);
        easel.Use(tool);
        easel.Click({40, 30});
        ASSERT_TRUE(easel.mgr.IsRunning());
        EXPECT_EQ(easel.mgr.HandleInput({10, 10}, easel.clock), 0) << "a new stroke waits for the wipe";
        for (i32 i = 0; i < kHalfway; ++i) easel.mgr.StepTool(easel.clock += 40);
        ASSERT_TRUE(easel.mgr.IsRunning());
        EXPECT_NE(picture.pixels, before);
        EXPECT_TRUE(std::any_of(picture.pixels.begin(), picture.pixels.end(), [](u16 p) { return p != kRgb555White; }));
        sheet.Place(index - kToolIdFirstPageErase, picture.view);
        undo(easel);
        EXPECT_NE(picture.pixels, before) << "no undo while the wipe runs";
        for (i32 i = 0; i < kAtMost && easel.mgr.IsRunning(); ++i) easel.mgr.StepTool(easel.clock += 40);
        EXPECT_FALSE(easel.mgr.IsRunning());
        EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](u16 p) { return p == kRgb555White; }));
        undo(easel);
        EXPECT_EQ(picture.pixels, before);
    }
    tooltest::expectGolden("page_erases", sheet.View());
}

// What ends a wipe early ends it at white (another tool chosen, a new picture, the stroke ended
// for a save or a dialog); a tool deleted leaves it where it was. Either way it is one undo step.
TEST(PageErases, AWipeCutShortStillEndsAsOneUndoStep) {
    enum class Cut { OtherTool, NewPicture, InputEnd, ToolDeleted };
    for (Cut cut : {Cut::OtherTool, Cut::NewPicture, Cut::InputEnd, Cut::ToolDeleted}) {
        SCOPED_TRACE(int(cut));
        tooltest::Picture picture(kW, kH);
        paintScene(picture.view);
        const std::vector<u16> before = picture.pixels;
        tooltest::Easel easel(picture);
        auto tool = std::make_unique<RPageEraseTool>(kToolIdFirstPageErase + 2);
        easel.Use(*tool);
        easel.Click({20, 20});
        ASSERT_TRUE(easel.mgr.IsRunning());
        if (cut == Cut::OtherTool) {
            RPageEraseTool other(kToolIdLastPageErase);
            easel.Use(other);
            Ostrel::RMessage kild(kToolMsgKild, 0, 0);
            easel.mgr.HandleMessage(&kild, 0);
        } else if (cut == Cut::NewPicture) {
            easel.mgr.Init(picture.view, easel.canvas, nullptr);
        } else if (cut == Cut::InputEnd) {
            easel.mgr.InputEnd(0);
        } else {
            tool.reset();
        }
        EXPECT_FALSE(easel.mgr.IsRunning());
        easel.mgr.StepTool(easel.clock += 40);  // nothing left to step
        if (cut == Cut::ToolDeleted) {
            EXPECT_NE(picture.pixels, before);
            undo(easel);
            EXPECT_EQ(picture.pixels, before);
        } else {
            EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](u16 p) { return p == kRgb555White; }));
            if (cut == Cut::InputEnd) {
                undo(easel);
                EXPECT_EQ(picture.pixels, before);
            }
        }
    }
}

TEST(PageErases, TheFactoryBuildsEachEffectOfTheRangeAndNothingElse) {
    for (i16 index : {i16(122), i16(138), i16(-1)}) EXPECT_EQ(createPageErase(nullptr, index), nullptr) << index;
    for (i16 index = kToolIdFirstPageErase; index <= kToolIdLastPageErase; ++index) {
        std::unique_ptr<RDestructo> effect = createPageErase(nullptr, index);
        ASSERT_NE(effect, nullptr) << index;
        EXPECT_EQ(effect->GetIndex(), index);
        EXPECT_EQ(effect->GetIconId(), kToolIconBase + index);
    }
    // The movie erasers run the transitions in order; any other index fades.
    const std::pair<i16, TransitionKind> kinds[] = {{123, TransitionKind::Fade},     {124, TransitionKind::Fade},
                                                    {125, TransitionKind::WipeLeft}, {135, TransitionKind::PushLeft},
                                                    {136, TransitionKind::PushUp},   {137, TransitionKind::Fade}};
    for (const auto& [index, kind] : kinds) EXPECT_EQ(RQuickTimeEraser(nullptr, index).Kind(), kind) << index;
}

}  // namespace
