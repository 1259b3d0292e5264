#pragma once
// A tool host the test sets: the colour the tools paint in, the sounds switch, and the renderer
// bound to the test's picture (none: the tools paint in software).
#include "tools/base/ToolHost.h"

struct FixedToolHost : ToolHost {
    explicit FixedToolHost(GfxColor paint = GfxColor::rgb(0, 0, 0), bool sounds = true) : color(paint), soundsOn(sounds) {}
    GfxColor PaintColor() const override { return color; }
    bool ToolSoundsOn() const override { return soundsOn; }
    GLBitmapRenderer* PictureRenderer() const override { return renderer; }
    GfxColor color;
    bool soundsOn;
    GLBitmapRenderer* renderer = nullptr;
};
