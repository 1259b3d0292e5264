#include "platform/gdi/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "GdiTestSupport.h"
#include "platform/gdi/FontCatalog.h"

using namespace gdi_test;

namespace {

std::shared_ptr<const Font> font(std::string face, int32_t height, int32_t weight = 400, bool italic = false) {
    FontRequest r;
    r.faceName = std::move(face);
    r.height = height;
    r.weight = weight;
    r.italic = italic;
    return Font::create(r);
}

// A white 8-bit canvas (grey table) drawing black text on a transparent background.
Canvas textCanvas(int32_t w, int32_t h, std::shared_ptr<const Font> f) {
    Canvas c = makeCanvas(w, h, 8, RowOrder::BottomUp, greyTable(256));
    for (int32_t y = 0; y < h; ++y) c.surface->fillSpan(y, 0, w, 255);
    c.dc->state().backgroundMode = BackgroundMode::Transparent;
    c.dc->state().textColor = tableIndexColor(0);
    selectFont(*c.dc, std::move(f));
    return c;
}

Rect inkBounds(const Surface& s, uint32_t ink = 0) {
    Rect r{s.width(), s.height(), 0, 0};
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) == ink) r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r;
}

}  // namespace

TEST(Font, CharacterHeightAndCellHeightRequests) {
    auto byChar = font("DejaVu Sans", -20);
    ASSERT_TRUE(byChar);
    const TextMetrics& m = byChar->metrics();
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_EQ(m.internalLeading, m.height - 20);
    EXPECT_GT(m.internalLeading, 0);
    auto byCell = font("DejaVu Sans", 30);
    EXPECT_NEAR(byCell->metrics().height, 30, 1);
    EXPECT_GE(m.maxCharWidth, m.aveCharWidth);
}

TEST(Font, EqualRequestsShareOneFontWhileItLives) {
    auto a = font("DejaVu Sans", -15);
    auto b = font("DejaVu Sans", -15);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, font("DejaVu Sans", -16));
}

// A font its last user dropped stays made for the next equal request, and for that one alone.
TEST(Font, ADroppedFontIsGivenAgainOnlyToAnEqualRequest) {
    FontRequest base;
    base.faceName = "DejaVu Sans";
    base.height = -17;
    const Font* dropped = Font::create(base).get();
    EXPECT_EQ(Font::create(base).get(), dropped);
    const std::function<void(FontRequest&)> changes[] = {
        [](FontRequest& r) { r.height = -18; },       [](FontRequest& r) { r.weight = 700; },
        [](FontRequest& r) { r.italic = true; },      [](FontRequest& r) { r.underline = true; },
        [](FontRequest& r) { r.escapement = 900; },   [](FontRequest& r) { r.faceName = "DejaVu Serif"; },
        [](FontRequest& r) { r.charSet = 2; },        [](FontRequest& r) { r.outPrecision = kOutTrueTypeOnlyPrecision; },
    };
    for (const auto& change : changes) {
        FontRequest other = base;
        change(other);
        const std::shared_ptr<const Font> made = Font::create(other);
        ASSERT_NE(made, nullptr);
        EXPECT_NE(made.get(), dropped);
        EXPECT_EQ(made->request(), other);
    }
}

TEST(Font, MissingFacesFallBackToAnInstalledOne) {
    auto missing = font("No Such Face At All", -12);
    auto fallback = font("DEFAULT", -12);
    ASSERT_TRUE(missing);
    ASSERT_TRUE(fallback);
    EXPECT_FALSE(missing->faceName().empty());
    EXPECT_EQ(font("default", -12)->faceName(), fallback->faceName());
    EXPECT_EQ(font("", -12)->faceName(), fallback->faceName());
}

TEST(Font, StylesAndPitchBits) {
    auto bold = font("DejaVu Sans", -16, 700);
    auto italic = font("DejaVu Sans", -16, 400, true);
    auto regular = font("DejaVu Sans", -16);
    auto mono = font("DejaVu Sans Mono", -16);
    EXPECT_GE(bold->metrics().weight, 600);
    EXPECT_LT(regular->metrics().weight, 600);
    EXPECT_TRUE(italic->metrics().italic);
    EXPECT_GT(bold->advance('m'), regular->advance('m'));
    EXPECT_TRUE(regular->metrics().pitchAndFamily & kPitchVariableBit);
    EXPECT_TRUE(regular->metrics().pitchAndFamily & kPitchTrueTypeBit);
    EXPECT_FALSE(regular->metrics().pitchAndFamily & kPitchDeviceBit);
    EXPECT_FALSE(mono->metrics().pitchAndFamily & kPitchVariableBit);
    EXPECT_EQ(mono->advance('i'), mono->advance('W'));
}

