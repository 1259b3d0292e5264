// Every tool that paints, run through the tool manager on a scripted stroke and checked
// against its golden picture, tests/tools/golden/<name>.png (sizes, colours, patterns).
#include <gtest/gtest.h>

#include <functional>

#include "tests/tools/ShapeGroupTestSupport.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/cut/RCutSquare.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/erasers/RDFirecracker.h"
#include "tools/erasers/REraserTool.h"
#include "tools/fills/RGradientFill.h"
#include "tools/fills/RPatternFill.h"
#include "tools/fills/RSolidFill.h"
#include "tools/pencils/RChalk.h"
#include "tools/pencils/RCircle.h"
#include "tools/pencils/RCrayon.h"
#include "tools/pencils/RMarker.h"
#include "tools/shapes/RCurve.h"
#include "tools/shapes/RFilledCircle.h"
#include "tools/shapes/RFilledPoly.h"
#include "tools/shapes/RFilledSquare.h"
#include "tools/shapes/RLine.h"
#include "tools/shapes/ROCircle.h"
#include "tools/shapes/ROPoly.h"
#include "tools/shapes/ROSquare.h"
#include "tools/stamps/RCyclic.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace {

using tooltest::Easel;
using tooltest::Picture;

constexpr i16 kW = 64, kH = 48;
constexpr u16 kGoldenPatternGroup = 24000;
const std::vector<Point16> kZigzag = {{6, 8}, {20, 30}, {34, 10}, {48, 36}, {58, 14}};

void sized(RTool& tool, i16 size) {
    ToolParams params;
    params.sizes = {size};
    tool.SetParams(params);
}

// A black frame (a closed outline) for the fills to fill inside.
void frame(Picture& p) {
    for (i32 x = 10; x < 54; ++x) p.view.Put(x, 8, 0), p.view.Put(x, 39, 0);
    for (i32 y = 8; y < 40; ++y) p.view.Put(10, y, 0), p.view.Put(53, y, 0);
}

PixelTile checker(i16 n, u16 a, u16 b) {
    PixelTile t{{}, n, n};
    for (i32 y = 0; y < n; ++y)
        for (i32 x = 0; x < n; ++x) t.pixels.push_back(((x / 2 + y / 2) & 1) ? a : b);
    return t;
}

struct Golden {
    const char* name;
    GfxColor color;
    std::function<void(Picture&, Easel&)> paint;
};

template <typename Shape>
std::function<void(Picture&, Easel&)> shapeWithPencil(std::vector<std::vector<Point16>> strokes) {
    return [strokes](Picture&, Easel& e) {
        RCircle pencil;
        sized(pencil, 3);
        Shape shape(nullptr);
        shape.SetPencil(&pencil);
        e.Use(shape);
        for (const auto& s : strokes) e.Stroke(s);
        e.mgr.FinishTool();
    };
}

template <typename Pencil>
std::function<void(Picture&, Easel&)> pencilStroke(i16 size) {
    return [size](Picture&, Easel& e) {
        Pencil pencil;
        sized(pencil, size);
        e.Use(pencil);
        e.Stroke(kZigzag);
    };
}

const GfxColor kRed = GfxColor::rgb(220, 20, 30);
const GfxColor kBlue = GfxColor::rgb(30, 60, 230);
const GfxColor kGreen = GfxColor::rgb(20, 160, 40);

