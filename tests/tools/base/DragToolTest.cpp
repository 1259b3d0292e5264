// The drag base: the rubber band shows while dragging and leaves nothing behind; the shape is
// committed with the pencil it was given.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/base/RDragTool.h"
#include "tools/base/ToolNames.h"

namespace {

class Segment : public RDragTool {
public:
    Segment() : RDragTool(kToolIdLine, nullptr) {}

protected:
    std::vector<Point16> Outline() const override { return {start_, end_}; }
    bool IsClosed() const override { return false; }
};

class Pen : public RStrokeTool {
public:
    Pen() : RStrokeTool(kToolIdCircle) {}
    int dabs = 0;

protected:
    void Dab(ToolCanvas& c, Point16 p, const StrokeMotion&) override {
        ++dabs;
        c.Picture().Put(p.h, p.v, 0x1234);
        c.MarkChanged(Rect16{p.h, p.v, i16(p.h + 1), i16(p.v + 1)});
    }
};

TEST(DragTool, BandShowsWhileDraggingAndGoesAway) {
    tooltest::Picture picture(40, 30, 0x0421);
    const std::vector<u16> before = picture.pixels;
    tooltest::Easel easel(picture);
    Segment segment;
    easel.Use(segment);
    easel.mgr.HandleInput(Point16{2, 2}, 0);
    easel.mgr.TrackInput(Point16{30, 20}, 10);
    EXPECT_NE(picture.pixels, before);
    easel.mgr.TrackInput(Point16{5, 25}, 20);
    // The first band is gone entirely: only pixels on the new segment differ.
    EXPECT_EQ(picture.view.At(29, 19), 0x0421);
    easel.mgr.EndInput(Point16{5, 25}, 30);
    EXPECT_EQ(picture.pixels, before);  // no pencil: nothing committed
}

TEST(DragTool, CommitsWithThePencil) {
    tooltest::Picture picture(40, 30);
    tooltest::Easel easel(picture);
    Pen pen;
    Segment segment;
    segment.SetPencil(&pen);
    easel.Use(segment);
    easel.Stroke({{2, 2}, {20, 2}, {12, 2}});
    EXPECT_EQ(pen.dabs, 11);
    EXPECT_EQ(picture.view.At(12, 2), 0x1234);
    EXPECT_EQ(picture.view.At(13, 2), kRgb555White);
}

}  // namespace
