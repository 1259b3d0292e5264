#pragma once
// A 64 x 48 picture of 16 bits (white at first), a renderer attached to it with the frame of the
// test movies (1280 x 960 twips) as its view, and a player on movie bytes: a drawing test loads
// a movie, steps it and compares pixels with what it computes itself.
#include <gtest/gtest.h>

#include <memory>

#include "engine/gfx/gl/GLBitmapRenderer.h"
#include "media/swf/Document.h"
#include "media/swf/Player.h"
#include "platform/gdi/DeviceContext.h"
#include "tests/media/swfgl/ShapeBytes.h"

namespace swfgltest {

constexpr i32 kWidth = 64, kHeight = 48, kTwips = 20;
constexpr swf::Rect kFrame{0, 0, kWidth * kTwips, kHeight * kTwips};
constexpr u16 kWhite555 = 0x7FFF;

inline u16 Rgb555(u8 red, u8 green, u8 blue) { return u16(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3)); }
inline u32 Red5(u16 pixel) { return (pixel >> 10) & 31; }
inline u32 Green5(u16 pixel) { return (pixel >> 5) & 31; }
inline u32 Blue5(u16 pixel) { return pixel & 31; }

class RenderFixture : public ::testing::Test {
protected:
    RenderFixture();
    ~RenderFixture() override;

    // Reads the movie and plays its first frame.
    void Load(const Bytes& movie);
    swf::Result Draw(u32 flags = 0);
    u16 Pixel(i32 x, i32 y) const { return u16(picture_->pixel(x, y)); }
    void Clear(u16 value);

    std::unique_ptr<plat::gdi::Surface> picture_;
    std::unique_ptr<plat::gdi::DeviceContext> dc_;
    GLBitmapRenderer renderer_{16};
    std::unique_ptr<swf::document> document_;
    std::unique_ptr<swf::player> player_;
};

}  // namespace swfgltest
