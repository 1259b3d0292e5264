// Pages drawn into 16-bit ports, compared pixel by pixel with pictures written as cells: one
// letter a pixel, each letter a colour RGB555 holds exactly, '.' a masked-out pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "document/objects/RTextPageObject.h"
#include "document/pages/PagePainting.h"
#include "document/pages/RPage.h"
#include "document/pages/RPageData.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/undo/UndoManager.h"
#include "platform/gdi/Color.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/gfx/GfxTestSupport.h"
#include "tests/text/TextTestSupport.h"
#include "text/editor/RTEditor.h"

namespace {

using namespace Ostrel;
using Cells = std::vector<std::string>;

const std::map<char, plat::gdi::Rgb> kColours = {
    {'W', {248, 248, 248}}, {'B', {0, 0, 248}}, {'R', {248, 0, 0}},   {'G', {0, 248, 0}},
    {'Y', {248, 248, 0}},   {'K', {0, 0, 0}},   {'M', {248, 0, 248}},
};

std::vector<u8> cellPicture(const Cells& rows, bool withMask) {
    PictureRecord picture{u16(rows[0].size()), u16(rows.size()), {}, {}};
    for (const std::string& row : rows)
        for (char c : row) {
            const plat::gdi::Rgb rgb = c == '.' ? plat::gdi::Rgb{} : kColours.at(c);
            picture.pixels.insert(picture.pixels.end(), {rgb.red, rgb.green, rgb.blue, 255});
            if (withMask) picture.mask.push_back(c == '.' ? 0 : 1);
        }
    std::vector<u8> bytes;
    EXPECT_EQ(writePictureRecord(picture, withMask, &bytes), kErrNone);
    return bytes;
}

class PageRender : public GfxTest {
protected:
    static constexpr u16 kWidth = 16;
    static constexpr u16 kHeight = 12;

    void SetUp() override {
        GfxTest::SetUp();
        port_ = gfxNewOffscreenPort(kWidth, kHeight, 16, nullptr);
        ASSERT_NE(port_, nullptr);
        fill('M');
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        gfxDisposePort(port_);
        gfxDisposeAllFonts();
        GfxTest::TearDown();
    }
    u8* at(const GfxPixelDescriptor& d, int x, int y) {
        u8* row = d.rowStep >= 0 ? d.base + y * d.rowStep : d.base + (kHeight - 1 - y) * -d.rowStep;
        return row + 2 * x;
    }
    void fill(char colour) {
        GfxPixelDescriptor d{};
        ASSERT_EQ(port_->LockBits(&d), kErrNone);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) writeLE16(at(d, x, y), plat::gdi::rgbTo555(kColours.at(colour)));
        port_->UnlockBits(&d);
    }
    // The port as cells; '?' for a colour no letter names.
    Cells cells() {
        GfxPixelDescriptor d{};
        EXPECT_EQ(port_->LockBits(&d), kErrNone);
        Cells rows(kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const u16 value = readLE16(at(d, x, y));
                char letter = '?';
                for (const auto& [c, rgb] : kColours)
                    if (plat::gdi::rgbTo555(rgb) == value) letter = c;
                rows[y] += letter;
            }
        port_->UnlockBits(&d);
        return rows;
    }

    // A background of two halves under: a red picture; a green movable picture whose mask
    // shows the page through it and that overlaps the red one, drawn later; a two-pixel
    // picture stretched to twice its size; a hidden magenta picture over everything; a
    // movable picture hanging off the top right corner; a hidden text; and a vector graphic,
    // which has no picture to draw. The background is added after the red picture and still
    // lies under it.
    void fillPage(RPageData& page) {
        ASSERT_NE(page.AddObject(kTypeBitmap, 2, cellPicture({"RRR", "RRR"}, false), {2, 2, 5, 4}), nullptr);
        Cells background(kHeight, "WWWWWWWWBBBBBBBB");
        ASSERT_NE(page.AddObject(kTypeBitmap, kBackgroundId, cellPicture(background, false), {0, 0, 16, 12}), nullptr);
        ASSERT_NE(page.AddObject(kTypeMovableBitmap, 1, cellPicture({"GG.", "G.G", ".GG"}, true), {4, 3, 7, 6}), nullptr);
        ASSERT_NE(page.AddObject(kTypeBitmap, 3, cellPicture({"YK"}, false), {10, 8, 14, 10}), nullptr);
        RPageObject* hidden = page.AddObject(kTypeBitmap, 4, cellPicture({"M"}, false), {0, 0, 16, 12});
        ASSERT_NE(hidden, nullptr);
        hidden->flags |= kObjectHidden;
        ASSERT_NE(page.AddObject(kTypeMovableBitmap, 2, cellPicture({"RRRR", "RRRR", "RRRR"}, true), {14, -1, 18, 2}),
                  nullptr);
        RPageObject* hiddenText = page.AddObject(kTypeText, 1, testdoc::textBytes("Hello"), {0, 0, 16, 12});
        ASSERT_NE(hiddenText, nullptr);
        hiddenText->flags |= kObjectHidden;
        ASSERT_NE(page.AddObject(kTypeFlash, 1, std::vector<u8>{'F', 'W', 'S', 9}, {0, 0, 16, 12}), nullptr);
    }

