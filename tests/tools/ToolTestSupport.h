#pragma once
// Pictures, scripted strokes and golden pictures for the painting-tool tests. The golden
// pictures are the PNG files of tests/tools/golden (tests/GoldenPicture.h tells how they are
// checked and rewritten).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/GoldenPicture.h"
#include "tests/tools/GlPicture.h"
#include "tests/tools/base/FixedToolHost.h"
#include "tools/base/PixelView.h"
#include "tools/base/RTool.h"
#include "tools/base/RToolMgr.h"

namespace tooltest {

struct Picture {
    Picture(i16 width, i16 height, u16 fill = kRgb555White) {
        view = pixelViewOfBuffer(pixels, width, height);
        view.Fill(fill);
    }
    std::vector<u16> pixels;
    PixelView view;
};

// The picture as 8-bit RGB, each five-bit channel spread over the eight bits.
inline golden::RgbPicture rgbOf(const PixelView& view) {
    golden::RgbPicture picture{view.width, view.height, {}};
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) {
            const u16 p = view.At(x, y);
            for (u8 c : {rgb555Red(p), rgb555Green(p), rgb555Blue(p)}) picture.rgb.push_back(u8((c << 3) | (c >> 2)));
        }
    return picture;
}

// The tools paint the same pixels everywhere: their golden pictures match exactly. What GL
// draws may differ by a step of light between machines (`tolerance`, in 8-bit levels).
inline void expectGolden(const std::string& name, const PixelView& view, int tolerance = 0) {
    golden::expectPicture(std::string(TUMBLO_TEST_GOLDEN_DIR) + "/" + name + ".png", rgbOf(view), tolerance);
}

// A tool manager over a picture whose canvas sits at the screen's origin, running strokes
// 10 ms apart; with GL, its host offers a renderer bound to the picture.
class Easel {
public:
    explicit Easel(Picture& picture, GfxColor paint = GfxColor::rgb(0, 0, 0), bool withGl = false)
        : canvas(picture.view.Bounds()), host(paint) {
        mgr.Init(picture.view, canvas, nullptr);
        mgr.SetHost(&host);
        if (withGl) {
            gl = std::make_unique<GlPicture>(picture.view);
            host.renderer = gl->Renderer();
        }
    }
    void Use(RTool& tool) {
        tool.Activate(nullptr, -1, canvas);
        Ostrel::RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&tool), 0);
        mgr.HandleMessage(&born, 0);
    }
    void Stroke(const std::vector<Point16>& points) {
        mgr.HandleInput(points.front(), clock);
        for (size_t i = 1; i + 1 < points.size(); ++i) mgr.TrackInput(points[i], clock += 10);
        mgr.EndInput(points.back(), clock += 10);
        clock += 100;
    }
    void Click(Point16 p) { Stroke({p, p}); }
    Rect16 canvas;
    FixedToolHost host;
    std::unique_ptr<GlPicture> gl;
    RToolMgr mgr;
    u32 clock = 1000;
};

}  // namespace tooltest
