#include "platform/gl/GlContext.h"

#include <GL/gl.h>
#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/gl/Gl.h"
#include "platform/gl/PixelRows.h"

namespace plat::gl {
namespace {

// Pixels 0..width of the buffer map one to one; y grows upwards in GL.
void PixelProjection(int32_t width, int32_t height) {
    viewport(0, 0, width, height);
    matrixMode(kProjection);
    loadIdentity();
    ortho(0, width, 0, height, -1, 1);
    matrixMode(kModelView);
    loadIdentity();
}

TEST(PixelRows, Rgb555SurvivesTheTripThroughRgba) {
    std::vector<uint8_t> all(2 * 32768), back(2 * 32768);
    for (uint32_t v = 0; v < 32768; ++v) {
        all[2 * v] = uint8_t(v);
        all[2 * v + 1] = uint8_t(v >> 8);
    }
    std::vector<uint8_t> rgba(4 * 32768);
    rgb555ToRgba(all.data(), rgba.data(), 32768);
    rgbaToRgb555(rgba.data(), back.data(), 32768);
    EXPECT_EQ(all, back);
    EXPECT_EQ(rgba[4 * 0x7FFF], 255);  // white widens to full channels
}

// Lengths around the eight-pixel step, at an odd output address: every pixel, the last ones
// after the whole steps included, holds its own value low byte first.
TEST(PixelRows, Rgb555RowsOfEveryLengthAroundTheStepAtOddAddresses) {
    for (size_t pixels : {size_t(1), size_t(7), size_t(8), size_t(9), size_t(15), size_t(16), size_t(17)}) {
        std::vector<uint8_t> rgba(4 * pixels), out(1 + 2 * pixels + 1, 0xEE);
        for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(37 * i + 11);
        rgbaToRgb555(rgba.data(), out.data() + 1, pixels);
        for (size_t i = 0; i < pixels; ++i) {
            const uint32_t want = ((rgba[4 * i] >> 3) << 10) | ((rgba[4 * i + 1] >> 3) << 5) | (rgba[4 * i + 2] >> 3);
            EXPECT_EQ(out[1 + 2 * i] | (out[2 + 2 * i] << 8), want) << pixels << " pixels, pixel " << i;
        }
        EXPECT_EQ(out.front(), 0xEE) << pixels;
        EXPECT_EQ(out.back(), 0xEE) << pixels << ": written past the row";
    }
}

TEST(PixelRows, TwentyFourAndThirtyTwoBitsAreBlueGreenRed) {
    const uint8_t rgba[8] = {1, 2, 3, 4, 250, 251, 252, 253};
    uint8_t bgr[6], bgrx[8], again[8];
    rgbaToBgr24(rgba, bgr, 2);
    rgbaToBgrx32(rgba, bgrx, 2);
    EXPECT_EQ(std::vector<uint8_t>(bgr, bgr + 6), (std::vector<uint8_t>{3, 2, 1, 252, 251, 250}));
    EXPECT_EQ(std::vector<uint8_t>(bgrx, bgrx + 8), (std::vector<uint8_t>{3, 2, 1, 0, 252, 251, 250, 0}));
    bgr24ToRgba(bgr, again, 2);
    EXPECT_EQ(std::vector<uint8_t>(again, again + 8), (std::vector<uint8_t>{1, 2, 3, 255, 250, 251, 252, 255}));
}

TEST(GlContext, DrawsIntoTheBufferAndReadsBackIntoEveryDepth) {
    for (int bits : {16, 24, 32}) {
        SCOPED_TRACE(bits);
        auto context = Context::create(8, 4);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(context->makeCurrent());
        auto picture = gdi::Surface::create(8, 4, bits, gdi::RowOrder::BottomUp);
        for (int32_t y = 0; y < 4; ++y) picture->fillSpan(y, 0, 8, picture->valueOf(gdi::Rgb{255, 255, 255}));
        ASSERT_TRUE(context->loadFrom(*picture));
        PixelProjection(8, 4);
        color4ub(255, 0, 0, 255);
        recti(0, 2, 4, 4);  // the top two rows of the left half
        ASSERT_TRUE(context->finishInto(*picture));
        const uint32_t red = picture->valueOf(gdi::Rgb{255, 0, 0}), white = picture->valueOf(gdi::Rgb{255, 255, 255});
        EXPECT_EQ(picture->pixel(1, 0), red);
        EXPECT_EQ(picture->pixel(1, 3), white);
        EXPECT_EQ(picture->pixel(6, 0), white);
    }
}

// A picture may borrow memory of any alignment and row length (odd ones included): its 16-bit
// pixels are stored low byte first wherever they fall.
TEST(GlContext, ReadsAndWritesSixteenBitRowsAtOddAddressesAndStrides) {
    auto context = Context::create(3, 2);
    ASSERT_NE(context, nullptr);
    std::vector<uint8_t> memory(1 + 2 * 7, 0);
    auto picture = gdi::Surface::wrap(memory.data() + 1, 3, 2, 16, 7, gdi::RowOrder::TopDown);
    ASSERT_NE(picture, nullptr);
    picture->setPixel(2, 1, 0x1234);
    picture->setPixel(0, 1, 0x7FFF);
    ASSERT_TRUE(context->loadFrom(*picture));
    PixelProjection(3, 2);
    color4ub(255, 0, 0, 255);
    recti(0, 1, 1, 2);  // the top left pixel
    ASSERT_TRUE(context->finishInto(*picture));
    EXPECT_EQ(picture->pixel(0, 0), 0x7C00u);
    EXPECT_EQ(picture->pixel(1, 0), 0u);
    EXPECT_EQ(picture->pixel(0, 1), 0x7FFFu);
    EXPECT_EQ(picture->pixel(2, 1), 0x1234u);
    EXPECT_EQ(memory[1 + 7 + 4], 0x34);  // low byte first
    EXPECT_EQ(memory[1 + 7 + 5], 0x12);
}

TEST(GlContext, RefusesPicturesOfAnotherSizeOrDepthAndBadSizes) {
    auto context = Context::create(8, 4);
    ASSERT_NE(context, nullptr);
    EXPECT_FALSE(context->loadFrom(*gdi::Surface::create(8, 5, 16)));
    EXPECT_FALSE(context->finishInto(*gdi::Surface::create(8, 4, 8)));
    EXPECT_EQ(Context::create(0, 4), nullptr);
    EXPECT_EQ(Context::create(16385, 4), nullptr);
    EXPECT_NE(Context::create(16384, 1), nullptr);
    Context::refuse(true);
    EXPECT_EQ(Context::create(8, 4), nullptr) << "none is made while contexts are refused";
    Context::refuse(false);
    EXPECT_NE(Context::create(8, 4), nullptr);
}

// Another GL user of the thread (the window's renderer) binds rarely and never checks again:
// once our contexts are gone, and between their drawings, its latest binding is current and its
// calls reach it; ours takes the binding again to draw.
TEST(GlContext, GivesTheThreadsBindingBackWhenTheHolderGoesOrYields) {
    struct Case {
        const char* name;
        bool othersBound;
        bool nested;   // a second context takes the binding from the first and goes first
        bool rebound;  // the other user binds anew while ours holds the binding
        bool yields;   // ours draws twice, yielding after each drawing
    };
    for (const Case& c : {Case{"alone", false, false, false, false}, Case{"others", true, false, false, false},
                          Case{"nested", true, true, false, false}, Case{"rebound", true, false, true, false},
                          Case{"alone, yielding", false, false, false, true}, Case{"others, yielding", true, false, false, true}}) {
        SCOPED_TRACE(c.name);
        OSMesaContext before = nullptr, after = nullptr;
        std::vector<uint8_t> beforeRows(4, 0), afterRows(4, 0);
        if (c.othersBound) {
            before = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
            ASSERT_TRUE(OSMesaMakeCurrent(before, beforeRows.data(), GL_UNSIGNED_BYTE, 1, 1));
        }
        {
            auto first = Context::create(2, 2);
            ASSERT_TRUE(first->makeCurrent());
            if (c.nested) {
                auto second = Context::create(3, 3);
                ASSERT_TRUE(second->makeCurrent());
            }
            ASSERT_TRUE(first->makeCurrent());
            auto picture = gdi::Surface::create(2, 2, 32, gdi::RowOrder::TopDown);
            for (int round = 0; c.yields && round < 2; ++round) {
                for (int32_t y = 0; y < 2; ++y) picture->fillSpan(y, 0, 2, 0);
                ASSERT_TRUE(first->loadFrom(*picture));
                PixelProjection(2, 2);
                color4ub(255, 0, 0, 255);
                recti(0, 0, 2, 2);
                ASSERT_TRUE(first->finishInto(*picture));
                EXPECT_EQ(picture->pixel(0, 0), picture->valueOf(gdi::Rgb{255, 0, 0})) << round;
                first->yield();
                // Alone, ours stays bound; otherwise the other user's binding is back.
                EXPECT_EQ(OSMesaGetCurrentContext() == before, c.othersBound) << round;
                EXPECT_EQ(first->isCurrent(), !c.othersBound) << round;
            }
            if (c.rebound) {
                after = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
                ASSERT_TRUE(OSMesaMakeCurrent(after, afterRows.data(), GL_UNSIGNED_BYTE, 1, 1));
            }
        }
        const OSMesaContext expected = c.rebound ? after : before;
        EXPECT_EQ(OSMesaGetCurrentContext(), expected);
        if (expected) {
            glClearColor(0, 1, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            glFinish();
            EXPECT_EQ((c.rebound ? afterRows : beforeRows)[1], 255) << "the other user's calls went elsewhere";
        }
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
        for (OSMesaContext made : {before, after})
            if (made) OSMesaDestroyContext(made);
    }
}

// Only the area's pixels go into the context and come back out, at their own places, cut to
// the picture; drawing outside the area reaches no pixel of the picture.
TEST(GlContext, AnAreaGoesInAndComesBackAloneAtEveryDepthAndRowOrder) {
    struct Case {
        const char* name;
        gdi::Rect area, cut;
    };
    const Case cases[] = {{"all", {0, 0, 9, 5}, {0, 0, 9, 5}},
                          {"inside", {2, 1, 6, 4}, {2, 1, 6, 4}},
                          {"over the edges", {-3, 3, 20, 9}, {0, 3, 9, 5}},
                          {"empty", {4, 2, 4, 4}, {0, 0, 0, 0}}};
    for (int bits : {16, 24, 32})
        for (gdi::RowOrder order : {gdi::RowOrder::TopDown, gdi::RowOrder::BottomUp})
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(bits) + " bits");
                auto context = Context::create(9, 5);
                ASSERT_NE(context, nullptr);
                auto from = gdi::Surface::create(9, 5, bits, order), into = gdi::Surface::create(9, 5, bits, order);
                for (int32_t y = 0; y < 5; ++y)
                    for (int32_t x = 0; x < 9; ++x) {
                        from->setPixel(x, y, from->valueOf(gdi::Rgb{uint8_t(24 * x), uint8_t(48 * y), 200}));
                        into->setPixel(x, y, into->valueOf(gdi::Rgb{255, 255, 255}));
                    }
                ASSERT_TRUE(context->loadFrom(*from, c.area));
                ASSERT_TRUE(context->finishInto(*into, c.area));
                for (int32_t y = 0; y < 5; ++y)
                    for (int32_t x = 0; x < 9; ++x) {
                        const bool inside = x >= c.cut.left && x < c.cut.right && y >= c.cut.top && y < c.cut.bottom;
                        EXPECT_EQ(into->pixel(x, y), inside ? from->pixel(x, y) : into->valueOf(gdi::Rgb{255, 255, 255}))
                            << x << "," << y;
                    }
                // Red over the whole buffer: only the area shows it.
                PixelProjection(9, 5);
                color4ub(255, 0, 0, 255);
                recti(0, 0, 9, 5);
                auto red = from->clone();
                ASSERT_TRUE(context->finishInto(*red, c.area));
                for (int32_t y = 0; y < 5; ++y)
                    for (int32_t x = 0; x < 9; ++x) {
                        const bool inside = x >= c.cut.left && x < c.cut.right && y >= c.cut.top && y < c.cut.bottom;
                        EXPECT_EQ(red->pixel(x, y), inside ? red->valueOf(gdi::Rgb{255, 0, 0}) : from->pixel(x, y)) << x << "," << y;
                    }
            }
}

}  // namespace
}  // namespace plat::gl