    GfxPort* port_ = nullptr;
};

TEST_F(PageRender, BackgroundThenObjectsInOrderAtEachOrigin) {
    struct Case {
        const char* what;
        i16 x, y;
        Cells expected;
    };
    const Case cases[] = {
        {"at the port's corner", 0, 0,
         {"WWWWWWWWBBBBBBRR",
          "WWWWWWWWBBBBBBRR",
          "WWRRRWWWBBBBBBBB",
          "WWRRGGWWBBBBBBBB",
          "WWWWGWGWBBBBBBBB",
          "WWWWWGGWBBBBBBBB",
          "WWWWWWWWBBBBBBBB",
          "WWWWWWWWBBBBBBBB",
          "WWWWWWWWBBYYKKBB",
          "WWWWWWWWBBYYKKBB",
          "WWWWWWWWBBBBBBBB",
          "WWWWWWWWBBBBBBBB"}},
        {"moved up and left by half the page", -8, -6,
         {"BBBBBBBBMMMMMMMM",
          "BBBBBBBBMMMMMMMM",
          "BBYYKKBBMMMMMMMM",
          "BBYYKKBBMMMMMMMM",
          "BBBBBBBBMMMMMMMM",
          "BBBBBBBBMMMMMMMM",
          "MMMMMMMMMMMMMMMM",
          "MMMMMMMMMMMMMMMM",
          "MMMMMMMMMMMMMMMM",
          "MMMMMMMMMMMMMMMM",
          "MMMMMMMMMMMMMMMM",
          "MMMMMMMMMMMMMMMM"}},
    };
    RPageData page;
    fillPage(page);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fill('M');
        ASSERT_EQ(page.Render(port_, c.x, c.y), kErrNone);
        EXPECT_EQ(cells(), c.expected);
    }
}

TEST_F(PageRender, APageDrawsIntoTheCurrentPort) {
    RPage page(PageSettings{}, "One.tbx", 1);
    ASSERT_NE(page.Data().AddObject(kTypeBitmap, kBackgroundId, cellPicture({"WB", "BW"}, false), {0, 0, 16, 12}),
              nullptr);
    ASSERT_EQ(gfxLockPort(port_), kErrNone);
    ASSERT_EQ(gfxSetPort(port_), nullptr);
    EXPECT_EQ(page.Draw(), kErrNone);
    gfxSetPort(nullptr);
    gfxUnlockPort(port_);
    Cells expected(kHeight / 2, "WWWWWWWWBBBBBBBB");
    expected.resize(kHeight, "BBBBBBBBWWWWWWWW");
    EXPECT_EQ(cells(), expected);
}

TEST_F(PageRender, APortOfAnotherDepthOrNoPortIsRefused) {
    GfxPort* port8 = gfxNewOffscreenPort(kWidth, kHeight, 8, nullptr);
    ASSERT_NE(port8, nullptr);
    RPageData page;
    fillPage(page);
    EXPECT_EQ(page.Render(port8, 0, 0), kGfxErrBadFormat);
    EXPECT_EQ(page.Render(nullptr, 0, 0), kGfxErrBadValue);
    gfxDisposePort(port8);
}

// A text is drawn in its colour inside its rectangle, in its place in the drawing order: over
// what lies before it and under what comes after.
TEST_F(PageRender, TextIsDrawnInItsPlaceAndOrder) {
    gfxSetDefaultFont(gfxNewFont("default", 12, 0));
    RPageData page;
    ASSERT_NE(page.AddObject(kTypeBitmap, kBackgroundId, cellPicture(Cells(kHeight, std::string(kWidth, 'W')), false),
                             {0, 0, 16, 12}),
              nullptr);
    std::vector<u8> text;
    // Longer than the 32000 characters a page text takes, as a file may hold it: its start shows.
    ASSERT_EQ(writeTextRecord({"default", 12, 0, 0x00F80000, "WWW" + std::string(kStyledTextMaxLength, 'W')}, &text), kErrNone);
    ASSERT_NE(page.AddObject(kTypeText, 1, text, {2, -2, 200, 40}), nullptr);
    ASSERT_NE(page.AddObject(kTypeBitmap, 2, cellPicture(Cells(12, "YY"), false), {14, 0, 16, 12}), nullptr);
    fill('M');
    ASSERT_EQ(page.Render(port_, 0, 0), kErrNone);
    const Cells drawn = cells();
    size_t red = 0;
    for (const std::string& row : drawn) {
        EXPECT_EQ(row.substr(0, 2), "WW") << "nothing left of the text's rectangle";
        EXPECT_EQ(row.substr(14), "YY") << "the later picture lies over the text";
        red += size_t(std::count(row.begin(), row.end(), 'R'));
    }
    EXPECT_GT(red, 0u) << "the text's letters are red";
}

