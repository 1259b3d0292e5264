#pragma once
// What the tools ask of whoever holds their canvas: the colour they paint in (the one the child
// chose last), whether the child hears the tools' sounds, and the OpenGL renderer the tools
// that draw solid things use. The screen that shows the canvas keeps them; the tool manager
// hands its host to every stroke.
#include "engine/gfx/GfxColor.h"

class GLBitmapRenderer;

class ToolHost {
public:
    virtual GfxColor PaintColor() const = 0;
    virtual bool ToolSoundsOn() const = 0;
    // The renderer bound to the picture the tools paint into, its view the picture's own
    // pixels (y growing downwards), with smooth shading; null when no GL context can be made,
    // and the tools then paint in software.
    virtual GLBitmapRenderer* PictureRenderer() const { return nullptr; }

protected:
    ~ToolHost() = default;
};
