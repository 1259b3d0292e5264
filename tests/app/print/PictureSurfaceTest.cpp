// Pictures become surfaces a dialog's picture item draws: every pixel in its place and colour
// for the depths and row orders of stored pictures; what cannot be drawn gives no surface.
#include "PictureBitmaps.h"
#include "app/print/PictureSurface.h"
#include "tests/engine/gfx/GfxTestSupport.h"

namespace {

using namespace Ostrel;
using namespace testapp;

class PictureSurfaceTest : public GfxTest {
protected:
    // Every pixel of the surface is the test picture's.
    static void expectPicture(const plat::gdi::Surface* surface, u16 seed, u16 width, u16 height, const char* name) {
        ASSERT_NE(surface, nullptr) << name;
        EXPECT_EQ(surface->width(), width) << name;
        EXPECT_EQ(surface->height(), height) << name;
        for (u16 y = 0; y < height; ++y)
            for (u16 x = 0; x < width; ++x)
                EXPECT_EQ(surface->rgbOf(surface->pixel(x, y)).red << 16 | surface->rgbOf(surface->pixel(x, y)).green << 8 |
                              surface->rgbOf(surface->pixel(x, y)).blue,
                          pictureColour(seed, x, y))
                    << name << " at " << x << "," << y;
    }
};

TEST_F(PictureSurfaceTest, PicturesOfEveryStoredLayoutKeepTheirPixels) {
    struct Case {
        const char* name;
        std::vector<u8> bitmap;
        u16 seed, width, height;
    };
    const Case cases[] = {
        {"24 bits top-down", picture24(1, 5, 3), 1, 5, 3},
        {"24 bits bottom-up", picture24(2, 3, 4, true), 2, 3, 4},
        {"16 bits", picture16(3, 4, 2), 3, 4, 2},
        {"one pixel", picture24(4, 1, 1), 4, 1, 1},
    };
    for (const Case& c : cases) {
        auto surface = PictureSurface(c.bitmap.data(), u32(c.bitmap.size()));
        expectPicture(surface.get(), c.seed, c.width, c.height, c.name);
    }
}

// The rows must fit the bytes given: exactly fitting is drawn, one byte short is refused.
TEST_F(PictureSurfaceTest, PicturesThatCannotBeDrawnGiveNoSurface) {
    const std::vector<u8> whole = picture24(5, 3, 2);
    const std::vector<u8> empty = picture24(5, 0, 2);
    struct Case {
        const char* name;
        const u8* bytes;
        u32 size;
        bool drawn;
    };
    const Case cases[] = {
        {"rows that fit", whole.data(), u32(whole.size()), true},
        {"one byte short", whole.data(), u32(whole.size() - 1), false},
        {"a header alone", whole.data(), kGfxBitmapHeaderSize, false},
        {"less than a header", whole.data(), kGfxBitmapHeaderSize - 1, false},
        {"no width", empty.data(), u32(empty.size()), false},
        {"no bytes", nullptr, 0, false},
    };
    for (const Case& c : cases) EXPECT_EQ(PictureSurface(c.bytes, c.size) != nullptr, c.drawn) << c.name;
}

}  // namespace
