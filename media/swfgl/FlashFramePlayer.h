#pragma once
// A Flash movie played into a 16-bit picture, scaled to the picture's size: what the
// stand-alone player program shows in its window, its sounds going to the SWF engine's host;
// and the frames a Flash object on the page shows, drawn ahead, silently, each over the key
// colour so that the page shows through what the movie leaves uncovered. User-interface thread.
#include <memory>
#include <span>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Player.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

// Whom the pictures are for: a window showing them as they are played, heard, each drawn over
// the one before; or a page that shows them later, silent, each drawn over the key colour.
enum class FlashFrameUse : u8 { Window, Ahead };

class FlashFramePlayer {
public:
    // What a frame drawn ahead holds where the movie draws nothing (its background colour too),
    // and where the page that shows it shows through.
    static constexpr u16 kKeyPixel = plat::gdi::rgbTo555(plat::gdi::Rgb{0x39, 0xCE, 0x71});

    // Null when the bytes are no movie, or no OpenGL context can be made for the picture.
    static std::unique_ptr<FlashFramePlayer> Open(std::span<const u8> movie, i32 width, i32 height,
                                                  FlashFrameUse use = FlashFrameUse::Window);
    ~FlashFramePlayer();
    FlashFramePlayer(const FlashFramePlayer&) = delete;
    FlashFramePlayer& operator=(const FlashFramePlayer&) = delete;

    // The movie's frame size in pixels.
    static bool FrameSize(std::span<const u8> movie, i32* width, i32* height);
    // How many frames pass before the movie and every sprite in it are all back at their first
    // frames together (the least common multiple of their frame counts), at most `most`.
    static u32 LoopFrames(const swf::document& movie, u32 most);

    // Plays the next frame of the root timeline and draws it; false when it cannot be drawn.
    bool DrawNext();
    // Plays the movie as a player window shows it, on a clock of milliseconds: the first call
    // starts the root timeline and plays its first frame; each call steps every playing
    // timeline whose next frame is due by `nowMs` (sprites too, each at its own rate, a parent
    // before its sprites), and a sprite just placed shows its first frame at once; the picture
    // is drawn when one stepped. False when nothing was due or the picture cannot be drawn.
    bool PlayUntil(u32 nowMs);
    u32 FrameMs() const { return document_.FrameDurationMs(); }
    const swf::document& Movie() const { return document_; }
    const plat::gdi::Surface& Picture() const { return *picture_; }

private:
    FlashFramePlayer() = default;
    // Steps the sprites placed since they were last looked at to their first frames.
    void ShowNewSprites();
    bool Draw();

    swf::document document_;
    std::unique_ptr<swf::player> player_;
    std::unique_ptr<plat::gdi::Surface> picture_;
    std::unique_ptr<plat::gdi::DeviceContext> context_;
    std::unique_ptr<GLBitmapRenderer> renderer_;
    FlashFrameUse use_ = FlashFrameUse::Window;
    bool started_ = false;
};
