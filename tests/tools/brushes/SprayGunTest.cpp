// The spray gun's pattern: the spray panel's message reaches it through the brush panel with
// its table entry's address whole, and a pattern whose group is loaded is sprayed as frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/CListener.h"
#include "tests/tools/ShapeGroupTestSupport.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/pencils/RCircle.h"

namespace {

constexpr u16 kSprayGreen = 0x03E0, kSprayBlue = 0x001F;

// Stands for the brush panel: it hands 222 with its parameters and data word to its tool.
class BrushPanel : public CListener {
public:
    explicit BrushPanel(RTool& tool) : tool_(tool) {}
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) override {
        if (message->code == kToolMsgSprayPattern) taken = tool_.HandleToolMessage(*message, data);
        return 0;
    }
    u32 taken = 0;

private:
    RTool& tool_;
};

class SprayPattern : public tooltest::ShapeGroups {};

TEST_F(SprayPattern, PanelsMessageReachesTheSprayGunWithTheEntrysAddress) {
    LoadGroup(24300, {tooltest::solidFrame(2, 2, kSprayGreen), tooltest::solidFrame(2, 2, kSprayBlue)});
    std::array<SprayPatternEntry, 500> table{};
    table[3].spriteId = 24300;
    RSprayGun spray;
    BrushPanel panel(spray);
    CBroadcaster sprayPanel;
    sprayPanel.AddListener(&panel);
    Ostrel::RMessage message(kToolMsgSprayPattern, 24300, 17);
    sprayPanel.Broadcast(&message, reinterpret_cast<uintptr_t>(&table[3]));
    EXPECT_EQ(panel.taken, 1u);
    EXPECT_EQ(spray.GetPatternGroup(), 24300);
    EXPECT_EQ(spray.GetFrameValue(), 17);
    ASSERT_EQ(spray.GetPatternEntry(), &table[3]);
    EXPECT_EQ(spray.GetPatternEntry()->spriteId, 24300);
    EXPECT_EQ(spray.PatternFrameCount(), 2u);
}

// Each row: the message, whether the spray gun takes it; a refused one leaves the pattern
// that was there. Group ids end at 0xFFFF.
TEST_F(SprayPattern, TakesOnlyItsMessageWithASixteenBitGroup) {
    struct Case {
        const char* name;
        u32 code;
        uintptr_t group;
        u32 taken;
    };
    const Case cases[] = {{"pattern", kToolMsgSprayPattern, 24300, 1}, {"last group id", kToolMsgSprayPattern, 0xFFFF, 1},
                          {"one past", kToolMsgSprayPattern, 0x10000, 0}, {"far past", kToolMsgSprayPattern, uintptr_t(1) << 40, 0},
                          {"another code", 223, 24300, 0}};
    for (const Case& c : cases) {
        RSprayGun spray;
        spray.HandleToolMessage(Ostrel::RMessage(kToolMsgSprayPattern, 100, 5), 0);
        EXPECT_EQ(spray.HandleToolMessage(Ostrel::RMessage(c.code, c.group, 9), 0), c.taken) << c.name;
        EXPECT_EQ(spray.GetPatternGroup(), c.taken ? u16(c.group) : 100) << c.name;
        EXPECT_EQ(spray.GetFrameValue(), c.taken ? 9 : 5) << c.name;
    }
}

TEST_F(SprayPattern, ToolsWithoutMessagesRefuseIt) {
    RCircle pencil;
    EXPECT_EQ(pencil.HandleToolMessage(Ostrel::RMessage(kToolMsgSprayPattern, 24300, 0), 0), 0u);
}

// A loaded pattern lays its frames and no dot of the brushes' colour; a pattern whose group
// is not loaded sprays dots.
TEST_F(SprayPattern, SpraysTheFramesOfALoadedGroupElseDots) {
    LoadGroup(24300, {tooltest::solidFrame(2, 2, kSprayGreen), tooltest::solidFrame(2, 2, kSprayBlue)});
    const u16 red = rgb555(255, 0, 0);
    for (u16 group : {u16(24300), u16(24400)}) {
        RSprayGun spray;
        ToolParams params;
        params.sizes = {12};
        spray.SetParams(params);
        spray.HandleToolMessage(Ostrel::RMessage(kToolMsgSprayPattern, group, 0), 0);
        tooltest::Picture picture(40, 40);
        tooltest::Easel easel(picture, GfxColor::rgb(255, 0, 0));
        easel.Use(spray);
        easel.Stroke({{10, 20}, {20, 20}, {30, 20}});
        size_t green = 0, blue = 0, dots = 0;
        for (u16 p : picture.pixels) {
            green += p == kSprayGreen;
            blue += p == kSprayBlue;
            dots += p == red;
        }
        if (group == 24300) {
            EXPECT_GT(green, 0u);
            EXPECT_GT(blue, 0u);
            EXPECT_EQ(dots, 0u);
        } else {
            EXPECT_EQ(green + blue, 0u);
            EXPECT_GT(dots, 0u);
        }
    }
}

// The spray family has no size buttons: at the small size it is left with, a pattern still
// scatters over a band about three frames wide instead of laying its frames along the line.
TEST_F(SprayPattern, APatternScattersWideAtASmallSize) {
    LoadGroup(24300, {tooltest::solidFrame(6, 6, kSprayGreen), tooltest::solidFrame(6, 6, kSprayBlue)});
    RSprayGun spray;
    ToolParams params;
    params.sizes = {5};
    spray.SetParams(params);
    spray.HandleToolMessage(Ostrel::RMessage(kToolMsgSprayPattern, 24300, 0), 0);
    tooltest::Picture picture(100, 60);
    tooltest::Easel easel(picture);
    easel.Use(spray);
    std::vector<Point16> line;
    for (i16 x = 10; x <= 90; x += 4) line.push_back({x, 30});
    easel.Stroke(line);
    i32 top = 60, bottom = -1;
    for (i32 y = 0; y < 60; ++y)
        for (i32 x = 0; x < 100; ++x)
            if (picture.view.At(x, y) != kRgb555White) top = std::min(top, y), bottom = std::max(bottom, y);
    // Frames centred within 2.5 pixels of the line would cover 11 rows at most; centred within
    // a band three frames wide, 24 at most.
    EXPECT_GE(bottom - top + 1, 18);
    EXPECT_LE(bottom - top + 1, 24);
}

}  // namespace
