#pragma once
// What the tools ask of whoever holds their canvas: the colour they paint in (the one the child
// chose last) and whether the child hears the tools' sounds. The screen that shows the canvas
// keeps both; the tool manager hands its host to every stroke.
#include "engine/gfx/GfxColor.h"

class ToolHost {
public:
    virtual GfxColor PaintColor() const = 0;
    virtual bool ToolSoundsOn() const = 0;

protected:
    ~ToolHost() = default;
};
