#pragma once
// Pictures, scripted strokes and golden images for the painting-tool tests. A golden image is
// kept as the FNV-1a hash of its RGB555 pixels; on a mismatch the actual picture is written as
// a PPM file for review, and with TUMBLO_GOLDEN_DIR set every checked picture is written there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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

inline u64 pictureHash(const PixelView& view) {
    u64 hash = 1469598103934665603ull;
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) {
            u16 p = view.At(x, y);
            for (u8 byte : {u8(p), u8(p >> 8)}) hash = (hash ^ byte) * 1099511628211ull;
        }
    return hash;
}

inline void writePpm(const std::string& path, const PixelView& view) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << view.width << " " << view.height << "\n255\n";
    for (i32 y = 0; y < view.height; ++y)
        for (i32 x = 0; x < view.width; ++x) {
            u16 p = view.At(x, y);
            for (u8 c : {rgb555Red(p), rgb555Green(p), rgb555Blue(p)}) out.put(char((c << 3) | (c >> 2)));
        }
}

inline void expectGolden(const std::string& name, const PixelView& view, u64 expected) {
    if (const char* dir = std::getenv("TUMBLO_GOLDEN_DIR")) writePpm(std::string(dir) + "/" + name + ".ppm", view);
    u64 actual = pictureHash(view);
    if (actual == expected) return;
    std::string path = ::testing::TempDir() + name + ".actual.ppm";
    writePpm(path, view);
    char text[32];
    std::snprintf(text, sizeof text, "0x%016llxull", static_cast<unsigned long long>(actual));
    ADD_FAILURE() << "golden image " << name << " differs: hash " << text << ", picture written to " << path;
}

// A tool manager over a picture whose canvas sits at the screen's origin, running strokes
// 10 ms apart.
class Easel {
public:
    explicit Easel(Picture& picture) : canvas(picture.view.Bounds()) { mgr.Init(picture.view, canvas, nullptr); }
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
    RToolMgr mgr;
    u32 clock = 1000;
};

}  // namespace tooltest
