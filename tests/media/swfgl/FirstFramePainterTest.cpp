// A movie's first frame painted into part of a page's 16-bit pixels, as a flattened Flash
// object is: scaled to its place, clipped to the picture, leaving uncovered pixels alone.
#include <vector>

#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "media/swfgl/FirstFramePainter.h"
#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

constexpr i32 kPageWidth = 100, kPageHeight = 60;
constexpr u16 kGrey = 0x4210;

// The left half of the frame red; the right half the movie leaves uncovered.
Bytes halfRedMovie() {
    const swf::Rect left{0, 0, kFrame.xMax / 2, kFrame.yMax};
    return MovieOf(kFrame, 1,
                   swftest::Concat({RectShape(1, left, SolidFill({255, 0, 0, 255})),
                                    Place(1, 1, swf::Matrix{}, swf::Cxform{})}));
}

struct Page {
    std::vector<u16> pixels = std::vector<u16>(size_t(kPageWidth) * kPageHeight, kGrey);
    GfxPixelDescriptor target() {
        GfxPixelDescriptor d{};
        d.bounds = Rect16{0, 0, kPageWidth, kPageHeight};
        d.base = reinterpret_cast<u8*>(pixels.data());
        d.rowStep = kPageWidth * 2;
        d.depth = 16;
        return d;
    }
    u16 at(i32 x, i32 y) const { return pixels[size_t(y) * kPageWidth + x]; }
};

TEST(FirstFramePainter, TheFrameFillsItsPlaceAndLeavesTheRestOfThePicture) {
    const Bytes movie = halfRedMovie();
    const struct {
        Rect16 place;
    } cases[] = {{{10, 5, 74, 53}}, {{-20, 30, 44, 78}}, {{60, 0, 100, 60}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place.left);
        Page page;
        ASSERT_EQ(swf::draw::PaintFirstFrame(page.target(), movie, c.place), kErrNone);
        const i32 middle = (c.place.left + c.place.right) / 2;
        for (i32 y = 0; y < kPageHeight; ++y)
            for (i32 x = 0; x < kPageWidth; ++x) {
                const bool red = x >= c.place.left && x < middle && y >= c.place.top && y < c.place.bottom;
                ASSERT_EQ(page.at(x, y), red ? Rgb555(255, 0, 0) : kGrey) << x << "," << y;
            }
    }
}

TEST(FirstFramePainter, NoPlaceNoMovieAndNoPictureAreRefused) {
    const Bytes movie = halfRedMovie();
    const Bytes junk{'F', 'W', 'S', 9, 0, 0, 0, 0};
    const struct {
        const Bytes* bytes;
        Rect16 place;
        u16 depth;
        EngineErr expected;
    } cases[] = {{&movie, {10, 10, 10, 20}, 16, kDocErrBadRect},
                 {&movie, {10, 10, 20, 9}, 16, kDocErrBadRect},
                 {&movie, {10, 10, 20, 10}, 16, kDocErrBadRect},
                 {&movie, {0, 0, 10, 10}, 24, kDocErrBadRect},
                 {&junk, {0, 0, 10, 10}, 16, kDocErrNotReadable},
                 {&movie, {0, 0, 1, 1}, 16, kErrNone}};
    for (const auto& c : cases) {
        Page page;
        GfxPixelDescriptor target = page.target();
        target.depth = c.depth;
        EXPECT_EQ(swf::draw::PaintFirstFrame(target, *c.bytes, c.place), c.expected);
        if (c.expected != kErrNone) {
            EXPECT_EQ(page.at(10, 10), kGrey);
        }
    }
}

}  // namespace
}  // namespace swfgltest
