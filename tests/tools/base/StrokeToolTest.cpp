// The stroke base: dabs evenly spaced across events, the speed and direction each dab gets,
// and paths stroked for the shapes.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/base/RStrokeTool.h"
#include "tools/base/ToolNames.h"

namespace {

class DabRecorder : public RStrokeTool {
public:
    explicit DabRecorder(i16 size) : RStrokeTool(kToolIdCircle) {
        ToolParams params;
        params.sizes = {size};
        SetParams(params);
    }
    std::vector<Point16> dabs;
    std::vector<StrokeMotion> motions;

protected:
    void Dab(ToolCanvas&, Point16 p, const StrokeMotion& m) override {
        dabs.push_back(p);
        motions.push_back(m);
    }
};

TEST(StrokeTool, SpacingIsAQuarterOfTheSizeAtLeastOne) {
    struct Case {
        i16 size;
        i32 spacing;
    };
    for (Case c : {Case{1, 1}, Case{4, 1}, Case{7, 1}, Case{8, 2}, Case{40, 10}}) EXPECT_EQ(DabRecorder(c.size).Spacing(), c.spacing);
}

TEST(StrokeTool, DabsStayEvenlySpacedAcrossEvents) {
    tooltest::Picture picture(100, 20);
    tooltest::Easel easel(picture);
    DabRecorder tool(20);  // spacing 5
    easel.Use(tool);
    easel.Stroke({{0, 5}, {3, 5}, {6, 5}, {9, 5}, {22, 5}});
    std::vector<i16> xs;
    for (Point16 p : tool.dabs) xs.push_back(p.h);
    EXPECT_EQ(xs, (std::vector<i16>{0, 5, 10, 15, 20}));
}

TEST(StrokeTool, MotionCarriesSpeedAndDirection) {
    tooltest::Picture picture(100, 100);
    tooltest::Easel easel(picture);
    DabRecorder tool(4);
    easel.Use(tool);
    easel.Stroke({{10, 10}, {10, 40}, {0, 40}});  // 30 px down in 10 ms, then 10 px left in 10 ms
    ASSERT_GE(tool.motions.size(), 3u);
    EXPECT_EQ(tool.motions.front().speed, 0);
    EXPECT_FLOAT_EQ(tool.motions[1].speed, 3000);
    EXPECT_GT(tool.motions[1].dy, 0);
    EXPECT_FLOAT_EQ(tool.motions.back().speed, 1000);
    EXPECT_LT(tool.motions.back().dx, 0);
}

TEST(StrokeTool, EventsInTheSameMillisecondDoNotDivideByZero) {
    tooltest::Picture picture(50, 50);
    DabRecorder tool(4);
    ToolCanvas canvas(picture.view, picture.view);
    canvas.SetTime(7);
    tool.Press(canvas, Point16{1, 1});
    tool.Move(canvas, Point16{11, 1});
    EXPECT_FLOAT_EQ(tool.motions.back().speed, 10000);
}

TEST(StrokeTool, ClosedPathReturnsToItsStart) {
    tooltest::Picture picture(50, 50);
    DabRecorder tool(4);
    ToolCanvas canvas(picture.view, picture.view);
    tool.StrokePath(canvas, {{0, 0}, {10, 0}, {10, 10}}, true);
    EXPECT_EQ(tool.dabs.size(), 1u + 10 + 10 + 14);
    EXPECT_EQ(tool.dabs.back().h, 0);
    EXPECT_EQ(tool.dabs.back().v, 0);
}

}  // namespace
