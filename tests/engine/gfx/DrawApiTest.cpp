#include <functional>
#include <string>

#include "OffscreenTestSupport.h"
#include "PackedEncoders.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "platform/cursor/Cursors.h"
#include "engine/regions/Regions.h"
#include "platform/gdi/RasterOps.h"

namespace {

class DrawApiTest : public OffscreenTest {
protected:
    void TearDown() override {
        gfxSetPort(nullptr);
        OffscreenTest::TearDown();
        gfxDisposeAllFonts();
    }
    // A 16-bit port, current, with a font of its own.
    GfxOffscreenPort* textPort(u16 width, u16 height) {
        GfxOffscreenPort* port = makeOffscreen(width, height, 16);
        gfxSetFont(gfxNewFont("default", 16, 0));
        return port;
    }
    static bool anyInk(GfxOffscreenPort* port, i32 top, i32 bottom) {
        for (i32 y = top; y < bottom; ++y)
            for (i32 x = 0; x < port->Store().bounds.right; ++x)
                if (word(port, x, y) != 0) return true;
        return false;
    }
};

}  // namespace

TEST_F(DrawApiTest, CallsWithoutACurrentPortFailAndTextWidthIsZero) {
    gfxSetPort(nullptr);
    EXPECT_EQ(gfxFillRect(Rect16{0, 0, 1, 1}, GfxColor::rgb(1, 2, 3), 0), kGfxErrBadPort);
    EXPECT_EQ(gfxTextWidth("abc", kGfxWholeText), 0);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPort);
    EXPECT_EQ(gfxSetPenMode(1), -1);
    EXPECT_EQ(gfxGetPortDepth(), 0u);
}

TEST_F(DrawApiTest, PenModesMapToBinaryRasterOperations) {
    GfxOffscreenPort* port = makeOffscreen(4, 4, 16);
    gfxFillRect(Rect16{0, 0, 1, 1}, GfxColor::rgb(0, 0, 0), 0);  // attaches the context
    EXPECT_EQ(gfxSetPenMode(7), 0);
    EXPECT_EQ(port->dc->state().rop2, plat::gdi::kR2NotXorPen);
    EXPECT_EQ(gfxSetPenMode(12), 7);
    EXPECT_EQ(port->dc->state().rop2, plat::gdi::kR2NotXorPen);
    gfxSetPenMode(5);
    EXPECT_EQ(port->dc->state().rop2, plat::gdi::kR2NotMaskPen);
    EXPECT_EQ(gfxGetPortDepth(), 16u);
}

TEST_F(DrawApiTest, FillsInvertThroughThePatternTableAndOvalsKeepTheirCorners) {
    GfxOffscreenPort* port = makeOffscreen(8, 8, 16);
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 8, 8}, GfxColor::rgb(0, 0, 255), 0), kErrNone);
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 2, 1}, GfxColor::rgb(255, 0, 0), 3), kErrNone);
    EXPECT_EQ(word(port, 0, 0), 0x001F ^ 0x7C00);
    EXPECT_EQ(word(port, 2, 0), 0x001F);
    ASSERT_EQ(gfxInvertOval(Rect16{0, 0, 8, 8}), kErrNone);
    EXPECT_EQ(word(port, 0, 7), 0x001F);
    EXPECT_NE(word(port, 4, 4), 0x001F);
}

TEST_F(DrawApiTest, LinesAndFramesUseThePen) {
    GfxOffscreenPort* port = makeOffscreen(6, 6, 16);
    GfxColor previous;
    gfxSetForeColor(&previous, GfxColor::rgb(0, 255, 0));
    ASSERT_EQ(gfxMoveTo(0, 1), kErrNone);
    ASSERT_EQ(gfxLineTo(4, 1), kErrNone);
    EXPECT_EQ(word(port, 0, 1), 0x03E0);
    EXPECT_EQ(word(port, 3, 1), 0x03E0);
    EXPECT_EQ(word(port, 4, 1), 0);
    Point16 pen;
    ASSERT_EQ(gfxGetPenPos(&pen), kErrNone);
    EXPECT_EQ(pen.h, 4);
    ASSERT_EQ(gfxFrameRect(Rect16{1, 2, 5, 6}), kErrNone);
    EXPECT_EQ(word(port, 1, 2), 0x03E0);
    EXPECT_EQ(word(port, 4, 5), 0x03E0);
    EXPECT_EQ(word(port, 2, 3), 0);
}

