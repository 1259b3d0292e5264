#include "framework/controls/PaintColor.h"

#include <gtest/gtest.h>

namespace {

using namespace Ostrel;

TEST(PaintColor, PackedWithRedLowestAndBlueHighest) {
    const GfxColor saved = CurrentPaintColor();
    CurrentPaintColor() = GfxColor::rgb(0x12, 0x34, 0x56);
    EXPECT_EQ(PackedPaintColor(), 0x563412u);
    CurrentPaintColor() = saved;
}

}  // namespace