TEST(Font, Cp1252CharactersReachTheirUnicodeGlyphs) {
    auto f = font("DejaVu Sans", -16);
    EXPECT_GT(f->glyph(0x80).rows, 0);   // euro sign
    EXPECT_GT(f->glyph(0xE9).rows, 0);   // e acute
    AbcWidths w = f->abcWidths('W');
    EXPECT_EQ(w.a + w.b + w.c, f->advance('W'));
}

TEST(FontCatalog, ListsInstalledFamiliesOnceSortedByName) {
    auto families = listFontFamilies();
    ASSERT_FALSE(families.empty());
    for (size_t i = 1; i < families.size(); ++i) EXPECT_LT(families[i - 1].name, families[i].name);
    auto find = [&](const std::string& name) {
        return std::find_if(families.begin(), families.end(), [&](const FontFamily& f) { return f.name == name; });
    };
    auto sans = find("DejaVu Sans");
    auto mono = find("DejaVu Sans Mono");
    ASSERT_NE(sans, families.end());
    ASSERT_NE(mono, families.end());
    EXPECT_TRUE(sans->trueType);
    EXPECT_FALSE(sans->fixedPitch);
    EXPECT_TRUE(mono->fixedPitch);
    EXPECT_TRUE(sans->textFace && mono->textFace);
    // The emoji family is always installed; the maths, symbol and dingbat ones where they are.
    for (const char* pictures : {"Noto Color Emoji", "DejaVu Math TeX Gyre", "Standard Symbols PS", "D050000L"}) {
        auto family = find(pictures);
        EXPECT_TRUE(family == families.end() || !family->textFace) << pictures;
    }
    EXPECT_NE(std::find(sans->styles.begin(), sans->styles.end(), FontStyle{700, false}), sans->styles.end());
}

TEST(Text, JustificationSpreadsExtraPixelsOverTheBlanks) {
    Canvas c = textCanvas(10, 10, font("DejaVu Sans", -14));
    int32_t plain = textExtent(*c.dc, "a b c d").cx;
    setTextJustification(*c.dc, 6, 3);
    EXPECT_EQ(textExtent(*c.dc, "a b c d").cx, plain + 6);
    setTextJustification(*c.dc, 0, 0);
    EXPECT_EQ(textExtent(*c.dc, "a b c d").cx, plain);
    EXPECT_EQ(textExtent(*c.dc, "").cx, 0);
}

TEST(Text, TextOutWithUpdatePositionAdvancesThePen) {
    Canvas c = textCanvas(120, 30, font("DejaVu Sans", -14));
    c.dc->state().textAlign = kTaUpdateCp | kTaBaseline;
    moveTo(*c.dc, {5, 20});
    textOut(*c.dc, {0, 0}, "Hello");
    EXPECT_EQ(c.dc->state().position, (Point{5 + textExtent(*c.dc, "Hello").cx, 20}));
    Rect ink = inkBounds(*c.surface);
    EXPECT_EQ(ink.bottom, 20) << "H sits on the baseline";
    EXPECT_GE(ink.left, 5);
}

TEST(Text, AlignmentPlacesTheCell) {
    auto f = font("DejaVu Sans", -14);
    Canvas top = textCanvas(100, 40, f);
    textOut(*top.dc, {50, 5}, "Hxg");
    Rect ink = inkBounds(*top.surface);
    int32_t width = textExtent(*top.dc, "Hxg").cx;
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + f->metrics().height);
    EXPECT_GE(ink.left, 50);
    EXPECT_LE(ink.right, 50 + width);
    Canvas right = textCanvas(100, 40, f);
    right.dc->state().textAlign = kTaRight | kTaBottom;
    textOut(*right.dc, {50, 30}, "Hxg");
    Rect rink = inkBounds(*right.surface);
    EXPECT_LE(rink.right, 50);
    EXPECT_GE(rink.left, 50 - width);
    EXPECT_LE(rink.bottom, 30);
}

TEST(Text, OpaqueBackgroundFillsTheCell) {
    auto f = font("DejaVu Sans", -12);
    Canvas c = textCanvas(60, 30, f);
    c.dc->state().backgroundMode = BackgroundMode::Opaque;
    c.dc->state().backgroundColor = tableIndexColor(77);
    textOut(*c.dc, {2, 3}, "ab");
    int32_t width = textExtent(*c.dc, "ab").cx;
    size_t background = 0, outside = 0;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 60; ++x) {
            bool inCell = x >= 2 && x < 2 + width && y >= 3 && y < 3 + f->metrics().height;
            uint32_t v = c.surface->pixel(x, y);
            if (!inCell && v != 255) ++outside;
            if (inCell && v == 77) ++background;
        }
    EXPECT_EQ(outside, 0u);
    EXPECT_GT(background, size_t(width * f->metrics().height / 2));
}

