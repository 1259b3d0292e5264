// Rectangles for SWF output in twips, plain and relative to the canvas origin.
#include <gtest/gtest.h>

#include "media/quicktime/TwipsRects.h"

namespace {

class TwipsRects : public ::testing::Test {
protected:
    void TearDown() override { SetCanvasOrigin(Point16{0, 0}); }
};

void expectTwips(const TwipsRect& got, const TwipsRect& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

}  // namespace

TEST_F(TwipsRects, PlainAndRelativeToTheCanvasOrigin) {
    SetCanvasOrigin(Point16{100, 50});
    struct Case {
        const char* name;
        Rect16 rect;
        bool relative;
        TwipsRect twips;
    };
    const Case cases[] = {
        {"plain: each coordinate times 20", {1, 2, 3, 4}, false, {20, 40, 60, 80}},
        {"plain ignores the origin", {100, 50, 420, 290}, false, {2000, 1000, 8400, 5800}},
        {"relative: x less the origin's x, y less its y", {110, 60, 130, 70}, true, {200, 200, 600, 400}},
        {"relative at the origin is zero", {100, 50, 100, 50}, true, {0, 0, 0, 0}},
        {"left of the origin wraps as a negative number", {99, 49, 101, 51}, true, {u32(-20), u32(-20), 20, 20}},
        {"extremes stay exact", {-32768, -32768, 32767, 32767}, false,
         {u32(-655360), u32(-655360), 655340, 655340}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TwipsRect out{};
        if (c.relative) RectToTwipsRelative(c.rect, &out);
        else RectToTwips(c.rect, &out);
        expectTwips(out, c.twips);
    }
}
