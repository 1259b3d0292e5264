#include "engine/gfx/gl/GLBitmapRenderer.h"

#include <gtest/gtest.h>

#include "platform/gl/Gl.h"

namespace {

namespace gl = plat::gl;
using plat::gdi::ContextKind;
using plat::gdi::DeviceContext;
using plat::gdi::Rgb;
using plat::gdi::Surface;

struct Picture {
    explicit Picture(int bits, int32_t width = 32, int32_t height = 24) {
        surface = Surface::create(width, height, bits, plat::gdi::RowOrder::TopDown);
        for (int32_t y = 0; y < height; ++y) surface->fillSpan(y, 0, width, surface->valueOf(Rgb{255, 255, 255}));
        dc = DeviceContext::createForSurface(ContextKind::Memory, *surface);
    }
    Rgb At(int32_t x, int32_t y) const { return surface->rgbOf(surface->pixel(x, y)); }
    std::unique_ptr<Surface> surface;
    std::unique_ptr<DeviceContext> dc;
};

// Fills the view rectangle (x0, y0)-(x1, y1) in view units with red.
void FillRed(GLBitmapRenderer& renderer, i32 x0, i32 y0, i32 x1, i32 y1) {
    ASSERT_EQ(renderer.BeginDrawing(), kGlOk);
    gl::color4ub(255, 0, 0, 255);
    gl::recti(x0, y0, x1, y1);
    ASSERT_EQ(renderer.EndDrawing(), kGlOk);
}

TEST(GLBitmapRenderer, AttachRefusesWhatItCannotDrawInto) {
    Picture sixteen(16), eight(8), twentyFour(24);
    GLBitmapRenderer renderer(16);
    struct Case {
        const char* name;
        DeviceContext* dc;
        u32 width, height;
    };
    const Case cases[] = {{"no context", nullptr, 32, 24},
                          {"another depth", eight.dc.get(), 32, 24},
                          {"24 bits for a 16-bit renderer", twentyFour.dc.get(), 32, 24},
                          {"another size", sixteen.dc.get(), 33, 24}};
    for (const Case& c : cases) {
        EXPECT_EQ(renderer.Attach(c.dc, c.width, c.height, 0, 0, 32, 24), kGlErrNoContext) << c.name;
        EXPECT_FALSE(renderer.Bound()) << c.name;
    }
    EXPECT_EQ(renderer.Attach(sixteen.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);
    EXPECT_TRUE(renderer.Bound());
    EXPECT_GE(renderer.MaxTextureSize(), 64);
    renderer.ReleaseContext();
    EXPECT_EQ(renderer.BeginDrawing(), kGlErrNoContext);
    EXPECT_EQ(renderer.LastError(), kGlErrNoContext);
}

TEST(GLBitmapRenderer, ViewRunsDownwardsInItsOwnUnitsOverTheViewport) {
    for (int bits : {16, 32}) {
        SCOPED_TRACE(bits);
        Picture picture(bits);
        GLBitmapRenderer renderer{u16(bits)};
        // The viewport is the right half; the view is twips with its origin at (100, 100).
        ASSERT_EQ(renderer.Attach(picture.dc.get(), 32, 24, 16, 0, 32, 24), kGlOk);
        renderer.SetView(GlViewRect{100, 100, 100 + 16 * 20, 100 + 24 * 20});
        FillRed(renderer, 100, 100, 100 + 4 * 20, 100 + 2 * 20);  // 4 x 2 pixels at the view's top left
        const Rgb red = picture.At(16, 0), white = picture.At(0, 23);
        EXPECT_EQ(picture.surface->pixel(16, 0), picture.surface->valueOf(Rgb{255, 0, 0}));
        EXPECT_EQ(picture.At(19, 1), red);
        EXPECT_EQ(white, picture.surface->rgbOf(picture.surface->valueOf(Rgb{255, 255, 255})));
        EXPECT_EQ(picture.At(20, 1), white);  // past the fourth column
        EXPECT_EQ(picture.At(16, 2), white);  // below the second row
        EXPECT_EQ(picture.At(15, 0), white);  // left of the viewport
    }
}

TEST(GLBitmapRenderer, ViewGoesIntoItsOwnContextWhicheverWasCurrent) {
    Picture first(16), second(16);
    GLBitmapRenderer a(16), b(16);
    ASSERT_EQ(a.Attach(first.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);
    ASSERT_EQ(b.Attach(second.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);  // b's context is current now
    a.SetView(GlViewRect{0, 0, 32 * 20, 24 * 20});
    b.SetView(GlViewRect{0, 0, 32, 24});
    FillRed(a, 0, 0, 4 * 20, 2 * 20);  // 4 x 2 pixels at the top left
    FillRed(b, 28, 22, 32, 24);        // 4 x 2 pixels at the bottom right
    const u32 red = first.surface->valueOf(Rgb{255, 0, 0}), white = first.surface->valueOf(Rgb{255, 255, 255});
    EXPECT_EQ(first.surface->pixel(3, 1), red);
    EXPECT_EQ(first.surface->pixel(4, 1), white);
    EXPECT_EQ(first.surface->pixel(3, 2), white);
    EXPECT_EQ(second.surface->pixel(28, 22), red);
    EXPECT_EQ(second.surface->pixel(27, 22), white);
}

TEST(GLBitmapRenderer, DrawingKeepsWhatThePictureHeld) {
    Picture picture(16);
    picture.surface->setPixel(30, 20, picture.surface->valueOf(Rgb{0, 0, 255}));
    GLBitmapRenderer renderer(16);
    ASSERT_EQ(renderer.Attach(picture.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);
    renderer.SetView(GlViewRect{0, 0, 32, 24});
    FillRed(renderer, 0, 0, 4, 4);
    EXPECT_EQ(picture.surface->pixel(30, 20), picture.surface->valueOf(Rgb{0, 0, 255}));
    EXPECT_EQ(picture.surface->pixel(2, 2), picture.surface->valueOf(Rgb{255, 0, 0}));
}

TEST(GLBitmapRenderer, CompiledDrawingsAreDroppedByKeyEverywhereAndWithTheContext) {
    Picture first(16), second(16);
    GLBitmapRenderer a(16), b(16);
    ASSERT_EQ(a.Attach(first.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);
    ASSERT_EQ(b.Attach(second.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);
    int key1 = 0, key2 = 0;
    for (GLBitmapRenderer* r : {&a, &b}) {
        ASSERT_EQ(r->MakeCurrent(), kGlOk);
        for (int* key : {&key1, &key2}) {
            auto drawing = std::make_unique<GlCompiled>();
            drawing->lists.push_back(gl::genLists(1));
            r->Keep(key, std::move(drawing));
        }
    }
    // b's context is current: a's list waits until a is current again.
    GLBitmapRenderer::DropEverywhere(&key1);
    EXPECT_EQ(a.Compiled(&key1), nullptr);
    EXPECT_EQ(b.Compiled(&key1), nullptr);
    EXPECT_NE(a.Compiled(&key2), nullptr);
    EXPECT_EQ(a.MakeCurrent(), kGlOk);
    GLBitmapRenderer::DropAllEverywhere();
    EXPECT_EQ(a.CompiledCount() + b.CompiledCount(), 0u);
    a.Keep(&key1, std::make_unique<GlCompiled>());
    ASSERT_EQ(a.Attach(second.dc.get(), 32, 24, 0, 0, 32, 24), kGlOk);  // another picture: another context
    EXPECT_EQ(a.CompiledCount(), 0u);
}

}  // namespace
