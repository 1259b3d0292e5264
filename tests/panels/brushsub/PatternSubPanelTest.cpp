// The roller's and the spray's strips load the chosen pattern's shape group and release the
// one before it.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/gfx/sprites/SprShapes.h"
#include "panels/brushsub/RRollerSubPanel.h"
#include "panels/brushsub/RSpraySubPanel.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"
#include "tests/panels/PaintPanelFixture.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;

// With the patterns' shape groups in the archive (one frame each, group 24000 in colour 1,
// 24100 in colour 2; the third pattern, 24200, has a picture and no group), the chosen
// pattern's group is loaded for the roller or the spray gun and the one before it released; a
// pattern without its group paints nothing of another's. Leaving the rollers and closing the
// panel release theirs.
class PatternGroups : public testpanels::PaintPanelFixture {
protected:
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> items = PaintPanelFixture::contents();
        for (const auto& [group, colour] : {std::pair<u16, u16>{24000, 1}, {24100, 2}, {kOtherGroup, 3}}) {
            const testshape::Bytes bytes = testshape::makeGroup({testshape::frame16(2, 2, std::vector<u16>(4, colour))});
            items.push_back({kSprGroupType, group, std::string(bytes.begin(), bytes.end())});
        }
        items.push_back({fourCC("tBMP"), 24200, "picture"});
        return items;
    }
    void TearDown() override {
        sprReleaseGroup(0, 0);
        PaintPanelFixture::TearDown();
    }
    static bool Loaded(u16 group) { return sprFindGroup(group) != kSprNoSlot; }
    // A group of the easel's own, loaded before the panel opens.
    static constexpr u16 kOtherGroup = 30000;

    struct Step {
        u16 item;  // 0xFFFF: none, the remembered one shows
        u16 group, released;  // group 0: none loaded
        u16 colour;  // what a stroke lays; 0 nothing
    };
};

TEST_F(PatternGroups, TheChosenPatternsGroupIsLoadedAndTheOneBeforeReleased) {
    ASSERT_NE(sprLoadGroup(kOtherGroup, 0, 0, 0, kSprFirstIsGroupId), kSprNoSlot);
    // The sprays' remembered item is just past their strip.
    Store(Kind::Brush, {2, 1, 18003, 18006, 18007, 0, 0, 0, 0, 1, 3});
    auto panel = Open(Kind::Brush);
    auto& brush = static_cast<RRealMediaToolPanel&>(*panel);
    auto* roller = dynamic_cast<RRollerSubPanel*>(brush.GetSubPanel());
    ASSERT_NE(roller, nullptr);
    ASSERT_NE(roller->GetRoller(), nullptr);
    // A choice past the strip keeps the pattern.
    for (const Step& step : {Step{0xFFFF, 24100, 24000, 2}, Step{0, 24000, 24100, 1}, Step{3, 24000, 24100, 1},
                             Step{2, 0, 24000, 0}, Step{1, 24100, 24000, 2}}) {
        SCOPED_TRACE(step.item);
        if (step.item != 0xFFFF) {
            RMessage hit(kMsgScrollerHit, 0, step.item);
            roller->HandleMessage(&hit, 0);
        }
        EXPECT_EQ(roller->GetPatternGroup(), step.group);
        EXPECT_EQ(Loaded(step.group), step.group != 0);
        EXPECT_FALSE(Loaded(step.released));
        EXPECT_EQ(roller->GetRoller()->FrameCount(), step.colour != 0 ? 1u : 0u);
        std::fill(picture.begin(), picture.end(), kRgb555White);
        Stroke({10, 10}, {40, 10});
        EXPECT_EQ(std::count(picture.begin(), picture.end(), step.colour), step.colour != 0 ? PaintedPixels() : 0);
        EXPECT_EQ(PaintedPixels() > 0, step.colour != 0);
    }
    // The sprays start from their first pattern; the roller's is let go.
    RMessage sprays(kBrushModeSpray, 0, 0);
    panel->HandleMessage(&sprays, 0);
    Deliver();
    auto* spray = dynamic_cast<RSpraySubPanel*>(brush.GetSubPanel());
    ASSERT_NE(spray, nullptr);
    auto* gun = dynamic_cast<RSprayGun*>(mgr.GetCurrentTool());
    ASSERT_NE(gun, nullptr);
    for (const Step& step : {Step{0xFFFF, 24000, 24100, 1}, Step{1, 24100, 24000, 2}, Step{5, 24100, 24000, 2}, Step{2, 0, 24100, 0}}) {
        SCOPED_TRACE(step.item);
        if (step.item != 0xFFFF) {
            RMessage hit(kMsgScrollerHit, 0, step.item);
            spray->HandleMessage(&hit, 0);
        }
        EXPECT_EQ(spray->GetPatternGroup(), step.group);
        EXPECT_EQ(gun->GetPatternGroup(), step.group);
        EXPECT_EQ(gun->PatternFrameCount(), step.colour != 0 ? 1u : 0u);
        EXPECT_EQ(Loaded(step.group), step.group != 0);
        EXPECT_FALSE(Loaded(step.released));
    }
    EXPECT_EQ(brush.Choices()[kBrushWordFirstItem + 5], 2);
    panel.reset();
    EXPECT_FALSE(Loaded(24000));
    EXPECT_FALSE(Loaded(24100));
    EXPECT_TRUE(Loaded(kOtherGroup)) << "a strip without a group of its own releases no other";
}

}  // namespace
