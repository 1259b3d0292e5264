// The brushes, 0-19: each paints the wave in its own way (the sheet tests/tools/golden/
// brushes.png shows them side by side), and undo takes each stroke back byte for byte.
#include <gtest/gtest.h>

#include "tests/tools/BrushFamilyTestSupport.h"
#include "tools/brushes/RAirbrush.h"
#include "tools/brushes/RBristleBrush.h"
#include "tools/brushes/RCustomBrush1.h"
#include "tools/brushes/RCustomBrush10.h"
#include "tools/brushes/RCustomBrush11.h"
#include "tools/brushes/RCustomBrush12.h"
#include "tools/brushes/RCustomBrush13.h"
#include "tools/brushes/RCustomBrush14.h"
#include "tools/brushes/RCustomBrush15.h"
#include "tools/brushes/RCustomBrush16.h"
#include "tools/brushes/RCustomBrush2.h"
#include "tools/brushes/RCustomBrush3.h"
#include "tools/brushes/RCustomBrush4.h"
#include "tools/brushes/RCustomBrush5.h"
#include "tools/brushes/RCustomBrush6.h"
#include "tools/brushes/RCustomBrush7.h"
#include "tools/brushes/RCustomBrush8.h"
#include "tools/brushes/RCustomBrush9.h"
#include "tools/brushes/RExtrusionBrush.h"
#include "tools/brushes/RRealBrush.h"

namespace {

using namespace tooltest;

const GfxColor kRed = GfxColor::rgb(210, 30, 40);
const GfxColor kBlue = GfxColor::rgb(40, 80, 220);
const GfxColor kGreen = GfxColor::rgb(30, 150, 60);
const GfxColor kPurple = GfxColor::rgb(140, 50, 180);

const std::vector<FamilyTool> kBrushes = {
    {"RealBrush", 0, makeTool<RRealBrush>(), 14, kBlue},         {"Airbrush", 1, makeTool<RAirbrush>(), 12, kRed},
    {"BristleBrush", 2, makeTool<RBristleBrush>(), 16, kGreen},  {"ExtrusionBrush", 3, makeTool<RExtrusionBrush>(), 14, kPurple},
    {"CustomBrush1", 4, makeTool<RCustomBrush1>(), 14, kRed},    {"CustomBrush2", 5, makeTool<RCustomBrush2>(), 14, kRed},
    {"CustomBrush3", 6, makeTool<RCustomBrush3>(), 12, kBlue},   {"CustomBrush4", 7, makeTool<RCustomBrush4>(), 14, kBlue},
    {"CustomBrush5", 8, makeTool<RCustomBrush5>(), 14, kGreen},  {"CustomBrush6", 9, makeTool<RCustomBrush6>(), 16, kPurple},
    {"CustomBrush7", 10, makeTool<RCustomBrush7>(), 12, kBlue},   {"CustomBrush8", 11, makeTool<RCustomBrush8>(), 14, kRed},
    {"CustomBrush9", 12, makeTool<RCustomBrush9>(), 16, kBlue},   {"CustomBrush10", 13, makeTool<RCustomBrush10>(), 14, kGreen},
    {"CustomBrush11", 14, makeTool<RCustomBrush11>(), 16, kBlue}, {"CustomBrush12", 15, makeTool<RCustomBrush12>(), 16, kRed},
    {"CustomBrush13", 16, makeTool<RCustomBrush13>(), 14, kRed},  {"CustomBrush14", 17, makeTool<RCustomBrush14>(), 14, kBlue},
    {"CustomBrush15", 18, makeTool<RCustomBrush15>(), 16, kGreen}, {"CustomBrush16", 19, makeTool<RCustomBrush16>(), 10, kRed},
};

std::vector<Point16> wave(const FamilyTool&) { return waveStroke(); }

TEST(BrushFamily, EveryBrushPaintsItsLookOnTheSheet) { expectFamilySheet("brushes", kBrushes, wave, pressAndDrag); }

TEST(BrushFamily, UndoTakesEveryBrushStrokeBackByteForByte) { expectUndoRestores(kBrushes, wave, pressAndDrag); }

}  // namespace