TEST_F(DrawApiTest, ClipRectanglesLimitDrawing) {
    GfxOffscreenPort* port = makeOffscreen(6, 1, 16);
    ASSERT_EQ(gfxIntersectClipRect(Rect16{2, 0, 4, 1}), kErrNone);
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 6, 1}, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    EXPECT_EQ(word(port, 1, 0), 0);
    EXPECT_EQ(word(port, 2, 0), 0x7FFF);
    EXPECT_EQ(word(port, 4, 0), 0);
    ASSERT_EQ(gfxResetClipRect(Rect16{0, 0, 6, 1}), kErrNone);
    ASSERT_EQ(gfxEraseRect(Rect16{0, 0, 6, 1}), kErrNone);
    EXPECT_EQ(word(port, 5, 0), 0x7FFF);
}

TEST_F(DrawApiTest, BitmapsDrawAtAPointAndCompressedOnesAreRefused) {
    GfxOffscreenPort* port = makeOffscreen(4, 2, 16);
    std::vector<u8> bitmap;
    for (u16 w : {u16(2), u16(1), u16(4), u16(3 | kGfxFormatMachineOrder)}) pushBE16(bitmap, w);
    pushLE16(bitmap, 0x7C00);
    pushLE16(bitmap, 0x001F);
    ASSERT_EQ(gfxDrawBitmap(bitmap.data(), u32(bitmap.size()), 1, 1, 0), kErrNone);
    EXPECT_EQ(word(port, 1, 1), 0x7C00);
    EXPECT_EQ(word(port, 2, 1), 0x001F);
    EXPECT_EQ(gfxDrawBitmap(bitmap.data(), u32(bitmap.size()) - 1, 0, 0, 0), kGfxErrBadFormat);
    EXPECT_EQ(gfxDrawBitmap(nullptr, 0, 0, 0, 0), kGfxErrBadFormat);
    bitmap[6] |= 0x01;  // LZ compression
    EXPECT_EQ(gfxDrawBitmap(bitmap.data(), u32(bitmap.size()), 0, 0, 0), kGfxErrBadFormat);
}

TEST_F(DrawApiTest, PixelBuffersUseTheTrueStride) {
    GfxOffscreenPort* port = makeOffscreen(3, 2, 8);
    port->foreColor.FromIndex(9);
    port->backColor.FromIndex(4);
    // Three 1-bit pixels a row: the rows are 4 bytes apart.
    u8 buffer[8] = {0xA0, 0, 0, 0, 0x40, 0, 0, 0};
    ASSERT_EQ(gfxDrawPixelBuffer(Rect16{0, 0, 3, 2}, buffer, 1), kErrNone);
    EXPECT_EQ(std::vector<u8>(row(port, 0), row(port, 0) + 3), (std::vector<u8>{9, 4, 9}));
    EXPECT_EQ(std::vector<u8>(row(port, 1), row(port, 1) + 3), (std::vector<u8>{4, 9, 4}));
}