// Merged movable pictures become part of the background: drawn first from then on, so the red
// picture that lay under the green one now lies over it. Undo brings the objects and the old
// background back together, redo merges them again; vector graphics stay objects.
TEST_F(PageRender, FlattenedObjectsBecomeTheBackgroundAsOneUndoStep) {
    const Cells original = {"WWWWWWWWBBBBBBRR", "WWWWWWWWBBBBBBRR", "WWRRRWWWBBBBBBBB", "WWRRGGWWBBBBBBBB",
                            "WWWWGWGWBBBBBBBB", "WWWWWGGWBBBBBBBB", "WWWWWWWWBBBBBBBB", "WWWWWWWWBBBBBBBB",
                            "WWWWWWWWBBYYKKBB", "WWWWWWWWBBYYKKBB", "WWWWWWWWBBBBBBBB", "WWWWWWWWBBBBBBBB"};
    Cells merged = original;
    merged[3] = "WWRRRGWWBBBBBBBB";
    mfDispatcher dispatcher;
    UndoManager undo{201, [](const char*) { return std::string(); }};
    RPageData page;
    page.SetUndoManager(&undo);
    fillPage(page);
    auto draw = [&] {
        fill('M');
        EXPECT_EQ(page.Render(port_, 0, 0), kErrNone);
        return cells();
    };
    auto count = [&](FourCC type) {
        u32 it = 0;
        RPageObject* o = nullptr;
        size_t n = 0;
        while (page.NextObject(&it, &o, type)) ++n;
        return n;
    };
    page.SetDirtyState(false);
    ASSERT_EQ(page.FlattenAll(kTypeMovableBitmap), kErrNone);
    EXPECT_EQ(count(kTypeMovableBitmap), 0u);
    EXPECT_TRUE(page.IsDirty());
    EXPECT_EQ(undo.GetCurrentCode(), kUndoFlatten);
    EXPECT_EQ(draw(), merged);
    for (int round = 0; round < 2; ++round) {
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
        EXPECT_EQ(count(kTypeMovableBitmap), 2u) << round;
        EXPECT_EQ(draw(), original) << round;
        undo.Undo();
        dispatcher.DispatchQueuedMessages();
        EXPECT_EQ(count(kTypeMovableBitmap), 0u) << round;
        EXPECT_EQ(draw(), merged) << round;
    }

    RPageObject* flash = nullptr;
    ASSERT_EQ(page.FindObject(kTypeFlash, 1, &flash), 0);
    EXPECT_EQ(page.FlattenObject(kTypeFlash, flash), kDocErrNoVectorRenderer);
    EXPECT_EQ(page.FlattenAll(kTypeFlashAnimation), kDocErrNoVectorRenderer);
    EXPECT_EQ(count(kTypeFlash), 1u);
    RPageObject* background = nullptr;
    ASSERT_EQ(page.FindObject(kTypeBitmap, kBackgroundId, &background), 0);
    EXPECT_EQ(page.FlattenObject(kTypeBitmap, background), kDocErrBadType);
    RPageData other;
    EXPECT_EQ(other.FlattenObject(kTypeFlash, flash), kDocErrNotOnPage);

    // One picture merged alone: the yellow and black one stays where it was drawn.
    RPageObject* picture = nullptr;
    ASSERT_EQ(page.FindObject(kTypeBitmap, 3, &picture), 0);
    ASSERT_EQ(page.FlattenObject(kTypeBitmap, picture), kErrNone);
    EXPECT_EQ(page.FindObject(kTypeBitmap, 3, &picture), kNoObject);
    EXPECT_EQ(draw(), merged);
    // The earlier merge's old background lacks that picture: undoing it now would lose it.
    undo.Undo();
    dispatcher.DispatchQueuedMessages();
    EXPECT_EQ(draw(), merged);
    EXPECT_EQ(count(kTypeMovableBitmap), 0u);
}

// Paints its place green but for the top left pixel; a movie of one byte it cannot read.
EngineErr greenPainter(const GfxPixelDescriptor& target, std::span<const u8> movie, const Rect16& place) {
    if (movie.size() == 1) return kDocErrNotReadable;
    const i32 height = target.bounds.bottom - target.bounds.top;
    for (i32 y = place.top; y < place.bottom; ++y) {
        u8* row = target.rowStep >= 0 ? target.base + y * target.rowStep : target.base + (height - 1 - y) * -target.rowStep;
        for (i32 x = place.left; x < place.right; ++x)
            if (x != place.left || y != place.top) writeLE16(row + 2 * x, plat::gdi::rgbTo555(kColours.at('G')));
    }
    return kErrNone;
}

