#include "contentgen/content/ToolIconPainter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

#include "framework/messaging/RMessage.h"
#include "panels/base/ToolFactory.h"
#include "tools/base/PixelView.h"
#include "tools/base/RTool.h"
#include "tools/base/RToolMgr.h"
#include "tools/params/ToolParams.h"
#include "tools/voice/RCustomVoiceBrush.h"

namespace {

// The icon's colour; its tools are silent.
class IconHost : public ToolHost {
public:
    explicit IconHost(GfxColor colour) : colour_(colour) {}
    GfxColor PaintColor() const override { return colour_; }
    bool ToolSoundsOn() const override { return false; }

private:
    GfxColor colour_;
};

// A voice rising from silence to a shout and back, over and over.
class SwellingVoice : public VoiceLevel {
public:
    float Level() override {
        const int at = calls_++ % 16;
        return float(at < 8 ? at : 16 - at) / 8.0f;
    }

private:
    int calls_ = 0;
};

Point16 at(double x, double y) { return Point16{i16(std::lround(x)), i16(std::lround(y))}; }

std::vector<Point16> gesturePoints(ToolGesture gesture, i16 width, i16 height, i16 size) {
    const double w = width, h = height;
    switch (gesture) {
    case ToolGesture::Box: return {at(w * 0.12, h * 0.12), at(w * 0.5, h * 0.5), at(w * 0.88, h * 0.88)};
    case ToolGesture::Ground: return {at(w * 0.15, h * 0.94), at(w * 0.5, h * 0.94), at(w * 0.85, h * 0.94)};
    case ToolGesture::Zigzag:
        return {at(w * 0.08, h * 0.2), at(w * 0.3, h * 0.75), at(w * 0.52, h * 0.22), at(w * 0.74, h * 0.78), at(w * 0.92, h * 0.3)};
    case ToolGesture::Click: return {at(w / 2, h / 2), at(w / 2, h / 2)};
    case ToolGesture::Wave: break;
    }
    // One full wave from edge to edge, growing a little to the right, its dabs kept inside.
    std::vector<Point16> points;
    const double swing = std::max(0.0, (h - size) / 2 - 2);
    for (double x = size / 2.0; x <= w - size / 2.0; x += 3) {
        const double t = (x - size / 2.0) / std::max(1.0, w - size);
        points.push_back(at(x, h / 2 - swing * std::sin(t * 2 * std::numbers::pi) * (0.7 + 0.3 * t)));
    }
    if (points.size() < 2) points = {at(w / 2, h / 2), at(w / 2, h / 2)};
    return points;
}

}  // namespace

ToolGesture toolGestureNamed(const std::string& name) {
    if (name == "wave") return ToolGesture::Wave;
    if (name == "box") return ToolGesture::Box;
    if (name == "ground") return ToolGesture::Ground;
    if (name == "zigzag") return ToolGesture::Zigzag;
    if (name == "click") return ToolGesture::Click;
    throw std::invalid_argument("no tool gesture is named \"" + name + "\"");
}

bool paintWithTool(const ToolIconRecipe& recipe, std::vector<u16>& pixels, i16 width, i16 height) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return false;
    std::unique_ptr<RTool> tool = Ostrel::CreateToolForIndex(recipe.tool);
    if (!tool) return false;
    std::vector<u16> work = pixels;
    const PixelView view = pixelViewOfBuffer(work, width, height);
    const Rect16 canvas = view.Bounds();
    IconHost host(recipe.colour);
    SwellingVoice voice;
    RToolMgr manager;
    manager.Init(view, canvas, nullptr);
    manager.SetHost(&host);
    ToolParams params;
    params.sizes = {recipe.size};
    tool->SetParams(params);
    if (auto* voiced = dynamic_cast<RCustomVoiceBrush*>(tool.get())) voiced->SetLevelSource(&voice);
    tool->Activate(nullptr, -1, canvas);
    Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(tool.get()), 0);
    manager.HandleMessage(&born, 0);

    const std::vector<Point16> points = gesturePoints(recipe.gesture, width, height, recipe.size);
    u32 clock = 1000;
    if (tool->PaintsOnHover()) {
        for (Point16 p : points) manager.HoverInput(p, clock += 10);
        manager.HoverInput(Point16{i16(width + 8), i16(height / 2)}, clock += 10);
    } else {
        manager.HandleInput(points.front(), clock);
        for (size_t i = 1; i + 1 < points.size(); ++i) manager.TrackInput(points[i], clock += 10);
        manager.EndInput(points.back(), clock += 10);
        // A tool that runs on after its stroke is stepped to its end.
        for (int frame = 0; manager.IsRunning() && frame < 1000; ++frame) manager.StepTool(clock += 40);
    }
    manager.FinishTool();
    Ostrel::RMessage gone(kToolMsgKild, reinterpret_cast<uintptr_t>(tool.get()), 0);
    manager.HandleMessage(&gone, 0);
    if (work == pixels) return false;
    pixels = std::move(work);
    return true;
}
