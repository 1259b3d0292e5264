// Pages drawn into 16-bit ports, compared pixel by pixel with pictures written as cells: one
// letter a pixel, each letter a colour RGB555 holds exactly, '.' a masked-out pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "document/pages/RPage.h"
#include "document/pages/RPageData.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "platform/gdi/Color.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/gfx/GfxTestSupport.h"

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
    ASSERT_EQ(writeTextRecord({"default", 12, 0, 0x00F80000, "WWW"}, &text), kErrNone);
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

}  // namespace