TEST_F(DrawApiTest, CopiesTurnedByHalfATurn) {
    GfxOffscreenPort* source = makeOffscreen(2, 2, 16, nullptr, false);
    GfxOffscreenPort* target = makeOffscreen(2, 2, 16);
    setWord(source, 0, 0, 1);
    setWord(source, 1, 0, 2);
    setWord(source, 0, 1, 3);
    setWord(source, 1, 1, 4);
    ASSERT_EQ(gfxCopyBitsEx(target, source, Rect16{0, 0, 2, 2}, Rect16{0, 0, 2, 2}, 0, kGfxCopyMirror | kGfxCopyFlip), kErrNone);
    EXPECT_EQ(word(target, 0, 0), 4);
    EXPECT_EQ(word(target, 1, 1), 1);
    EXPECT_EQ(gfxCopyBits(target, nullptr, Rect16{0, 0, 1, 1}, Rect16{0, 0, 1, 1}, 0), kGfxErrBadPort);
}

TEST_F(DrawApiTest, FontsAreNamedCutAndKeptWhileInUse) {
    makeOffscreen(4, 4, 16);
    for (const char* name : {"default", "DEFAULT", ""}) {
        GfxFont* font = gfxNewFont(name, 12, 0);
        EXPECT_STREQ(font->faceName, "DEFAULT");
        EXPECT_EQ(gfxDisposeFont(font), kErrNone);
    }
    std::string longName(40, 'x');
    GfxFont* font = gfxNewFont(longName.c_str(), 12, 0);
    EXPECT_EQ(std::string(font->faceName), std::string(31, 'x'));
    gfxSetFont(font);
    EXPECT_EQ(gfxGetFont(), font);
    EXPECT_EQ(gfxDisposeFont(font), kGfxErrFontInUse);
    GfxFont stranger;
    EXPECT_EQ(gfxDisposeFont(&stranger), kGfxErrBadFont);
    EXPECT_EQ(gfxDisposeFont(nullptr), kGfxErrBadFont);
}

TEST_F(DrawApiTest, TextIsMeasuredAndJustifiedDrawingAdvancesThePen) {
    textPort(200, 30);
    i32 width = gfxTextWidth("a b c d", kGfxWholeText);
    EXPECT_GT(width, 0);
    EXPECT_EQ(gfxTextWidth("a b c dzzz", 7), width);
    gfxMoveTo(0, 20);
    ASSERT_EQ(gfxDrawText("a b c d", kGfxWholeText, 0), kErrNone);
    Point16 plain;
    gfxGetPenPos(&plain);
    gfxMoveTo(0, 20);
    ASSERT_EQ(gfxDrawText("a b c d", kGfxWholeText, 2), kErrNone);
    Point16 justified;
    gfxGetPenPos(&justified);
    EXPECT_EQ(justified.h - plain.h, 6);
    GfxFontInfo info;
    ASSERT_EQ(gfxGetFontInfo(&info), kErrNone);
    EXPECT_EQ(info.values[3], info.values[1] + info.values[2] + info.values[4]);
    EXPECT_GT(std::string(info.name).size(), 0u);
}

TEST_F(DrawApiTest, XorTextDrawnTwiceLeavesThePictureAsItWas) {
    GfxOffscreenPort* port = textPort(100, 30);
    gfxFillRect(Rect16{0, 0, 100, 30}, GfxColor::rgb(0, 0, 128), 0);
    std::vector<u8> before = pixels(port);
    gfxSetPenMode(3);
    gfxMoveTo(2, 20);
    ASSERT_EQ(gfxDrawText("Xor", kGfxWholeText, 0), kErrNone);
    EXPECT_NE(pixels(port), before);
    gfxMoveTo(2, 20);
    ASSERT_EQ(gfxDrawText("Xor", kGfxWholeText, 0), kErrNone);
    EXPECT_EQ(pixels(port), before);
}

TEST_F(DrawApiTest, TextBoxesAlignToTheBottomAndRight) {
    GfxOffscreenPort* port = textPort(120, 60);
    GfxColor previous;
    gfxSetForeColor(&previous, GfxColor::rgb(255, 255, 255));
    ASSERT_EQ(gfxDrawTextBox(Rect16{0, 0, 120, 60}, kGfxTextBottom | kGfxTextRight, "Hi", kGfxWholeText), kErrNone);
    EXPECT_FALSE(anyInk(port, 0, 30));
    EXPECT_TRUE(anyInk(port, 30, 60));
    bool leftInk = false;
    for (i32 y = 0; y < 60; ++y)
        for (i32 x = 0; x < 60; ++x) leftInk |= word(port, x, y) != 0;
    EXPECT_FALSE(leftInk);
}