TEST(Text, RotatedTextRunsAlongItsAngle) {
    FontRequest r;
    r.faceName = "DejaVu Sans";
    r.height = -14;
    r.escapement = 900;
    r.outPrecision = kOutTrueTypeOnlyPrecision;
    Canvas c = textCanvas(60, 120, Font::create(r));
    c.dc->state().textAlign = kTaBaseline;
    textOut(*c.dc, {30, 110}, "HHHHHH");
    Rect ink = inkBounds(*c.surface);
    EXPECT_GT(ink.height(), 3 * ink.width());
    EXPECT_LE(ink.bottom, 111);
}

TEST(DrawText, CalcRectWrapsWordsToTheBoxWidth) {
    auto f = font("DejaVu Sans", -12);
    Canvas c = textCanvas(200, 200, f);
    int32_t wordWidth = textExtent(*c.dc, "word").cx;
    Rect box{0, 0, wordWidth * 2, 0};
    int32_t h = drawText(*c.dc, "word word word word", box, kDtWordBreak | kDtCalcRect | kDtNoPrefix);
    EXPECT_EQ(h, 4 * f->metrics().height);
    EXPECT_EQ(box.bottom, h);
    EXPECT_EQ(box.right, wordWidth);
    EXPECT_EQ(countNot(*c.surface, 255), 0u) << "measuring draws nothing";
    Rect leading{0, 0, 1000, 0};
    int32_t withLeading = drawText(*c.dc, "a\nb", leading, kDtCalcRect | kDtExternalLeading);
    EXPECT_EQ(withLeading, 2 * (f->metrics().height + f->metrics().externalLeading));
}

TEST(DrawText, AlignsEachLineAndClipsToTheBox) {
    auto f = font("DejaVu Sans", -12);
    Canvas c = textCanvas(200, 60, f);
    Rect box{10, 10, 150, 50};
    drawText(*c.dc, "right", box, kDtRight | kDtWordBreak | kDtNoPrefix);
    Rect ink = inkBounds(*c.surface);
    EXPECT_LE(ink.right, 150);
    EXPECT_GE(ink.right, 150 - 3);
    Canvas clipped = textCanvas(200, 60, f);
    Rect small{10, 10, 20, 50};
    drawText(*clipped.dc, "WWWWWW", small, kDtSingleLine | kDtNoPrefix);
    EXPECT_LE(inkBounds(*clipped.surface).right, 20);
    Canvas loose = textCanvas(200, 60, f);
    drawText(*loose.dc, "WWWWWW", small, kDtSingleLine | kDtNoPrefix | kDtNoClip);
    EXPECT_GT(inkBounds(*loose.surface).right, 20);
}

TEST(DrawText, SingleLineBottomAndPrefixes) {
    auto f = font("DejaVu Sans", -12);
    Canvas c = textCanvas(200, 60, f);
    Rect box{0, 0, 200, 60};
    drawText(*c.dc, "Hx", box, kDtSingleLine | kDtBottom);
    EXPECT_LE(inkBounds(*c.surface).bottom, 60);
    EXPECT_GT(inkBounds(*c.surface).top, 60 - f->metrics().height - 1);
    Rect a{0, 0, 500, 0}, b{0, 0, 500, 0};
    drawText(*c.dc, "&Save && go", a, kDtCalcRect);
    drawText(*c.dc, "Save & go", b, kDtCalcRect | kDtNoPrefix);
    EXPECT_EQ(a.right, b.right);
}

// The one pixel comparison of text, against a picture kept beside the tests and checked by eye.
TEST(Text, GoldenSample) {
    Canvas c = textCanvas(72, 20, font("DejaVu Sans", -13));
    c.dc->state().textAlign = kTaBaseline;
    textOut(*c.dc, {1, 14}, "Tumblo \x80 4");
    std::string actual = dump(*c.surface, 255);
    std::string path = std::string(TUMBLO_TEST_DATA_DIR) + "/golden/TextSample.txt";
    if (std::getenv("TUMBLO_UPDATE_GOLDEN")) std::ofstream(path) << actual;
    std::ifstream in(path);
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str());
}
