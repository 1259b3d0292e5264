// Every painting tool driven at and past the picture's edges (negative points, points at the
// far ends of the coordinate range, the largest size): the pixels around the picture's memory
// stay as they were.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/tools/ShapeGroupTestSupport.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/brushes/RAirbrush.h"
#include "tools/brushes/RBristleBrush.h"
#include "tools/brushes/RCustomBrush11.h"
#include "tools/brushes/RCustomBrush16.h"
#include "tools/brushes/RExtrusionBrush.h"
#include "tools/brushes/RRealBrush.h"
#include "tools/brushes/RSprayGun.h"
#include "tools/cut/RCutFree.h"
#include "tools/cut/RCutPoly.h"
#include "tools/cut/RCutSquare.h"
#include "tools/cut/RMarchingAnts.h"
#include "tools/cut/ROCircleCut.h"
#include "tools/erasers/REraserTool.h"
#include "tools/fills/RGradientFill.h"
#include "tools/fills/RSolidFill.h"
#include "tools/handsfree/RTouchless6.h"
#include "tools/voice/RCustomVoiceBrush2.h"
#include "tools/wacky/R8WayMirror.h"
#include "tools/wacky/RABC.h"
#include "tools/wacky/RBricks.h"
#include "tools/wacky/RColorTile.h"
#include "tools/wacky/RDoor.h"
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
#include "tools/shapes/ROSquare.h"
#include "tools/stamps/RCyclic.h"
#include "tools/stamps/RStampSimpleBitmap.h"

