// The fill panel's modes, their strips and the patterns they pour.
#include "panels/fill/RFillPanel.h"

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "framework/controls/RAlphaBitmapScroller.h"
#include "panels/fill/FillPanelCommands.h"
#include "tests/panels/PaintPanelFixture.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;

class FillPanel : public testpanels::PaintPanelFixture {};

// Each fill mode shows its own strip (the solid fills' icons as masks in the paint colour) and
// pours the pattern of the item chosen; coming back to a mode brings back its last item.
TEST_F(FillPanel, EachFillModeShowsItsStripAndPoursTheChosenPattern) {
    struct Case {
        u32 mode;
        i16 tool;
        u16 help;
        int items;
        u16 firstPattern;
        bool masks;
    };
    const Case cases[] = {
        {kMsgFillGradient, kToolIdGradientFill, 849, 3, 21300, false},
        {kMsgFillPattern, kToolIdPatternFill, 850, 2, 20400, false},
        {kMsgFillSolid, kToolIdSolidFill, 848, 3, 20500, true},
    };
    auto panel = Open(Kind::Fill);
    auto& fill = static_cast<RFillPanel&>(*panel);
    for (const bool again : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.mode << (again ? " again" : ""));
            cursor = 0xFFFF;
            RMessage mode(c.mode, 0, 0);
            panel->HandleMessage(&mode, 0);
            Deliver();
            EXPECT_EQ(mgr.CurrentToolIndex(), c.tool);
            EXPECT_EQ(GetHelpContext().currentItem, c.help);
            EXPECT_EQ(cursor, 7);
            EXPECT_EQ(fill.ItemCount(), c.items);
            EXPECT_EQ(dynamic_cast<RAlphaBitmapScroller*>(fill.GetScroller()) != nullptr, c.masks);
            ASSERT_NE(fill.GetFill(), nullptr);
            EXPECT_EQ(fill.GetFill()->GetFillPatternId(), again ? c.firstPattern + c.items - 1 : c.firstPattern);
            RMessage hit(kMsgScrollerHit, 0, u16(c.items - 1));
            panel->HandleMessage(&hit, 0);
            EXPECT_EQ(fill.GetFill()->GetFillPatternId(), c.firstPattern + c.items - 1);
        }
}

}  // namespace
