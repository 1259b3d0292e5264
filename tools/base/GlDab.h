#pragma once
// One dab a tool draws with OpenGL into its canvas's picture. The host's renderer (bound to
// the picture, its view the picture's pixels) takes the picture's pixels inside the dab's box;
// the tool draws there in picture coordinates, solid things lit by one white light from the
// upper left and in front, with smooth shading and a depth buffer cleared for the dab (z grows
// towards the viewer; kMiddle is the picture's plane); when the dab ends, the box comes back
// into the picture and is marked changed. Whatever is drawn outside the box is cut off.
// Without a renderer (no GL context could be made) or with a box off the picture, the dab is
// not open and the tool paints it in software instead.
#include "engine/regions/Rects.h"
#include "platform/gdi/Geometry.h"
#include "tools/base/ToolCanvas.h"

class GLBitmapRenderer;

class GlDab {
public:
    static constexpr double kMiddle = 32768;

    GlDab(ToolCanvas& canvas, const Rect16& box);
    ~GlDab();
    GlDab(const GlDab&) = delete;
    GlDab& operator=(const GlDab&) = delete;

    bool Open() const { return renderer_ != nullptr; }
    GLBitmapRenderer& Renderer() const { return *renderer_; }
    // The colour of what is drawn next, a pixel of the picture: lit, it gets its light and shade.
    static void Colour(u16 pixel);

private:
    ToolCanvas& canvas_;
    GLBitmapRenderer* renderer_ = nullptr;
    Rect16 box_{0, 0, 0, 0};
};
