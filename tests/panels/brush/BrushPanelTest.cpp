// The brush panel's sub-modes: each shows its family's strip with its own tools and buttons.
#include "panels/brush/RRealMediaToolPanel.h"

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "panels/brushsub/RRollerSubPanel.h"
#include "panels/brushsub/RSpraySubPanel.h"
#include "tests/panels/PaintPanelFixture.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;
using testpanels::nthTool;

class BrushPanel : public testpanels::PaintPanelFixture {};

// Each sub-mode button shows its family's strip with its own tools, selects itself and its
// family's button (and no other), gives the family's cursor and help, hides the sizes for the
// rollers and sprays only, and comes back as the family's remembered sub-mode.
TEST_F(BrushPanel, EachSubModeShowsItsOwnStripAndButtons) {
    struct Case {
        u16 mode;
        i16 family;
        i16 tool;  // the manager's tool afterwards
        i16 first, end;  // the strip's tools; both 0 for the pattern strips
        u16 cursor, help;
    };
    const Case cases[] = {
        {kBrushModeWacky, 0, nthTool(20, 45, 0), 20, 45, 15, 838},
        {kBrushModeHandsFree, 1, nthTool(55, 65, 0), 55, 65, 21, 839},
        {kBrushModeSpray, 2, kToolIdSprayGun, 0, 0, 17, 840},
        {kBrushModeReal, 0, nthTool(0, 20, 0), 0, 20, 15, 838},
        {kBrushModeVoice, 1, nthTool(45, 55, 0), 45, 55, 21, 839},
        {kBrushModeRoller, 2, kToolIdCyclic, 0, 0, 17, 840},
    };
    const size_t modeWords[] = {kBrushWordBrushMode, kBrushWordVoiceMode, kBrushWordRollerMode};
    auto panel = Open(Kind::Brush);
    auto& brush = static_cast<RRealMediaToolPanel&>(*panel);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        RMessage mode(c.mode, 0, 0);
        panel->HandleMessage(&mode, 0);
        Deliver();
        EXPECT_EQ(brush.GetFamily(), c.family);
        EXPECT_EQ(brush.Choices()[modeWords[c.family]], i16(c.mode));
        EXPECT_EQ(mgr.CurrentToolIndex(), c.tool);
        EXPECT_EQ(cursor, c.cursor);
        EXPECT_EQ(GetHelpContext().currentItem, c.help);
        ASSERT_EQ(brush.SubModeButtons().size(), 2u);
        for (const auto& button : brush.SubModeButtons())
            EXPECT_EQ(button->GetState() == kButtonSelected, button->GetCommand() == c.mode) << button->GetCommand();
        ASSERT_EQ(brush.SizeButtons().size(), 4u);
        for (const auto& button : brush.SizeButtons()) EXPECT_EQ(button->IsShown(), c.family != 2);
        RScrollToolPanel* strip = brush.GetSubPanel();
        ASSERT_NE(strip, nullptr);
        // The roller is its strip's own: the brush panel then holds no tool.
        const bool roller = c.mode == kBrushModeRoller;
        EXPECT_EQ(mgr.GetCurrentTool(), roller ? strip->GetCurrentTool() : panel->GetCurrentTool());
        EXPECT_EQ(panel->GetCurrentTool() == nullptr, roller);
        if (c.first != c.end) {
            EXPECT_EQ(strip->FirstToolIndex(), c.first);
            EXPECT_EQ(strip->EndToolIndex(), c.end);
        } else {
            EXPECT_EQ(dynamic_cast<RSpraySubPanel*>(strip) != nullptr, c.mode == kBrushModeSpray);
            EXPECT_EQ(dynamic_cast<RRollerSubPanel*>(strip) != nullptr, c.mode == kBrushModeRoller);
        }
    }
    // The family buttons bring back each family's last sub-mode.
    for (const auto& [family, tool] : {std::pair{kMsgBrushFamilyVoice, nthTool(45, 55, 0)}, {kMsgBrushFamilyBrushes, nthTool(0, 20, 0)},
                                      {kMsgBrushFamilyRollers, i16(kToolIdCyclic)}}) {
        RMessage choose(family, 0, 0);
        panel->HandleMessage(&choose, 0);
        Deliver();
        EXPECT_EQ(brush.GetFamily(), i16(family - kMsgBrushFamilyBrushes)) << family;
        EXPECT_EQ(mgr.CurrentToolIndex(), tool) << family;
    }
}

// Each brush strip's page counter follows the strip as it scrolls.
TEST_F(BrushPanel, EachStripsCounterFollowsItsPages) {
    auto panel = Open(Kind::Brush);
    auto& brush = static_cast<RRealMediaToolPanel&>(*panel);
    for (const u16 mode : {kBrushModeWacky, kBrushModeVoice, kBrushModeHandsFree, kBrushModeReal}) {
        RMessage choice(mode, 0, 0);
        panel->HandleMessage(&choice, 0);
        Deliver();
        RScrollToolPanel* strip = brush.GetSubPanel();
        ASSERT_NE(strip, nullptr);
        RBitmapScroller* scroller = strip->GetScroller();
        ASSERT_GT(strip->ItemCount(), scroller->GetPageStep()) << mode;
        EXPECT_EQ(strip->GetCounter(), 1) << mode;
        scroller->ScrollTo(scroller->GetPageStep());
        Deliver();
        EXPECT_EQ(strip->GetCounter(), 2) << mode;
        scroller->ScrollTo(0);
        Deliver();
        EXPECT_EQ(strip->GetCounter(), 1) << mode;
    }
}

}  // namespace