class CursorTest : public DrawApiTest {
protected:
    void SetUp() override {
        DrawApiTest::SetUp();
        plat::cursor::resetCursors();
        gfxStartCursor();
    }
    void TearDown() override {
        gfxStopCursor();
        plat::cursor::resetCursors();
        DrawApiTest::TearDown();
    }
    static std::vector<u8> record(u16 hotV, u16 hotH) {
        std::vector<u8> r(kGfxCursorRecordSize, 0);
        r[0] = 0x80;   // image: top-left pixel
        r[32] = 0xC0;  // mask: two top-left pixels
        r[64] = u8(hotV >> 8), r[65] = u8(hotV);
        r[66] = u8(hotH >> 8), r[67] = u8(hotH);
        return r;
    }
};

TEST_F(CursorTest, TheSameRecordMakesOneCursorAndSystemCursorsReplaceIt) {
    std::vector<u8> r = record(1, 2);
    ASSERT_EQ(gfxSetCursor(r.data()), kErrNone);
    plat::cursor::CursorId first = plat::cursor::currentCursor();
    ASSERT_EQ(gfxSetCursor(r.data()), kErrNone);
    EXPECT_EQ(plat::cursor::currentCursor(), first);
    EXPECT_EQ(plat::cursor::liveCursorCount(), 1u);
    const plat::cursor::CursorImage* image = plat::cursor::cursorImage(first);
    EXPECT_EQ(image->hotX, 2);
    EXPECT_EQ(image->hotY, 1);
    EXPECT_EQ(image->andPlane[0], 0x3F);   // NOT mask
    EXPECT_EQ(image->xorPlane[0], 0x40);   // (NOT image) AND mask
    EXPECT_EQ(image->andPlane[2], 0xFF);   // right half transparent
    ASSERT_EQ(gfxSetCursor(kGfxCursorWait), kErrNone);
    EXPECT_EQ(plat::cursor::liveCursorCount(), 0u);
    EXPECT_EQ(gfxSetCursor(record(17, 0).data()), kGfxErrHotSpot);
}

TEST_F(CursorTest, HidingTwiceNeedsTwoShows) {
    gfxSetCursorLevel(0);
    gfxHideCursor();
    gfxHideCursor();
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::kNoCursor);
    EXPECT_EQ(gfxShowCursor(), -1);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::kNoCursor);
    EXPECT_EQ(gfxShowCursor(), 0);
    EXPECT_EQ(plat::cursor::currentCursor(), plat::cursor::systemCursor(plat::cursor::SystemCursor::Arrow));
    EXPECT_EQ(gfxSetCursorLevel(-3), 0);
    plat::cursor::setPointerPosition({12, 34});
    Point16 mouse;
    gfxGetMouse(&mouse);
    EXPECT_EQ(mouse.v, 34);
}

