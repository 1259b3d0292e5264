#pragma once
// What a tool paints into during one stroke: the work picture, the picture as the stroke
// began (rubber bands and translucent tools read it), the time of the event, the rectangle
// the stroke has changed so far, and the host the tools ask for their colour, their sounds
// switch and their OpenGL renderer (without one: black, sounds on, no renderer). Points are in
// picture coordinates. The tool manager makes one per stroke.
#include "engine/base/EngineTypes.h"
#include "engine/gfx/GfxColor.h"
#include "engine/regions/Rects.h"
#include "tools/base/PixelView.h"
#include "tools/base/ToolHost.h"

class ToolCanvas {
public:
    ToolCanvas(const PixelView& picture, const PixelView& before, const ToolHost* host = nullptr)
        : picture_(picture), before_(before), host_(host) {}

    const PixelView& Picture() const { return picture_; }
    const PixelView& Before() const { return before_; }
    u32 Time() const { return time_; }
    void SetTime(u32 ms) { time_ = ms; }
    void SetHost(const ToolHost* host) { host_ = host; }

    GfxColor PaintColor() const { return host_ ? host_->PaintColor() : GfxColor::rgb(0, 0, 0); }
    // The paint colour as a pixel of the picture.
    u16 PaintPixel() const { return rgb555FromColor(PaintColor()); }
    bool SoundsOn() const { return !host_ || host_->ToolSoundsOn(); }
    GLBitmapRenderer* Renderer() const { return host_ ? host_->PictureRenderer() : nullptr; }

    // Unions the rectangle, cut to the picture, into the changed area.
    void MarkChanged(const Rect16& r);
    bool HasChanged() const { return changed_.left < changed_.right && changed_.top < changed_.bottom; }
    Rect16 Changed() const { return changed_; }
    // What changed since the last call, which empties it (the manager shows it on the screen).
    Rect16 TakeFresh();
    // Puts the rectangle back as it was when the stroke began.
    void Restore(const Rect16& r);
    // Takes the rectangle as it is now for how it was when the stroke began: what a tool takes
    // away there that an earlier stroke of its own left showing (a band waiting for the next
    // drag) is then no part of this stroke, nor of its undo.
    void Rebase(const Rect16& r);

private:
    PixelView picture_;
    PixelView before_;
    const ToolHost* host_ = nullptr;
    u32 time_ = 0;
    Rect16 changed_{0, 0, 0, 0};
    Rect16 fresh_{0, 0, 0, 0};
};
