#pragma once
// A tool host the test sets: the colour the tools paint in and the sounds switch.
#include "tools/base/ToolHost.h"

struct FixedToolHost : ToolHost {
    explicit FixedToolHost(GfxColor paint = GfxColor::rgb(0, 0, 0), bool sounds = true) : color(paint), soundsOn(sounds) {}
    GfxColor PaintColor() const override { return color; }
    bool ToolSoundsOn() const override { return soundsOn; }
    GfxColor color;
    bool soundsOn;
};
