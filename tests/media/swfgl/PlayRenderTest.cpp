// What a playing movie draws frame after frame: instances with their own colour transforms, the
// compiled drawings the renderer keeps, the key colour, texts, the render modes and refusals.
#include "media/swf/Extensions.h"
#include "media/swf/ShapeTag.h"
#include "tests/media/swfgl/RenderFixture.h"

namespace swfgltest {
namespace {

using swf::Cxform;
using swf::Matrix;
using swf::Rect;
using swf::Rgba;

constexpr Rgba kWhite{255, 255, 255, 255};

Rect PlayPixels(i32 x0, i32 y0, i32 x1, i32 y1) { return Rect{x0 * kTwips, y0 * kTwips, x1 * kTwips, y1 * kTwips}; }
Matrix Moved(i32 x, i32 y) { return Matrix{65536, 0, 0, 65536, x * kTwips, y * kTwips}; }
Cxform Multiply(i16 red, i16 green, i16 blue) { return Cxform{{red, green, blue, 256}, {0, 0, 0, 0}}; }

class PlayRender : public RenderFixture {};

TEST_F(PlayRender, TwoInstancesOfOneShapeShowTheirOwnColourTransforms) {
    const Bytes shape = RectShape(1, PlayPixels(0, 0, 16, 16), SolidFill(kWhite));
    Load(MovieOf(kFrame, 1,
                 swftest::Concat({shape, Place(1, 1, Moved(4, 4), Multiply(256, 0, 0)),
                                  Place(2, 1, Moved(40, 4), Multiply(0, 256, 0))})));
    for (int frame = 0; frame < 2; ++frame) {
        ASSERT_EQ(Draw(), swf::kOk);
        EXPECT_EQ(Pixel(10, 10), Rgb555(255, 0, 0)) << frame;
        EXPECT_EQ(Pixel(46, 10), Rgb555(0, 255, 0)) << frame;
    }
    // One compiled drawing serves both instances.
    EXPECT_EQ(renderer_.CompiledCount(), 1u);
}

TEST_F(PlayRender, AFadeChangesFrameByFrame) {
    const Bytes shape = RectShape(1, PlayPixels(0, 0, 64, 48), SolidFill(kWhite));
    const i16 steps[] = {256, 192, 128, 64, 0};
    Bytes tags = swftest::Concat({shape, Place(1, 1, Matrix{}, Multiply(steps[0], steps[0], steps[0])),
                                  swftest::Tag(swf::kTagShowFrame, {})});
    for (int i = 1; i < 5; ++i)
        tags = swftest::Concat({tags, MoveCxform(1, Multiply(steps[i], steps[i], steps[i])),
                                swftest::Tag(swf::kTagShowFrame, {})});
    Load(MovieOf(kFrame, 5, tags));
    for (int i = 0; i < 5; ++i) {
        if (i) {
            ASSERT_EQ(player_->AdvanceFrame(), swf::kOk);
        }
        ASSERT_EQ(Draw(), swf::kOk);
        const u8 level = u8(std::min(255, 255 * steps[i] >> 8));
        EXPECT_EQ(Pixel(32, 24), Rgb555(level, level, level)) << "frame " << i;
    }
}

TEST_F(PlayRender, ABackgroundColourFillsTheFrameWithTheKeyColour) {
    Load(MovieOf(kFrame, 1, swftest::Tag(swf::kTagSetBackgroundColor, {10, 20, 30})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(0, 0), Rgb555(0x39, 0xCE, 0x71));
    EXPECT_EQ(Pixel(63, 47), Rgb555(0x39, 0xCE, 0x71));
}

TEST_F(PlayRender, AMovieWithoutBackgroundKeepsWhatThePictureHeld) {
    Clear(0x1234);
    Load(MovieOf(kFrame, 1, {}));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(5, 5), 0x1234);
}

TEST_F(PlayRender, RenderingWithoutAContextIsRefused) {
    Load(MovieOf(kFrame, 1, swftest::Concat({RectShape(1, kFrame, SolidFill(kWhite)),
                                              Place(1, 1, Matrix{}, Cxform{})})));
    GLBitmapRenderer unattached(16);
    EXPECT_EQ(player_->Render(unattached, 0), swf::kErrNoContext);
    EXPECT_EQ(unattached.LastError(), kGlErrNoContext);
}

TEST_F(PlayRender, SilhouetteAndOutlineModesDrawWithoutCompiling) {
    const Bytes shape = RectShape(1, PlayPixels(8, 8, 40, 40), SolidFill({255, 0, 0, 255}));
    Load(MovieOf(kFrame, 1, swftest::Concat({shape, Place(1, 1, Matrix{}, Cxform{})})));
    ASSERT_EQ(Draw(2), swf::kOk);
    EXPECT_EQ(Pixel(20, 20), 0u);
    Clear(kWhite555);
    ASSERT_EQ(Draw(4), swf::kOk);
    EXPECT_EQ(Pixel(20, 20), kWhite555);  // inside stays: only the edges are drawn
    EXPECT_EQ(Pixel(8, 20), 0u);
    EXPECT_EQ(renderer_.CompiledCount(), 0u);
}

TEST_F(PlayRender, SilhouetteAndOutlineModesLeaveColourTransformsOut) {
    const Bytes shape = RectShape(1, PlayPixels(8, 8, 40, 40), SolidFill({0, 0, 255, 255}));
    const Cxform reddened{{256, 256, 256, 256}, {255, 0, 0, 0}};
    Load(MovieOf(kFrame, 1, swftest::Concat({shape, Place(1, 1, Matrix{}, reddened)})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(20, 20), Rgb555(255, 0, 255));
    ASSERT_EQ(Draw(2), swf::kOk);
    EXPECT_EQ(Pixel(20, 20), 0u);
    Clear(kWhite555);
    ASSERT_EQ(Draw(4), swf::kOk);
    EXPECT_EQ(Pixel(8, 20), 0u);
}

TEST_F(PlayRender, ACharacterLeavingItsDocumentDropsItsCompiledDrawing) {
    Load(MovieOf(kFrame, 1, swftest::Concat({RectShape(1, kFrame, SolidFill(kWhite)),
                                              Place(1, 1, Matrix{}, Cxform{})})));
    ASSERT_EQ(Draw(), swf::kOk);
    ASSERT_EQ(renderer_.CompiledCount(), 1u);
    swf::tagObject* shape = document_->FindCharacter(1);
    ASSERT_NE(shape, nullptr);
    player_.reset();
    shape->Link(nullptr);
    EXPECT_EQ(renderer_.CompiledCount(), 0u);
    delete shape;
}

TEST_F(PlayRender, ACharacterDrawnAfterLeavingItsDocumentDropsItsDrawingWhenDeleted) {
    Load(MovieOf(kFrame, 1, swftest::Concat({RectShape(1, kFrame, SolidFill(kWhite)),
                                              Place(1, 1, Matrix{}, Cxform{})})));
    swf::tagObject* shape = document_->FindCharacter(1);
    ASSERT_NE(shape, nullptr);
    shape->Link(nullptr);
    ASSERT_EQ(Draw(), swf::kOk);  // still on the display list: drawn and kept again
    ASSERT_EQ(renderer_.CompiledCount(), 1u);
    player_.reset();
    delete shape;
    EXPECT_EQ(renderer_.CompiledCount(), 0u);
}

TEST_F(PlayRender, RemovingAShapeAfterItsLastPlacingFrameDropsItsCompiledDrawing) {
    const Bytes show = swftest::Tag(swf::kTagShowFrame, {});
    const Bytes remove = swftest::Tag(swf::kTagRemoveObject2, {1, 0});
    // Placed in frame 1 at depths 1 and 2; depth 1 removed in frame 2 (while frame 1 is the
    // current one: still the placing frame), depth 2 in frame 3.
    Load(MovieOf(kFrame, 3,
                 swftest::Concat({RectShape(1, kFrame, SolidFill(kWhite)), Place(1, 1, Matrix{}, Cxform{}),
                                  Place(2, 1, Matrix{}, Cxform{}), show, remove, show,
                                  swftest::Tag(swf::kTagRemoveObject2, {2, 0}), show})));
    ASSERT_EQ(Draw(), swf::kOk);
    ASSERT_EQ(renderer_.CompiledCount(), 1u);
    ASSERT_EQ(player_->AdvanceFrame(), swf::kOk);
    EXPECT_EQ(renderer_.CompiledCount(), 1u);
    ASSERT_EQ(player_->AdvanceFrame(), swf::kOk);
    EXPECT_EQ(renderer_.CompiledCount(), 0u);
}

TEST_F(PlayRender, AColourTableChangeDropsEveryCompiledDrawing) {
    Load(MovieOf(kFrame, 1, swftest::Concat({RectShape(1, kFrame, SolidFill(kWhite)),
                                              Place(1, 1, Matrix{}, Cxform{})})));
    ASSERT_EQ(Draw(), swf::kOk);
    ASSERT_EQ(renderer_.CompiledCount(), 1u);
    swf::xtagColorXTable table;
    table.Link(document_.get());
    ASSERT_EQ(table.SetEntry(swf::xtagColorXTable::KeyOf(kWhite), Rgba{0, 0, 255, 255}), swf::kOk);
    EXPECT_EQ(renderer_.CompiledCount(), 0u);
    table.Link(nullptr);
}

TEST_F(PlayRender, GlyphRunsDrawTheirGlyphsAndSkipIndicesPastTheFont) {
    // Glyph 0: a 512-unit square; text height 640 twips: the square is 320 twips (16 px).
    Path square{0, -512, 1, 0, 0, {Line(512, 0), Line(0, 512), Line(-512, 0), Line(0, -512)}};
    const Bytes font = Font(5, {{square}});
    const Bytes text = Text(6, 5, 640, {0, 0, 255, 255}, 4 * kTwips, 24 * kTwips, {{0, 20 * kTwips}, {9, 20 * kTwips},
                                                                                     {0, 20 * kTwips}});
    Load(MovieOf(kFrame, 1, swftest::Concat({font, text, Place(1, 6, Matrix{}, Cxform{})})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(10, 20), Rgb555(0, 0, 255));   // first glyph: x 4..20, y 8..24
    EXPECT_EQ(Pixel(30, 20), kWhite555);           // index 9 is past the font: nothing
    EXPECT_EQ(Pixel(50, 20), Rgb555(0, 0, 255));   // third glyph at x 44..60
}

TEST_F(PlayRender, AGlyphReachingPastTheTwipsRangeIsCutAtItsEdge) {
    // At the greatest height a glyph unit is 64 twips; a glyph 520 x 65535 units wide reaches
    // from x = 10 px past the 32-bit range of twips.
    constexpr int kSteps = 520;
    Path wide{0, -512, 1, 0, 0, {}};
    for (int i = 0; i < kSteps; ++i) wide.edges.push_back(Line(65535, 0));
    wide.edges.push_back(Line(0, 512));
    for (int i = 0; i < kSteps; ++i) wide.edges.push_back(Line(-65535, 0));
    wide.edges.push_back(Line(0, -512));
    const Bytes font = Font(5, {{wide}});
    const Bytes text = Text(6, 5, 65535, {0, 0, 255, 255}, 10 * kTwips, 24 * kTwips, {{0, 0}});
    Load(MovieOf(kFrame, 1, swftest::Concat({font, text, Place(1, 6, Matrix{}, Cxform{})})));
    ASSERT_EQ(Draw(), swf::kOk);
    EXPECT_EQ(Pixel(5, 10), kWhite555);
    EXPECT_EQ(Pixel(30, 10), Rgb555(0, 0, 255));
    EXPECT_EQ(Pixel(63, 10), Rgb555(0, 0, 255));
}

}  // namespace
}  // namespace swfgltest
