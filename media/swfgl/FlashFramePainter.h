#pragma once
// A Flash movie played frame by frame over part of a 16-bit picture: each call plays the next
// frame and draws it scaled to the place, the pixels the movie leaves uncovered keeping the
// picture's own. A page flattened takes its first frame; a page exported as a movie takes one
// frame after another as the movie's time passes. User-interface thread only.
#include <memory>
#include <span>

#include "engine/gfx/GfxPort.h"
#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Player.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

namespace swf::draw {

// The colour the painter paints a movie's own background in, and that no pixel it draws keeps:
// a picture of it painted over shows where the frame leaves the picture uncovered.
constexpr u16 kFlashUncoveredPixel = plat::gdi::rgbTo555(plat::gdi::Rgb{0x39, 0xCE, 0x71});

class FlashFramePainter {
public:
    // Null with `error` set: kDocErrBadRect for a size without pixels, kDocErrNotReadable for
    // bytes that are no movie, kDocErrBadSize when the picture cannot be made,
    // kDocErrNoVectorRenderer when no OpenGL context can be made.
    static std::unique_ptr<FlashFramePainter> Open(std::span<const u8> movie, i32 width, i32 height, EngineErr* error);
    ~FlashFramePainter();
    FlashFramePainter(const FlashFramePainter&) = delete;
    FlashFramePainter& operator=(const FlashFramePainter&) = delete;

    // Plays the next frame (the first again after the last) and draws it into the painter's
    // own picture; kDocErrNotReadable when the frame cannot be played.
    EngineErr Play();
    // The frame played last drawn at `place` (of the size opened with) in `target`, cut to the
    // target's bounds, as often as it is asked for. kDocErrBadRect for a target that is no
    // 16-bit picture or a place of another size.
    EngineErr PaintOver(const GfxPixelDescriptor& target, const Rect16& place) const;
    // How long one frame shows (ms).
    u32 FrameMs() const { return document_.FrameDurationMs(); }

private:
    FlashFramePainter() = default;

    swf::document document_;
    std::unique_ptr<swf::player> player_;
    std::unique_ptr<plat::gdi::Surface> picture_;
    std::unique_ptr<plat::gdi::DeviceContext> context_;
    std::unique_ptr<GLBitmapRenderer> renderer_;
    i32 width_ = 0, height_ = 0;
};

}  // namespace swf::draw
