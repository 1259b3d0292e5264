// The base panel: its art runs from 19000 to the first missing id, a panel without a tool says
// no 'kild', colour swatches only for a sensible button range, and a chosen colour becomes the
// brushes' colour.
#include "panels/base/RToolPanel.h"

#include <gtest/gtest.h>

#include "framework/controls/RColorPicker.h"
#include "panels/base/ToolPanelMessages.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"

namespace {

using namespace Ostrel;

class RangePanel : public RToolPanel {
public:
    RangePanel(CListener* owner, int first, int last) : RToolPanel(owner, nullptr), first_(first), last_(last) {
        SetMessageBase(18400);
    }
    int FirstColorButton() const override { return first_; }
    int LastColorButton() const override { return last_; }
    using RToolPanel::ActivateTool;
    using RToolPanel::AnnounceTool;
    using RToolPanel::DropCurrentTool;

private:
    int first_;
    int last_;
};

class ToolPanel : public testpanels::PanelFixture {
protected:
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> items = PanelFixture::contents();
        // Art 19000-19002, then a gap: 19004 is never reached.
        for (u16 id : {19000, 19001, 19002, 19004}) items.push_back({fourCC("tBMP"), id, std::string(12, char(id & 0xFF))});
        return items;
    }
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST_F(ToolPanel, ArtRunsUpToTheFirstMissingPicture) {
    RangePanel panel(&owner, -1, -1);
    ASSERT_EQ(panel.Init(), 0);
    const std::vector<const u8*> art = panel.Art();
    ASSERT_EQ(art.size(), 3u);
    EXPECT_EQ(art[0][0], u8(19000 & 0xFF));
    EXPECT_EQ(art[2][0], u8(19002 & 0xFF));
}

TEST_F(ToolPanel, DroppingWithoutAToolSaysNothingAndWithOneSaysKild) {
    RangePanel panel(&owner, -1, -1);
    Attach(panel);
    panel.DropCurrentTool();
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(panel.ActivateTool(panel.CreateTool(100)));
    EXPECT_TRUE(panel.GetCurrentTool()->IsActive());
    EXPECT_TRUE(rectEqual(panel.GetCurrentTool()->CanvasRect(), canvas));
    panel.AnnounceTool(panel.GetCurrentTool());
    EXPECT_EQ(mgr.CurrentToolIndex(), 100);
    panel.DropCurrentTool();
    EXPECT_EQ(log, (fwtest::Log{"owner:" + std::to_string(kToolMsgBorn), "owner:" + std::to_string(kToolMsgKild)}));
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(panel.GetCurrentTool(), nullptr);
    EXPECT_FALSE(panel.ActivateTool(panel.CreateTool(103)));
    EXPECT_EQ(panel.GetCurrentTool(), nullptr);
}

TEST_F(ToolPanel, ColourSwatchesOnlyForAnOrderedRange) {
    struct Case {
        int first, last;
        std::vector<bool> swatch;
    };
    const Case cases[] = {{-1, -1, {false, false, false, false, false}},
                          {2, 1, {false, false, false, false, false}},
                          {0, 3, {true, true, true, true, false}},
                          {3, 3, {false, false, false, true, false}}};
    for (const Case& c : cases) {
        RangePanel panel(&owner, c.first, c.last);
        ASSERT_EQ(panel.Init(), 0);
        for (size_t i = 0; i < c.swatch.size(); ++i)
            EXPECT_EQ(panel.Buttons()[i]->GetOwnerData() == reinterpret_cast<uintptr_t>(&panel), c.swatch[i])
                << c.first << ".." << c.last << " button " << i;
    }
}

}  // namespace