// Long work shows the busy cursor and gives back whatever was in use before, even a cursor
// the busy one destroyed or one its owner destroyed meanwhile; the work's last error stays.
TEST_F(CursorTest, TheBusyCursorGivesBackTheCursorInUseBefore) {
    namespace cur = plat::cursor;
    const std::vector<u8> made = record(1, 2);
    const cur::CursorId table = cur::createCursor(cur::CursorImage{});
    const auto shown = [](cur::SystemCursor which) { return cur::currentCursor() == cur::systemCursor(which); };
    struct Row {
        std::function<void()> before, meanwhile;
        std::function<bool()> after;
    } rows[] = {
        {[] { gfxSetCursor(kGfxCursorCross); }, [] {}, [&] { return shown(cur::SystemCursor::Cross); }},
        {[&] { gfxSetCursor(made.data()); }, [] {}, [] { return cur::cursorImage(cur::currentCursor())->hotX == 2; }},
        {[&] { gfxSetCursorId(table); }, [] {}, [&] { return cur::currentCursor() == table; }},
        {[&] { gfxSetCursorId(table); }, [&] { cur::destroyCursor(table); }, [&] { return shown(cur::SystemCursor::Arrow); }},
    };
    for (const Row& row : rows) {
        row.before();
        gfxSetError(kGfxErrBadValue);
        {
            GfxBusyCursor outer, nested;
            EXPECT_TRUE(shown(cur::SystemCursor::Wait));
            row.meanwhile();
        }
        EXPECT_TRUE(row.after()) << &row - rows;
        EXPECT_EQ(gfxGetLastError(), kGfxErrBadValue);
    }
    gfxSetCursorLevel(-1);
    GfxBusyCursor busy;
    EXPECT_EQ(cur::currentCursor(), cur::kNoCursor) << "a hidden cursor stays hidden";
}

TEST_F(DrawApiTest, PenStateRoundTripsAndPixelsAreSetAndRead) {
    GfxOffscreenPort* port = makeOffscreen(4, 4, 16);
    GfxPenState state{Point16{2, 3}, GfxColor::rgb(255, 0, 0), 2, 3};
    ASSERT_EQ(gfxSetPenState(state), kErrNone);
    GfxPenState read{};
    ASSERT_EQ(gfxGetPenState(&read), kErrNone);
    EXPECT_EQ(read.position.h, 2);
    EXPECT_EQ(read.position.v, 3);
    EXPECT_EQ(read.mode, 2);
    EXPECT_EQ(read.size, 3);
    ASSERT_EQ(gfxSetPixel(GfxColor::rgb(0, 0, 255), 1, 2), kErrNone);
    EXPECT_EQ(word(port, 1, 2), 0x001F);
    GfxColor c;
    gfxGetPixel(&c, 1, 2);
    EXPECT_EQ(c.blue, 248);
    EXPECT_EQ(gfxSetPixel(GfxColor(), 1, 2), kGfxErrColorRange);
}

