#pragma once
// A Flash movie played into a 16-bit picture, scaled to the picture's size: what the
// stand-alone player program shows in its window; the sounds it starts go to the SWF engine's
// host. User-interface thread.
#include <memory>
#include <span>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Player.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

class FlashFramePlayer {
public:
    // Null when the bytes are no movie, or no OpenGL context can be made for the picture.
    static std::unique_ptr<FlashFramePlayer> Open(std::span<const u8> movie, i32 width, i32 height);
    ~FlashFramePlayer();
    FlashFramePlayer(const FlashFramePlayer&) = delete;
    FlashFramePlayer& operator=(const FlashFramePlayer&) = delete;

    // The movie's frame size in pixels.
    static bool FrameSize(std::span<const u8> movie, i32* width, i32* height);

    // Plays the next frame of the root timeline and draws it; false when it cannot be drawn.
    bool DrawNext();
    // Plays the movie as a player window shows it, on a clock of milliseconds: the first call
    // starts the root timeline and plays its first frame; each call steps every playing
    // timeline whose next frame is due by `nowMs` (sprites too, each at its own rate, a parent
    // before its sprites) and draws the picture when one stepped. False when nothing was due or
    // the picture cannot be drawn.
    bool PlayUntil(u32 nowMs);
    u32 FrameMs() const { return document_.FrameDurationMs(); }
    const plat::gdi::Surface& Picture() const { return *picture_; }

private:
    FlashFramePlayer() = default;

    swf::document document_;
    std::unique_ptr<swf::player> player_;
    std::unique_ptr<plat::gdi::Surface> picture_;
    std::unique_ptr<plat::gdi::DeviceContext> context_;
    std::unique_ptr<GLBitmapRenderer> renderer_;
    bool started_ = false;
};
