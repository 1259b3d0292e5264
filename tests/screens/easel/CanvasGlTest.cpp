// The canvas binds the program's one OpenGL renderer to its picture (a bottom-up store): the
// wacky brushes that draw solid things paint through it exactly what they paint into a
// top-down picture, and on a machine without GL the canvas answers 1 and they paint flat.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "engine/gfx/gl/GlSharedRenderer.h"
#include "framework/messaging/mfDispatcher.h"
#include "panels/base/ToolPanelMessages.h"
#include "platform/gl/GlContext.h"
#include "tests/screens/easel/CanvasFixture.h"
#include "tests/tools/GlPicture.h"
#include "tests/tools/base/FixedToolHost.h"
#include "tools/wacky/RGarland.h"
#include "tools/wacky/RRainbow.h"
#include "tools/wacky/RTree.h"
#include "tools/wacky/RVessar.h"

namespace {

using namespace Ostrel;
using MakeBrush = std::function<std::unique_ptr<RTool>()>;

template <class T>
MakeBrush brush() {
    return [] {
        auto made = std::make_unique<T>();
        ToolParams params;
        params.sizes = {12};
        made->SetParams(params);
        return std::unique_ptr<RTool>(std::move(made));
    };
}

struct Solid {
    const char* name;
    MakeBrush make;
};
const Solid kSolids[] = {{"garland", brush<RGarland>()}, {"tree", brush<RTree>()}, {"vessel", brush<RVessar>()},
                         {"rainbow", brush<RRainbow>()}};

const GfxColor kGreen = GfxColor::rgb(30, 150, 60);
constexpr Point16 kFrom{150, 170}, kMiddle{240, 120}, kTo{330, 180};

// A machine on which no GL context can be made, while it lives.
struct WithoutGl {
    WithoutGl() { plat::gl::Context::refuse(true); }
    ~WithoutGl() { plat::gl::Context::refuse(false); }
};

class CanvasGl : public easeltest::CanvasFixture {
protected:
    std::vector<u16> strokeOnCanvas(Ostrel::RCanvas& canvas, RTool& tool) {
        easel_.paintColor = kGreen;
        tool.Activate(screen_, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool), 0);
        canvas.ToolManager()->HandleMessage(&born, 0);
        EXPECT_EQ(canvas.HandleInput(kInputLeftButton, kFrom, 0), 1u);
        canvas.HandleMouseMove(kMiddle, 1);
        canvas.HandleMouseMove(kTo, 1);
        canvas.HandleMouseUp(kInputLeftButton, kTo, 0);
        RMessage kild(kToolMsgKild, reinterpret_cast<uintptr_t>(&tool), 0);
        canvas.ToolManager()->HandleMessage(&kild, 0);
        std::vector<u16> pixels;
        const PixelView& picture = canvas.Picture();
        for (i32 y = 0; y < picture.height; ++y)
            for (i32 x = 0; x < picture.width; ++x) pixels.push_back(picture.At(x, y));
        return pixels;
    }

    // The same stroke on a white top-down picture of the canvas's size, with or without GL.
    static std::vector<u16> strokeOnTestPicture(RTool& tool, bool withGl) {
        std::vector<u16> pixels;
        const PixelView view = pixelViewOfBuffer(pixels, i16(kCanvas.right - kCanvas.left), i16(kCanvas.bottom - kCanvas.top));
        view.Fill(kRgb555White);
        tooltest::GlPicture gl(view);
        FixedToolHost host(kGreen);
        host.renderer = withGl ? gl.Renderer() : nullptr;
        RToolMgr manager;
        manager.Init(view, kCanvas, nullptr);
        manager.SetHost(&host);
        tool.Activate(nullptr, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool), 0);
        manager.HandleMessage(&born, 0);
        manager.HandleInput(kFrom, 0);
        manager.TrackInput(kMiddle, 0);
        manager.TrackInput(kTo, 0);
        manager.EndInput(kTo, 0);
        return pixels;
    }
};

TEST_F(CanvasGl, SolidBrushesPaintThroughTheProgramsRendererAsOnAnyPicture) {
    ASSERT_NE(glSharedRenderer(), nullptr);
    for (const Solid& solid : kSolids) {
        SCOPED_TRACE(solid.name);
        RMessage fresh(6603, 1, 0);
        canvas_->HandleMessage(&fresh, 0);
        std::unique_ptr<RTool> onCanvas = solid.make(), solidAlone = solid.make(), flatAlone = solid.make();
        const std::vector<u16> painted = strokeOnCanvas(*canvas_, *onCanvas);
        EXPECT_EQ(painted, strokeOnTestPicture(*solidAlone, true));
        EXPECT_NE(painted, strokeOnTestPicture(*flatAlone, false));
    }
}

TEST_F(CanvasGl, WithoutGlTheCanvasAnswersOneAndTheBrushesPaintFlat) {
    WithoutGl refused;
    Ostrel::RCanvas canvas(kCanvas);
    EXPECT_EQ(canvas.Init(&easel_, nullptr, screen_, &undo_), 1);
    EXPECT_FALSE(canvas.BindRenderer());
    for (const Solid& solid : kSolids) {
        SCOPED_TRACE(solid.name);
        RMessage fresh(6603, 1, 0);
        canvas.HandleMessage(&fresh, 0);
        std::unique_ptr<RTool> onCanvas = solid.make(), flatAlone = solid.make();
        const std::vector<u16> painted = strokeOnCanvas(canvas, *onCanvas);
        EXPECT_EQ(painted, strokeOnTestPicture(*flatAlone, false));
        // One undo step takes the stroke away.
        undo_.Undo();
        mfDispatcher().DispatchQueuedMessages();
        for (i32 y = 0; y < canvas.Picture().height; ++y)
            for (i32 x = 0; x < canvas.Picture().width; ++x) ASSERT_EQ(canvas.Picture().At(x, y), kRgb555White);
    }
}

TEST_F(CanvasGl, TheBrushPanelBindsTheRendererAgainAndTheCanvasLetsItGo) {
    GLBitmapRenderer* renderer = glSharedRenderer();
    ASSERT_NE(renderer, nullptr);
    renderer->ReleaseContext();
    RMessage bind(kMsgPanelBindRenderer, 0, 0);
    canvas_->HandleMessage(&bind, 0);
    EXPECT_TRUE(renderer->Bound());
    canvas_.reset();
    EXPECT_FALSE(renderer->Bound());
    EXPECT_EQ(glSharedRenderer(), renderer);
}

}  // namespace
