#pragma once
// The pictures of one Flash object on the page: its SWF bytes in a temporary file of its own
// (a fresh name for each, taken with an exclusive create, so that two objects or two running
// programs never write over each other; the file goes with the holder), and the movie's frames
// rendered once by the SWF player and the OpenGL renderer at the size the object shows at,
// flipped as the object is: every timeline plays, the sprites too, until all are back at their
// first frames together. The frames are 16-bit pictures in which the movie's own
// background colour marks what the movie leaves uncovered, so the page shows through there.
// The holder keeps the frame it shows; the Flash movie moves it on. User-interface thread only.
#include <span>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

class GfxPort;

// The largest side a Flash object shows at (the option word's 11-bit size).
constexpr i16 kFlashMaxSide = 2047;
// The rendered frames of one holder stay within this many bytes and this many frames: a longer
// movie plays the frames that fit.
constexpr u64 kFlashFrameBudget = 96ull << 20;
constexpr u32 kFlashMaxFrames = 1000;
// The colour the player paints a movie's background in, and that marks uncovered pixels.
constexpr u16 kFlashKeyPixel = 0x1F2E;  // RGB555 of (0x39, 0xCE, 0x71)
// Results of Build and Draw.
constexpr i16 kFlashHolderNoFile = -43;
constexpr i16 kFlashHolderNoWorld = -50;
constexpr i16 kFlashHolderBadMovie = -2048;

class FlashQTMovie {
public:
    FlashQTMovie() = default;
    ~FlashQTMovie();
    FlashQTMovie(const FlashQTMovie&) = delete;
    FlashQTMovie& operator=(const FlashQTMovie&) = delete;

    // Writes the bytes to a new temporary file; false (no file) when none can be made.
    bool WriteTemporary(std::span<const u8> bytes);
    const std::string& TemporaryPath() const { return path_; }

    // Renders the movie of the temporary file at the size: 0, kFlashHolderNoFile without a
    // readable file, kFlashHolderBadMovie for bytes the player refuses, kFlashHolderNoWorld
    // for a size without pixels or when no renderer can be had. The first frame, the sprites
    // placed in it showing theirs, is current.
    i16 Build(i16 width, i16 height);
    // The size of the rendered frames, and whether they match.
    bool BuiltAt(i16 width, i16 height) const { return !frames_.empty() && width == width_ && height == height_; }

    u16 FrameCount() const { return u16(frames_.size()); }
    u16 Current() const { return current_; }
    // The frame shown, taken modulo the frame count.
    void SetCurrent(u32 frame) { current_ = frames_.empty() ? 0 : u16(frame % frames_.size()); }

    // The current frame with its top-left at `at` into the port's 16-bit pixels, clipped to
    // `clip`; the uncovered pixels are left. kFlashHolderNoWorld when nothing is built or the
    // port has no 16-bit pixels.
    i16 Draw(GfxPort* port, Point16 at, const Rect16& clip) const;
    // The current frame's pixel at (x, y) of the frame, kFlashKeyPixel outside it.
    u16 Pixel(i16 x, i16 y) const;

    u8 flipH = 0;
    u8 flipV = 0;

private:
    std::string path_;
    i16 width_ = 0;
    i16 height_ = 0;
    u16 current_ = 0;
    std::vector<std::vector<u16>> frames_;
};