// A Flash object merges into the background through the installed painter, in its place; the
// painter's refusal, or no painter at all, leaves the object and the background as they were.
TEST_F(PageRender, FlashMergesThroughTheInstalledPainter) {
    const Cells white(kHeight, std::string(kWidth, 'W'));
    Cells merged = white;
    merged[2] = "WWWGGGWWWWWWWWWW";
    merged[3] = "WWGGGGWWWWWWWWWW";
    const struct {
        VectorPainter painter;
        std::vector<u8> movie;
        EngineErr expected;
    } cases[] = {{nullptr, {'F', 'W', 'S', 9}, kDocErrNoVectorRenderer},
                 {greenPainter, {'F'}, kDocErrNotReadable},
                 {greenPainter, {'F', 'W', 'S', 9}, kErrNone}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        SetVectorPainter(c.painter);
        RPageData page;
        ASSERT_NE(page.AddObject(kTypeBitmap, kBackgroundId, cellPicture(white, false), {0, 0, 16, 12}), nullptr);
        RPageObject* flash = page.AddObject(kTypeFlash, 1, c.movie, {2, 2, 6, 4});
        ASSERT_NE(flash, nullptr);
        EXPECT_EQ(page.FlattenObject(kTypeFlash, flash), c.expected);
        RPageObject* left = nullptr;
        EXPECT_EQ(page.FindObject(kTypeFlash, 1, &left) == 0, c.expected != kErrNone);
        fill('M');
        ASSERT_EQ(page.Render(port_, 0, 0), kErrNone);
        EXPECT_EQ(cells(), c.expected == kErrNone ? merged : white);
    }
    SetVectorPainter(nullptr);
}

// A text takes its edited record and rectangle, and its page counts as changed; a rectangle
// turned inside out changes nothing.
TEST_F(PageRender, TextTakesItsEditedRecordAndPlace) {
    RPageData page;
    auto* text = static_cast<RTextPageObject*>(page.AddObject(kTypeText, 1, testdoc::textBytes("Old"), {0, 0, 10, 10}));
    ASSERT_NE(text, nullptr);
    page.SetDirtyState(false);
    const TextRecord record{"default", 14, 1, 0x00112233, "New words"};
    EXPECT_EQ(text->RenderAndStore(record, {2, 3, 5, 3}), kErrNone);
    EXPECT_EQ(text->text, record);
    EXPECT_EQ(text->rect, (PageRect{2, 3, 5, 3}));
    EXPECT_TRUE(text->changed);
    EXPECT_TRUE(page.IsDirty());
    EXPECT_EQ(text->RenderAndStore({"default", 14, 1, 0, "Other"}, {5, 3, 2, 3}), kDocErrBadRect);
    EXPECT_EQ(text->text, record);
}

// The page's text editor hands over its text, the style it begins with and its bounds; an
// editor without a text changes nothing.
TEST(TextFromEditor, TheEditedTextItsFirstStyleAndBoundsAreStored) {
    text_test::RecordingTextHost host;
    text_test::FixedMeasurer measurer;
    UndoManager undo{201, [](const char*) { return std::string(); }};
    RPageData page;
    auto* text = static_cast<RTextPageObject*>(page.AddObject(kTypeText, 1, testdoc::textBytes("Old"), {0, 0, 10, 10}));
    ASSERT_NE(text, nullptr);
    page.SetDirtyState(false);
    RTEditor blank(host, measurer, undo);
    blank.Init(Rect16{2, 3, 80, 40});
    EXPECT_EQ(text->UpdateFromEditor(blank), kDocErrMissingMedia);
    EXPECT_EQ(text->text.text, "Old");
    EXPECT_FALSE(page.IsDirty());

    RTEditor editor(host, measurer, undo);
    editor.Init(Rect16{2, 3, 80, 40});
    auto styled = std::make_unique<StyledText>("Hola", 4);
    styled->Runs().defaultStyle.Set("default", 18, kGfxFontBold, GfxColor::rgb(0x11, 0x22, 0x33));
    editor.SetText(std::move(styled));
    ASSERT_EQ(text->UpdateFromEditor(editor), kErrNone);
    EXPECT_EQ(text->text, (TextRecord{"default", 18, kGfxFontBold, 0x00112233, "Hola"}));
    const Rect16& bounds = editor.Bounds();
    EXPECT_EQ(text->rect, (PageRect{bounds.left, bounds.top, bounds.right, bounds.bottom}));
    EXPECT_EQ(text->rect.left, 2);
    EXPECT_TRUE(page.IsDirty());
}

}  // namespace
