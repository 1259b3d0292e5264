// The mixer panel's two pages.
#include "panels/mixer/RMixerPanel.h"

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "panels/mixer/MixerPanelCommands.h"
#include "tests/panels/PaintPanelFixture.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;
using testpanels::nthTool;

class MixerPanel : public testpanels::PaintPanelFixture {};

// Each mixer page offers its own tools with its cursor and help, shows the sizes only for the
// effect brushes, and brings back the item last chosen on it.
TEST_F(MixerPanel, EachMixerPageOffersItsToolsAndBringsBackItsItem) {
    struct Case {
        u32 page;
        i16 first, end;
        u16 cursor, help;
        bool sized;
    };
    const Case cases[] = {{kMsgMixerBrushesPage, 87, 99, 11, 859, true}, {kMsgMixerEffectsPage, 65, 87, 10, 858, false}};
    auto panel = Open(Kind::Mixer);
    auto& mixer = static_cast<RMixerPanel&>(*panel);
    for (const bool again : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.page << (again ? " again" : ""));
            cursor = 0xFFFF;
            RMessage page(c.page, 0, 0);
            panel->HandleMessage(&page, 0);
            Deliver();
            const int last = mixer.ItemCount() - 1;
            ASSERT_GT(last, 0);
            EXPECT_EQ(mixer.FirstToolIndex(), c.first);
            EXPECT_EQ(mixer.EndToolIndex(), c.end);
            EXPECT_EQ(mgr.CurrentToolIndex(), nthTool(c.first, c.end, again ? last : 0));
            EXPECT_EQ(cursor, c.cursor);
            EXPECT_EQ(GetHelpContext().currentItem, c.help);
            ASSERT_EQ(mixer.SizeButtons().size(), 4u);
            for (const auto& button : mixer.SizeButtons()) EXPECT_EQ(button->IsShown(), c.sized);
            RMessage hit(kMsgScrollerHit, 0, u16(last));
            panel->HandleMessage(&hit, 0);
            EXPECT_EQ(mgr.CurrentToolIndex(), nthTool(c.first, c.end, last));
            EXPECT_EQ(mgr.GetCurrentTool(), panel->GetCurrentTool());
        }
}

}  // namespace
