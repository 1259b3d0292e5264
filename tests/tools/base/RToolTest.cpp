// The tool base: activation answers, icon number, size choice by index and by size factor.
#include <gtest/gtest.h>

#include "tools/base/RTool.h"
#include "tools/base/ToolNames.h"

namespace {

class PlainTool : public RTool {
public:
    explicit PlainTool(i16 id) : RTool(id) {}

protected:
    void MouseDown(ToolCanvas&, Point16) override {}
};

TEST(Tool, ActivateAnswersByCanvasRectangle) {
    PlainTool tool(kToolIdCircle);
    EXPECT_EQ(tool.Activate(nullptr, -1, Rect16{10, 10, 10, 50}), kToolActivateFailed);
    EXPECT_FALSE(tool.IsActive());
    EXPECT_EQ(tool.Activate(nullptr, -1, Rect16{10, 10, 11, 11}), kToolActivated);
    EXPECT_TRUE(tool.IsActive());
}

TEST(Tool, IconNumberFollowsToolId) {
    EXPECT_EQ(PlainTool(0).GetIconId(), 30000);
    EXPECT_EQ(PlainTool(kToolIdText).GetIconId(), 30138);
}

TEST(Tool, SizeIndexLimits) {
    PlainTool tool(kToolIdCircle);
    ToolParams params;
    params.sizes = {3, 6, 12};
    tool.SetParams(params);
    struct Case {
        i16 index;
        i16 size;
    };
    for (Case c : {Case{-1, 3}, Case{0, 3}, Case{2, 12}, Case{3, 12}}) {
        tool.SelectSize(c.index);
        EXPECT_EQ(tool.GetSize(), c.size) << c.index;
    }
}

TEST(Tool, SizeFactorPicksTheButtonsSize) {
    PlainTool tool(kToolIdCircle);
    ToolSettings settings;
    settings.sizeFactor = 2.0f;
    tool.ApplySettings(settings);
    EXPECT_EQ(tool.GetSize(), ToolParams{}.sizes[1]);
    settings.sizeFactor = 1.0f;  // the reset value
    tool.ApplySettings(settings);
    EXPECT_EQ(tool.GetSize(), ToolParams{}.sizes[0]);
}

TEST(Tool, EmptySizeListFallsBackToTheDefaults) {
    PlainTool tool(kToolIdCircle);
    tool.SetParams(ToolParams{{}, 0, 0, 0, 600});
    EXPECT_EQ(tool.GetSize(), ToolParams{}.sizes[0]);
}

TEST(Tool, SoundsMissingFromTheArchivesLeaveTheStrokeSilent) {
    class Dot : public RTool {
    public:
        Dot() : RTool(kToolIdCircle) {}

    protected:
        void MouseDown(ToolCanvas& c, Point16 p) override { c.Picture().Put(p.h, p.v, 0); }
    } tool;
    ToolParams params;
    params.startSound = 64001;
    params.strokeSound = 64002;
    params.endSound = 64003;
    tool.SetParams(params);
    std::vector<u16> pixels;
    PixelView view = pixelViewOfBuffer(pixels, 4, 4);
    view.Fill(kRgb555White);
    ToolCanvas canvas(view, view);
    tool.Press(canvas, Point16{1, 1});
    tool.Move(canvas, Point16{2, 2});
    tool.Release(canvas, Point16{2, 2});
    EXPECT_EQ(view.At(1, 1), 0);
}

}  // namespace
