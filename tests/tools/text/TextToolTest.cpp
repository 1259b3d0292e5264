// The text tool's press: the owner hears where on the screen, and nothing is painted.
#include <gtest/gtest.h>

#include "tests/tools/ToolTestSupport.h"
#include "tools/text/RText.h"

namespace {

class TextPanel : public CListener {
public:
    u32 HandleMessage(Ostrel::RMessage* m, uintptr_t) override {
        if (m->code == kTextToolPlace) places.push_back(m->point), params.push_back(m->param1);
        return 0;
    }
    std::vector<Point16> places;
    std::vector<uintptr_t> params;
};

TEST(TextTool, PressTellsTheOwnerWhere) {
    TextPanel panel;
    RText text(&panel);
    EXPECT_EQ(text.GetToolId(), 138);
    tooltest::Picture picture(40, 30);
    RToolMgr mgr;
    const Rect16 canvas{200, 100, 240, 130};
    mgr.Init(picture.view, canvas, nullptr);
    text.Activate(nullptr, -1, canvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&text), 0);
    mgr.HandleMessage(&born, 0);
    EXPECT_EQ(mgr.HandleInput(Point16{215, 120}, 0), 1);
    mgr.EndInput(Point16{215, 120}, 5);
    ASSERT_EQ(panel.places.size(), 1u);
    EXPECT_EQ(panel.places[0].h, 215);
    EXPECT_EQ(panel.places[0].v, 120);
    EXPECT_EQ(panel.params[0], uintptr_t(215 | (120 << 16)));
    for (u16 p : picture.pixels) ASSERT_EQ(p, kRgb555White);
}

}  // namespace