TEST_F(DrawApiTest, ClipRegionsAreSetReadAndIntersected) {
    GfxOffscreenPort* port = makeOffscreen(6, 1, 16);
    memHandle region = rgnCreate();
    rgnResetToRect(region, Rect16{1, 0, 3, 1});
    ASSERT_EQ(gfxSetClipRgn(region), kErrNone);
    rgnResetToRect(region, Rect16{2, 0, 6, 1});
    ASSERT_EQ(gfxIntersectClipRgn(region), kErrNone);
    ASSERT_EQ(gfxGetClipRgn(region), kErrNone);
    EXPECT_EQ(rgnContainsPoint(region, Point16{2, 0}), 1);
    EXPECT_EQ(rgnContainsPoint(region, Point16{1, 0}), 0);
    ASSERT_EQ(gfxFillOval(Rect16{0, 0, 6, 1}, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    EXPECT_EQ(word(port, 1, 0), 0);
    EXPECT_EQ(word(port, 2, 0), 0x7FFF);
    EXPECT_EQ(word(port, 3, 0), 0);
    rgnDispose(region);
}

TEST_F(DrawApiTest, RegionsFillWithEnginePatterns) {
    GfxOffscreenPort* port = makeOffscreen(8, 2, 8);
    port->foreColor.FromIndex(3);
    port->backColor.FromIndex(5);
    std::vector<u8> pattern = {0, u8(kGfxPatternMono), 0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F};
    memHandle region = rgnCreate();
    rgnResetToRect(region, Rect16{0, 0, 8, 2});
    ASSERT_EQ(gfxFillRgn(region, pattern.data()), kErrNone);
    EXPECT_EQ(row(port, 0)[0], 3);
    EXPECT_EQ(row(port, 0)[4], 5);
    EXPECT_EQ(row(port, 1)[0], 5);
    EXPECT_EQ(gfxFillRgn(region, nullptr), kGfxErrBadPattern);
    rgnDispose(region);
}

TEST_F(DrawApiTest, FontFamiliesAreEnumeratedUntilTheCallbackStops) {
    struct Seen {
        int families = 0;
        bool named = true;
    } seen;
    ASSERT_EQ(gfxEnumFonts(
                  [](const GfxFontFamily& family, void* context) -> u16 {
                      auto* s = static_cast<Seen*>(context);
                      ++s->families;
                      s->named &= family.name[0] != 0;
                      return 0;
                  },
                  &seen),
              kErrNone);
    EXPECT_GT(seen.families, 0);
    EXPECT_TRUE(seen.named);
    int calls = 0;
    gfxEnumFonts([](const GfxFontFamily& family, void* context) -> u16 {
        ++*static_cast<int*>(context);
        return family.trueType ? 0 : 1;
    }, &calls);
    EXPECT_GT(calls, 0);
}

TEST_F(DrawApiTest, PaletteEntriesOutsideTheUsedRangeGetTheDefaultFlag) {
    std::vector<GfxColor> colours(40, GfxColor::rgb(1, 2, 3));
    GfxPalette* palette = gfxNewPalette(40, colours.data());
    u16 last = u16(gfxReservedCount() / 2 + palette->ownCount - 1);
    std::vector<GfxColor> out(3);
    ASSERT_EQ(gfxGetPaletteEntries(palette, last, 3, out.data()), kErrNone);
    EXPECT_EQ(out[0].red, 1);
    EXPECT_NE(out[0].flag, kGfxColorFlagDefault);
    EXPECT_EQ(out[1].flag, kGfxColorFlagDefault);
    ASSERT_EQ(gfxGetPaletteEntries(nullptr, 255, 1, out.data()), kErrNone);
    EXPECT_NE(out[0].flag, kGfxColorFlagDefault);
    EXPECT_EQ(gfxGetPaletteEntries(kGfxBadPaletteHandle, 0, 1, out.data()), kGfxErrBadPalette);
    gfxDisposePalette(palette);
}

// A copy through a mask region reaches only the mask, mirrored as the mode word asks, and
// leaves the destination's clip as it was.
TEST_F(DrawApiTest, CopiesThroughAMaskRegion) {
    GfxOffscreenPort* source = makeOffscreen(4, 1, 16, nullptr, false);
    GfxOffscreenPort* target = makeOffscreen(4, 1, 16);
    for (i32 x = 0; x < 4; ++x) setWord(source, x, 0, u16(x + 1));
    const Rect16 all{0, 0, 4, 1};
    memHandle mask = rgnCreate();
    ASSERT_EQ(rgnUnionRect(mask, Rect16{1, 0, 3, 1}), kErrNone);
    struct Case {
        u16 mode;
        memHandle mask;
        std::vector<u16> words;
    };
    const Case cases[] = {
        {0, mask, {0, 2, 3, 0}},
        {kGfxCopyMirror, mask, {0, 3, 2, 0}},
        {kGfxCopyMirror, 0, {4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        for (i32 x = 0; x < 4; ++x) setWord(target, x, 0, 0);
        ASSERT_EQ(gfxCopyBitsRgn(target, source, all, all, c.mode, c.mask), kErrNone);
        std::vector<u16> words;
        for (i32 x = 0; x < 4; ++x) words.push_back(word(target, x, 0));
        EXPECT_EQ(words, c.words) << c.mode;
    }
    ASSERT_EQ(gfxFillRect(all, GfxColor::rgb(255, 255, 255), 0), kErrNone);
    EXPECT_EQ(word(target, 0, 0), 0x7FFF);
    rgnDispose(mask);
}
