// The factory builds, for each tool index, the tool of that row with its own tool id, and
// nothing for the rows that need their panel's arguments or lie outside the table.
#include "panels/base/ToolFactory.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <utility>

#include "tools/brushes/RCustomBrush1.h"
#include "tools/brushes/RCustomBrush16.h"
#include "tools/brushes/RExtrusionBrush.h"
#include "tools/brushes/RRealBrush.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/effects/RKaleidoscope.h"
#include "tools/effects/RXRay.h"
#include "tools/effects/brushes/RBlurBrush.h"
#include "tools/effects/brushes/RMosaicBrush.h"
#include "tools/erasers/REraserTool.h"
#include "tools/erasers/RPageEraseTool.h"
#include "tools/fills/RGradientFill.h"
#include "tools/fills/RPatternFill.h"
#include "tools/fills/RSolidFill.h"
#include "tools/handsfree/RTouchless1.h"
#include "tools/handsfree/RTouchless10.h"
#include "tools/voice/RCustomVoiceBrush1.h"
#include "tools/voice/RCustomVoiceBrush10.h"
#include "tools/wacky/RLoopingLine.h"
#include "tools/wacky/RTree.h"
#include "tools/wacky/RVessar.h"
#include "tools/wacky/RWindow.h"
#include "tools/pencils/RChalk.h"
#include "tools/pencils/RCircle.h"
#include "tools/pencils/RCrayon.h"
#include "tools/pencils/RMarker.h"
#include "tools/text/RText.h"

namespace {

using namespace Ostrel;

struct Row {
    i16 index;
    const std::type_info& type;
    i16 toolId;
};

TEST(ToolFactory, EachBuiltRowMakesItsClassWithItsToolId) {
    const Row rows[] = {
        {99, typeid(RCircle), 99},          {100, typeid(RChalk), 100},        {101, typeid(RCrayon), 101},
        {102, typeid(RMarker), 102},        {115, typeid(REraserTool), 99},    {116, typeid(RSolidFill), 116},
        {117, typeid(RPatternFill), 117},   {118, typeid(RGradientFill), 118}, {119, typeid(RSprayGun), 119},
        {122, typeid(RMarchingAnts), 122},  {65, typeid(RXRay), 65},           {86, typeid(RKaleidoscope), 86},
        {88, typeid(RBlurBrush), 88},       {98, typeid(RMosaicBrush), 98},    {123, typeid(RPageEraseTool), 123},
        {130, typeid(RPageEraseTool), 130}, {137, typeid(RPageEraseTool), 137}, {138, typeid(RText), 138},
        {0, typeid(RRealBrush), 0},          {3, typeid(RExtrusionBrush), 3},
        {4, typeid(RCustomBrush1), 4},      {19, typeid(RCustomBrush16), 19},  {20, typeid(RVessar), 20},
        {30, typeid(RLoopingLine), 30},     {31, typeid(RLoopingLine), 31},    {34, typeid(RWindow), 34},
        {44, typeid(RTree), 44},            {45, typeid(RCustomVoiceBrush1), 45}, {54, typeid(RCustomVoiceBrush10), 54},
        {55, typeid(RTouchless1), 55},      {64, typeid(RTouchless10), 64},
    };
    for (const Row& row : rows) {
        std::unique_ptr<RTool> tool = CreateToolForIndex(row.index);
        ASSERT_NE(tool, nullptr) << row.index;
        EXPECT_EQ(typeid(*tool), row.type) << row.index;
        EXPECT_EQ(tool->GetToolId(), row.toolId) << row.index;
    }
}

// Every brush row builds a tool; only the hands-free brushes paint without a press, and the
// two looping lines are one class that tells its rows apart.
TEST(ToolFactory, EveryBrushRowBuildsABrushAndOnlyTheHandsFreeOnesPaintOnHover) {
    for (i16 index = 0; index <= 64; ++index) {
        std::unique_ptr<RTool> tool = CreateToolForIndex(index);
        ASSERT_NE(tool, nullptr) << index;
        EXPECT_EQ(tool->PaintsOnHover(), index >= 55) << index;
    }
    auto first = CreateToolForIndex(30), second = CreateToolForIndex(31);
    EXPECT_FALSE(static_cast<RLoopingLine&>(*first).IsRainbow());
    EXPECT_TRUE(static_cast<RLoopingLine&>(*second).IsRainbow());
}

TEST(ToolFactory, RowsBuiltByTheirPanelsAndIndicesOutsideTheTableGiveNothing) {
    for (i16 index : {i16(-1), i16(-32768), i16(139), i16(32767), i16(103), i16(110), i16(111), i16(114), i16(120),
                      i16(121)})
        EXPECT_EQ(CreateToolForIndex(index), nullptr) << index;
}

// The pixel effects, the effect brushes and the page-erase effects: every row of their ranges.
TEST(ToolFactory, EveryEffectRowBuildsATool) {
    for (auto [first, last] : {std::pair<i16, i16>{65, 98}, std::pair<i16, i16>{123, 137}})
        for (i16 index = first; index <= last; ++index) EXPECT_NE(CreateToolForIndex(index), nullptr) << index;
}

TEST(ToolFactory, EveryToolMadeCarriesItsRowsIdExceptTheEraser) {
    for (i16 index = 0; index <= kLastFactoryTool; ++index) {
        std::unique_ptr<RTool> tool = CreateToolForIndex(index);
        if (tool == nullptr) continue;
        EXPECT_EQ(tool->GetToolId(), index == 115 ? 99 : index) << index;
    }
}

}  // namespace
