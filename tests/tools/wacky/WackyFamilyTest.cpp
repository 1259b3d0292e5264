// The wacky brushes, 20-44: each paints the wave (the house parts: a box dragged out) in its
// own way on the sheet tests/tools/golden/wacky.png, and undo takes each back byte for byte.
// Those that draw solid things with OpenGL paint them flat in software on a machine without
// GL (wacky_without_gl.png), undoable the same way.
#include <gtest/gtest.h>

#include "platform/gl/GlContext.h"
#include "tests/tools/BrushFamilyTestSupport.h"
#include "tools/wacky/R8WayMirror.h"
#include "tools/wacky/RABC.h"
#include "tools/wacky/RBricks.h"
#include "tools/wacky/RColorTile.h"
#include "tools/wacky/RDoor.h"
#include "tools/wacky/RDoorPlain.h"
#include "tools/wacky/RDotToDot.h"
#include "tools/wacky/RDrippy.h"
#include "tools/wacky/RGarland.h"
#include "tools/wacky/RLeakyPen.h"
#include "tools/wacky/RLog.h"
#include "tools/wacky/RLoopingLine.h"
#include "tools/wacky/RParticle.h"
#include "tools/wacky/RPoly.h"
#include "tools/wacky/RRainbow.h"
#include "tools/wacky/RRoof.h"
#include "tools/wacky/RScratchyPen.h"
#include "tools/wacky/RSpiral.h"
#include "tools/wacky/RSplat.h"
#include "tools/wacky/RTree.h"
#include "tools/wacky/RTriSpin.h"
#include "tools/wacky/RVessar.h"
#include "tools/wacky/RWhispyCircle.h"
#include "tools/wacky/RWindow.h"

namespace {

using namespace tooltest;

const GfxColor kRed = GfxColor::rgb(210, 30, 40);
const GfxColor kBlue = GfxColor::rgb(40, 80, 220);
const GfxColor kGreen = GfxColor::rgb(30, 150, 60);
const GfxColor kBrown = GfxColor::rgb(150, 90, 40);
const GfxColor kPurple = GfxColor::rgb(140, 50, 180);

template <i16 index>
MakeTool loopingLine() {
    return [] { return std::make_unique<RLoopingLine>(index); };
}

const std::vector<FamilyTool> kWacky = {
    {"Vessar", 20, makeTool<RVessar>(), 14, kGreen},
    {"Drippy", 21, makeTool<RDrippy>(), 10, kRed},
    {"Spiral", 22, makeTool<RSpiral>(), 10, kBlue},
    {"Poly", 23, makeTool<RPoly>(), 10, kPurple},
    {"TriSpin", 24, makeTool<RTriSpin>(), 16, kRed},
    {"WhispyCircle", 25, makeTool<RWhispyCircle>(), 16, kBlue},
    {"Particle", 26, makeTool<RParticle>(), 10, kRed},
    {"Garland", 27, makeTool<RGarland>(), 10, kGreen},
    {"LeakyPen", 28, makeTool<RLeakyPen>(), 12, kBlue},
    {"ScratchyPen", 29, makeTool<RScratchyPen>(), 8, kBrown},
    {"LoopingLine1", 30, loopingLine<30>(), 10, kBlue},
    {"LoopingLine2", 31, loopingLine<31>(), 10, kBlue},
    {"Bricks", 32, makeTool<RBricks>(), 30, kRed},
    {"Log", 33, makeTool<RLog>(), 30, kBrown},
    {"Window", 34, makeTool<RWindow>(), 10, kBrown},
    {"Door", 35, makeTool<RDoor>(), 10, kRed},
    {"DoorPlain", 36, makeTool<RDoorPlain>(), 10, kGreen},
    {"Roof", 37, makeTool<RRoof>(), 10, kBrown},
    {"DotToDot", 38, makeTool<RDotToDot>(), 8, kBlue},
    {"ABC", 39, makeTool<RABC>(), 14, kPurple},
    {"Rainbow", 40, makeTool<RRainbow>(), 16, kRed},
    {"ColorTile", 41, makeTool<RColorTile>(), 20, kBlue},
    {"EightWayMirror", 42, makeTool<R8WayMirror>(), 6, kPurple},
    {"Splat", 43, makeTool<RSplat>(), 12, kRed},
    {"Tree", 44, makeTool<RTree>(), 12, kGreen},
};

bool isHousePart(const FamilyTool& t) {
    const std::string name = t.name;
    return name == "Window" || name == "Door" || name == "DoorPlain" || name == "Roof";
}

// The house parts are dragged out as a box; the others paint the wave.
std::vector<Point16> strokeOf(const FamilyTool& t) {
    if (std::string(t.name) == "Door" || std::string(t.name) == "DoorPlain") return {{40, 6}, {60, 40}, {82, 76}};
    if (isHousePart(t)) return {{14, 10}, {60, 40}, {106, 70}};
    if (std::string(t.name) == "Tree") return {{20, 74}, {60, 74}, {100, 74}};
    return waveStroke();
}

// A machine on which no GL context can be made, while it lives.
struct WithoutGl {
    WithoutGl() { plat::gl::Context::refuse(true); }
    ~WithoutGl() { plat::gl::Context::refuse(false); }
};

// GL's light may fall a step differently on another machine.
constexpr int kGlTolerance = 8;

TEST(WackyFamily, EveryWackyBrushPaintsItsLookOnTheSheet) {
    expectFamilySheet("wacky", kWacky, strokeOf, pressAndDrag, {}, SheetDrawing{true, kGlTolerance});
}

TEST(WackyFamily, WithoutGlTheSolidBrushesPaintFlat) {
    WithoutGl refused;
    expectFamilySheet("wacky_without_gl", kWacky, strokeOf, pressAndDrag, {}, SheetDrawing{true, 0});
}

TEST(WackyFamily, UndoTakesEveryWackyStrokeBackByteForByte) {
    expectUndoRestores(kWacky, strokeOf, pressAndDrag, {}, true);
    WithoutGl refused;
    expectUndoRestores(kWacky, strokeOf, pressAndDrag, {}, true);
}

}  // namespace