namespace {

constexpr u16 kGuard = 0x2A2A;
constexpr i16 kMargin = 8;
constexpr u16 kPatternGroup = 24000;

// A picture in the middle of a larger buffer whose border must never be written.
struct GuardedPicture {
    GuardedPicture(i16 width, i16 height) : outerWidth(i16(width + 2 * kMargin)) {
        buffer.assign(size_t(outerWidth) * size_t(height + 2 * kMargin), kGuard);
        view = PixelView{reinterpret_cast<u8*>(buffer.data() + size_t(kMargin) * size_t(outerWidth) + size_t(kMargin)),
                         std::ptrdiff_t(outerWidth) * 2, width, height};
        view.Fill(kRgb555White);
    }
    bool GuardIntact() const {
        for (i32 y = 0; y < view.height + 2 * kMargin; ++y)
            for (i32 x = 0; x < outerWidth; ++x) {
                const bool inside = x >= kMargin && x < kMargin + view.width && y >= kMargin && y < kMargin + view.height;
                if (!inside && buffer[size_t(y) * size_t(outerWidth) + size_t(x)] != kGuard) return false;
            }
        return true;
    }
    i16 outerWidth;
    std::vector<u16> buffer;
    PixelView view;
};

void largest(RTool& tool) {
    ToolParams params;
    params.sizes = {kToolMaxSize};
    tool.SetParams(params);
}

struct Maker {
    const char* name;
    std::function<std::unique_ptr<RTool>(RStrokeTool* pencil)> make;
};

template <typename T>
Maker plain(const char* name) {
    return {name, [](RStrokeTool*) { return std::unique_ptr<RTool>(new T()); }};
}

// A voice brush that hears a shout, not the microphone.
struct Shout : VoiceLevel {
    float Level() override { return 1; }
};
Shout gShout;

template <typename T>
Maker voice(const char* name) {
    return {name, [](RStrokeTool*) {
                auto brush = std::make_unique<T>();
                brush->SetLevelSource(&gShout);
                return std::unique_ptr<RTool>(std::move(brush));
            }};
}

template <typename T>
Maker shape(const char* name) {
    return {name, [](RStrokeTool* pencil) {
                auto tool = std::make_unique<T>(nullptr);
                tool->SetPencil(pencil);
                return std::unique_ptr<RTool>(std::move(tool));
            }};
}

template <typename T>
Maker cut(const char* name) {
    return {name, [](RStrokeTool*) {
                struct Ants : RMarchingAnts {
                    T shape{nullptr};
                    Ants() { SetCutShape(&shape); }
                };
                return std::unique_ptr<RTool>(new Ants());
            }};
}

const Maker kTools[] = {
    plain<RCircle>("circle"),           plain<RChalk>("chalk"),
    plain<RCrayon>("crayon"),           plain<RMarker>("marker"),
    plain<REraserTool>("eraser"),       plain<RSprayGun>("spray"),
    plain<RSolidFill>("solidfill"),     plain<RGradientFill>("gradient"),
    plain<RRealBrush>("realbrush"),     plain<RAirbrush>("airbrush"),
    plain<RBristleBrush>("bristle"),    plain<RExtrusionBrush>("extrusion"),
    plain<RCustomBrush11>("nib"),       plain<RCustomBrush16>("confetti"),
    plain<RVessar>("vessar"),           plain<RDrippy>("drippy"),
    plain<RSpiral>("spiral"),           plain<RPoly>("poly"),
    plain<RTriSpin>("trispin"),         plain<RWhispyCircle>("whispycircle"),
    plain<RParticle>("particle"),       plain<RGarland>("garland"),
    plain<RLeakyPen>("leakypen"),       plain<RScratchyPen>("scratchypen"),
    {"loopingline", [](RStrokeTool*) { return std::unique_ptr<RTool>(new RLoopingLine(31)); }},
    plain<RBricks>("bricks"),           plain<RLog>("log"),
    plain<RWindow>("window"),           plain<RDoor>("door"),
    plain<RRoof>("roof"),               plain<RDotToDot>("dottodot"),
    plain<RABC>("abc"),                 plain<RRainbow>("rainbow"),
    plain<RColorTile>("colortile"),     plain<R8WayMirror>("eightwaymirror"),
    plain<RSplat>("splat"),             plain<RTree>("tree"),
    voice<RCustomVoiceBrush2>("voice"), plain<RTouchless6>("handsfree"),
    shape<RLine>("line"),               shape<RCurve>("curve"),
    shape<ROSquare>("osquare"),         shape<RFilledSquare>("filledsquare"),
    shape<ROCircle>("ocircle"),         shape<RFilledCircle>("filledcircle"),
    shape<ROPoly>("opoly"),             shape<RFilledPoly>("filledpoly"),
    cut<RCutFree>("cutfree"),           cut<RCutPoly>("cutpoly"),
    cut<ROCircleCut>("ocirclecut"),     cut<RCutSquare>("cutsquare"),
    {"stamp",
     [](RStrokeTool*) {
         auto stamp = std::make_unique<RStampSimpleBitmap>();
         stamp->SetPicture(PixelTile{std::vector<u16>(40 * 30, 0x001F), 40, 30});
         stamp->SelectSize(3);
         return std::unique_ptr<RTool>(std::move(stamp));
     }},
    {"cyclic",
     [](RStrokeTool*) {
         auto roller = std::make_unique<RCyclic>();
         roller->SetShapeGroup(sprFindGroup(kPatternGroup), 1, kPatternGroup);
         roller->LoadCycle();
         return std::unique_ptr<RTool>(std::move(roller));
     }},
    {"spray_pattern",
     [](RStrokeTool*) {
         auto spray = std::make_unique<RSprayGun>();
         spray->HandleToolMessage(Ostrel::RMessage(kToolMsgSprayPattern, kPatternGroup, 0), 0);
         return std::unique_ptr<RTool>(std::move(spray));
     }},
};

// Strokes in picture coordinates of a 30 × 20 picture whose canvas sits at the screen's origin.
const std::vector<std::vector<Point16>> kEdgeStrokes = {
    {{0, 0}, {-5, -5}, {-30000, 12}, {29, 19}},
    {{29, 19}, {32767, 32767}, {40, 25}, {-32768, -32768}},
    {{15, 0}, {15, -1}, {15, -32768}},
    {{29, 0}, {32767, 0}, {30, 20}},
    {{0, 19}, {-32768, 19}, {0, 32767}},
};

// The roller and the spray lay the frames of this group, one of 50 × 50.
class EdgeStrokes : public tooltest::ShapeGroups, public ::testing::WithParamInterface<Maker> {
protected:
    void SetUp() override {
        tooltest::ShapeGroups::SetUp();
        LoadGroup(kPatternGroup, {tooltest::solidFrame(50, 50, 0x03E0)});
    }
};

TEST_P(EdgeStrokes, NothingIsWrittenOutsideThePicture) {
    GuardedPicture picture(30, 20);
    const FixedToolHost host(GfxColor::rgb(200, 0, 0));
    RToolMgr mgr;
    const Rect16 canvas{0, 0, 30, 20};
    mgr.Init(picture.view, canvas, nullptr);
    mgr.SetHost(&host);
    RCircle pencil;
    largest(pencil);
    std::unique_ptr<RTool> tool = GetParam().make(&pencil);
    largest(*tool);
    ASSERT_EQ(tool->Activate(nullptr, -1, canvas), kToolActivated);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(tool.get()), 0);
    mgr.HandleMessage(&born, 0);
    u32 clock = 1000;
    for (const auto& stroke : kEdgeStrokes) {
        ASSERT_EQ(mgr.HandleInput(stroke.front(), clock), 1);
        for (size_t i = 1; i + 1 < stroke.size(); ++i) mgr.TrackInput(stroke[i], clock += 7);
        mgr.EndInput(stroke.back(), clock += 7);
        EXPECT_TRUE(picture.GuardIntact()) << GetParam().name;
    }
    mgr.FinishTool();
    EXPECT_TRUE(picture.GuardIntact()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Tools, EdgeStrokes, ::testing::ValuesIn(kTools),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
