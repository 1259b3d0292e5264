// What the strip's cells show of a project's places: a page's thumbnail (the unreadable look
// for one that cannot be read), its transition's icon and its timing; a blank place the white
// thumbnail, the blank icon and seven seconds. The thumbnails are 16-bit engine bitmaps.
#include <gtest/gtest.h>

#include "document/project/RDocument.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "screens/picker/SlideCells.h"

namespace {

using namespace Ostrel;

const TimingTexts kTexts = {"sec", "click", "key", "read", "after"};

u16 pixelAt(const ScrollerPicture& bitmap, size_t index) {
    return readLE16(bitmap.data() + kGfxBitmapHeaderSize + 2 * index);
}

TEST(SlideCells, TimingLabelsByMode) {
    struct Case {
        u8 seconds, mode;
        const char* expected;
    };
    const Case cases[] = {
        {7, 0, "7 sec"}, {12, 1, "click"},  {0, 2, "key"},     {3, 3, "read"},
        {5, 4, "after"}, {9, 5, "9 sec"},   {255, 255, "255 sec"}, {0, 0, "0 sec"},
    };
    for (const Case& c : cases) EXPECT_EQ(TimingLabel(c.seconds, c.mode, kTexts), c.expected) << int(c.mode);
    // A language file without the mode's text leaves it out.
    EXPECT_EQ(TimingLabel(4, 3, {"sec", "click"}), "");
    EXPECT_EQ(TimingLabel(4, 0, {}), "4 ");
}

TEST(SlideCells, PlainThumbnailsAreWholeBitmapsOfOneColour) {
    struct Case {
        u32 rgb;
        u16 pixel;
    };
    const Case cases[] = {{0xFF0000, 0x7C00}, {0x00FF00, 0x03E0}, {0x0000FF, 0x001F},
                          {0xFFFFFF, 0x7FFF}, {0x080808, 0x0421}, {0x070707, 0x0000}};
    for (const Case& c : cases) {
        const ScrollerPicture bitmap = PlainThumbnail(c.rgb);
        ASSERT_EQ(bitmap.size(), kGfxBitmapHeaderSize + size_t(kThumbnailWidth) * kThumbnailHeight * 2);
        EXPECT_EQ(readBE16(bitmap.data()), kThumbnailWidth);
        EXPECT_EQ(readBE16(bitmap.data() + 2), kThumbnailHeight);
        EXPECT_EQ(readBE16(bitmap.data() + 4), kThumbnailWidth * 2);
        for (size_t i : {size_t(0), size_t(kThumbnailWidth) * kThumbnailHeight - 1})
            EXPECT_EQ(pixelAt(bitmap, i), c.pixel) << std::hex << c.rgb;
    }
}

TEST(SlideCells, APictureBecomesA16BitBitmapAndADamagedOneNone) {
    PictureRecord picture{2, 1, {255, 0, 0, 255, 8, 16, 248, 0}, {}};
    const ScrollerPicture bitmap = ThumbnailPicture(picture);
    ASSERT_EQ(bitmap.size(), kGfxBitmapHeaderSize + 4);
    EXPECT_EQ(readBE16(bitmap.data()), 2);
    EXPECT_EQ(readBE16(bitmap.data() + 2), 1);
    EXPECT_EQ(pixelAt(bitmap, 0), 0x7C00);
    EXPECT_EQ(pixelAt(bitmap, 1), u16((1 << 10) | (2 << 5) | 31));
    for (PictureRecord bad : {PictureRecord{0, 1, {}, {}}, PictureRecord{2, 0, {}, {}},
                              PictureRecord{2, 1, std::vector<u8>(7, 0), {}}})
        EXPECT_TRUE(ThumbnailPicture(bad).empty());
}

// Pages at places 1 and 3 (3 unreadable), 2 blank, 4 past the last page.
TEST(SlideCells, EachPlaceShowsItsPageOrTheBlankOne) {
    RDocument document(nullptr);
    PageSettings first;
    first.transitionEffect = 3;
    first.timingSeconds = 2;
    PageSettings third;
    third.transitionEffect = 0;
    third.timingMode = 1;
    ASSERT_EQ(document.PlacePage(1, std::make_unique<RPage>(first, "One.tbx", 1)), kErrNone);
    ASSERT_EQ(document.PlacePage(3, std::make_unique<RPage>(third, "Three.tbx", 3)), kErrNone);
    std::vector<u16> icons;
    SlideCellSources sources;
    sources.timing = kTexts;
    sources.thumbnail = [](const RPage& page) {
        return page.FileName() == "One.tbx" ? PlainThumbnail(0x102030) : ScrollerPicture{};
    };
    sources.icon = [&icons](u16 id) {
        icons.push_back(id);
        return ScrollerPicture(size_t(id % 7 + 1), u8(id));
    };
    const SlideCells cells = BuildSlideCells(document, 4, sources);
    ASSERT_EQ(cells.thumbnails.size(), 4u);
    ASSERT_EQ(cells.icons.size(), 4u);
    ASSERT_EQ(cells.labels.size(), 4u);
    EXPECT_EQ(icons, (std::vector<u16>{kFirstTransitionIcon + 3, kBlankTransitionIcon, kFirstTransitionIcon,
                                       kBlankTransitionIcon}));
    EXPECT_EQ(cells.thumbnails[0], PlainThumbnail(0x102030));
    EXPECT_EQ(cells.thumbnails[1], PlainThumbnail(0xFFFFFF));
    EXPECT_EQ(cells.thumbnails[2], PlainThumbnail(0xB0B0B0)) << "an unreadable page keeps its cell";
    EXPECT_EQ(cells.thumbnails[3], PlainThumbnail(0xFFFFFF));
    EXPECT_EQ(cells.labels, (std::vector<std::string>{"2 sec", "7 sec", "click", "7 sec"}));
    EXPECT_EQ(cells.blank, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(cells.icons[0], ScrollerPicture(size_t((kFirstTransitionIcon + 3) % 7 + 1), u8(kFirstTransitionIcon + 3)));

    // One cell alone grows the vectors to its place and leaves the others.
    SlideCells one;
    BuildSlideCell(document, 3, sources, one);
    ASSERT_EQ(one.labels.size(), 3u);
    EXPECT_EQ(one.labels[2], "click");
    EXPECT_TRUE(one.labels[0].empty());
    BuildSlideCell(document, 0, sources, one);
    EXPECT_EQ(one.labels.size(), 3u) << "there is no place 0";
}

}  // namespace