const Golden kGoldens[] = {
    {"circle_1", kRed, pencilStroke<RCircle>(1)},
    {"circle_10", kRed, pencilStroke<RCircle>(10)},
    {"chalk_12", kBlue, pencilStroke<RChalk>(12)},
    {"crayon_12", kGreen, pencilStroke<RCrayon>(12)},
    {"marker_12_over_stripe", kBlue,
     [](Picture& p, Easel& e) {
         for (i32 y = 20; y < 28; ++y) p.view.FillSpan(y, 0, kW, rgb555(200, 200, 0));
         RMarker marker;
         sized(marker, 12);
         e.Use(marker);
         e.Stroke(kZigzag);
         e.Stroke({{4, 40}, {60, 40}});
     }},
    {"line", kRed, shapeWithPencil<RLine>({{{5, 5}, {30, 20}, {58, 42}}})},
    {"curve", kRed, shapeWithPencil<RCurve>({{{6, 40}, {58, 40}}, {{32, 40}, {32, 2}}})},
    {"osquare", kRed, shapeWithPencil<ROSquare>({{{8, 6}, {40, 30}, {56, 40}}})},
    {"filledsquare", kBlue, shapeWithPencil<RFilledSquare>({{{8, 6}, {56, 40}}})},
    {"ocircle", kRed, shapeWithPencil<ROCircle>({{{6, 4}, {58, 44}}})},
    {"filledcircle", kGreen, shapeWithPencil<RFilledCircle>({{{6, 4}, {58, 44}}})},
    {"opoly", kRed, shapeWithPencil<ROPoly>({{{10, 40}, {32, 6}}, {{32, 6}, {54, 40}}, {{54, 40}, {12, 38}}})},
    {"filledpoly", kBlue, shapeWithPencil<RFilledPoly>({{{10, 40}, {32, 6}}, {{32, 6}, {54, 40}}, {{54, 40}, {12, 38}}})},
    {"eraser_round", kRed,
     [](Picture& p, Easel& e) {
         p.view.Fill(0);
         REraserTool eraser;
         sized(eraser, 9);
         e.Use(eraser);
         e.Stroke(kZigzag);
     }},
    {"eraser_square", kRed,
     [](Picture& p, Easel& e) {
         p.view.Fill(0);
         REraserTool eraser;
         eraser.SetShape(kEraserShapeSquare);
         sized(eraser, 9);
         e.Use(eraser);
         e.Stroke(kZigzag);
     }},
    {"solidfill", kGreen,
     [](Picture& p, Easel& e) {
         frame(p);
         RSolidFill fill;
         e.Use(fill);
         e.Click({30, 20});
     }},
    {"patternfill", kGreen,
     [](Picture& p, Easel& e) {
         frame(p);
         RPatternFill fill;
         fill.SetPatternTile(checker(4, rgb555(255, 0, 0), rgb555(255, 255, 0)));
         e.Use(fill);
         e.Click({30, 20});
     }},
    {"gradient_vertical", kBlue,
     [](Picture& p, Easel& e) {
         frame(p);
         RGradientFill fill;
         fill.SetFillPatternId(kGradientPatternBase);
         e.Use(fill);
         e.Click({30, 20});
     }},
    {"gradient_radial", kRed,
     [](Picture& p, Easel& e) {
         frame(p);
         RGradientFill fill;
         fill.SetFillPatternId(kGradientPatternBase + 2);
         e.Use(fill);
         e.Click({30, 20});
     }},
    {"spray_16", kRed, pencilStroke<RSprayGun>(16)},
    {"spray_pattern_16", kRed,
     [](Picture&, Easel& e) {
         RSprayGun spray;
         sized(spray, 16);
         const Ostrel::RMessage pattern(kToolMsgSprayPattern, kGoldenPatternGroup, 0);
         spray.HandleToolMessage(pattern, 0);
         e.Use(spray);
         e.Stroke(kZigzag);
     }},
    {"stamp_100_and_200", kRed,
     [](Picture&, Easel& e) {
         PixelTile face{std::vector<u16>(8 * 6, rgb555(0, 0, 255)), 8, 6};
         for (i32 x = 0; x < 8; ++x) face.pixels[size_t(x)] = kRgb555White;  // transparent top row
         RStampSimpleBitmap stamp;
         stamp.SetPicture(face);
         e.Use(stamp);
         e.Click({12, 12});
         stamp.SelectSize(2);
         e.Click({40, 30});
     }},
    {"cyclic", kRed,
     [](Picture&, Easel& e) {
         RCyclic roller;
         roller.SetShapeGroup(sprFindGroup(kGoldenPatternGroup), 1, kGoldenPatternGroup);
         roller.LoadCycle();
         e.Use(roller);
         e.Stroke({{6, 24}, {30, 24}, {58, 24}});
     }},
    {"ants_mid_drag", kRed,
     [](Picture& p, Easel& e) {
         p.view.Fill(rgb555(180, 180, 180));
         RMarchingAnts ants;
         RCutSquare square(nullptr);
         ants.SetCutShape(&square);
         e.Use(ants);
         e.mgr.HandleInput(Point16{8, 8}, 1000);
         e.mgr.TrackInput(Point16{30, 20}, 1100);
         e.mgr.TrackInput(Point16{50, 40}, 1180);
     }},
    {"firecracker_frame_8", kRed,
     [](Picture& p, Easel&) {
         p.view.Fill(rgb555(0, 0, 120));
         RDFirecracker cracker(nullptr, 123);
         ASSERT_EQ(cracker.Start(Rect16{0, 0, kW, kH}, p.view), kDestructoStarted);
         cracker.Trigger(Point16{32, 38});
         for (u32 i = 0; i < 8; ++i) cracker.Step(i * kDestructoFrameMs);
     }},
};

// The roller and the spray lay the frames of this group: 6 × 6 in red, green and blue.
class GoldenTools : public tooltest::ShapeGroups, public ::testing::WithParamInterface<Golden> {
protected:
    void SetUp() override {
        tooltest::ShapeGroups::SetUp();
        LoadGroup(kGoldenPatternGroup, {tooltest::solidFrame(6, 6, rgb555(255, 0, 0)), tooltest::solidFrame(6, 6, rgb555(0, 200, 0)),
                                  tooltest::solidFrame(6, 6, rgb555(0, 0, 255))});
    }
};

TEST_P(GoldenTools, PaintsItsGoldenImage) {
    const Golden& g = GetParam();
    Picture picture(kW, kH);
    Easel easel(picture, g.color);
    g.paint(picture, easel);
    tooltest::expectGolden(g.name, picture.view);
}

INSTANTIATE_TEST_SUITE_P(Tools, GoldenTools, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
