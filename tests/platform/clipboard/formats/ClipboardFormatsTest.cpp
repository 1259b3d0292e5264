// The program's own clipboard formats live beside the desktop text or picture they were placed with.
#include <gtest/gtest.h>

#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/clipboard/formats/ClipboardFormats.h"
#include "platform/media/PngCoding.h"

namespace {

class ClipboardFormatsTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setClipboardBackend(&desktop); }
    void TearDown() override { plat::setClipboardBackend(nullptr); }
    plat::LocalClipboard desktop;
};

TEST_F(ClipboardFormatsTest, NamesGiveStableDistinctFormats) {
    const plat::ClipboardFormat a = plat::registerClipboardFormat("Format A");
    EXPECT_NE(a, 0u);
    EXPECT_EQ(plat::registerClipboardFormat("Format A"), a);
    EXPECT_NE(plat::registerClipboardFormat("Format B"), a);
}

TEST_F(ClipboardFormatsTest, DataLastsOnlyWhileTheDesktopHoldsItsText) {
    const plat::ClipboardFormat format = plat::registerClipboardFormat("Ours");
    ASSERT_TRUE(plat::placeClipboardText("shown", format, "ours"));
    EXPECT_EQ(desktop.text(), "shown");
    EXPECT_EQ(plat::clipboardFormatData(format), "ours");
    EXPECT_EQ(plat::clipboardFormatData(plat::registerClipboardFormat("Other")), std::nullopt);
    desktop.setText("another program's");
    EXPECT_EQ(plat::clipboardFormatData(format), std::nullopt);
    // Copying the same words again elsewhere does not bring the old data back.
    desktop.setText("shown");
    EXPECT_EQ(plat::clipboardFormatData(format), std::nullopt);
}

TEST_F(ClipboardFormatsTest, APictureGoesAsAnOpaquePngWithOurFormatBesideIt) {
    const plat::ClipboardFormat format = plat::registerClipboardFormat("Ours");
    plat::media::PictureImage picture;
    ASSERT_TRUE(picture.allocate(2, 1));
    const uint8_t pixels[] = {255, 0, 0, 255, 10, 20, 30, 255};
    std::copy(std::begin(pixels), std::end(pixels), picture.rgba.begin());
    ASSERT_TRUE(plat::placeClipboardPicture(picture, format, "mark"));
    EXPECT_EQ(desktop.text(), "");
    EXPECT_EQ(plat::clipboardFormatData(format), "mark");
    plat::media::PictureImage pasted;
    const std::vector<uint8_t>& png = desktop.held().png;
    ASSERT_EQ(plat::media::decodePng(png.data(), png.size(), pasted), plat::media::kMrNoErr);
    ASSERT_EQ(pasted.width, 2);
    ASSERT_EQ(pasted.height, 1);
    EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), pasted.rgba.begin()));
}

TEST_F(ClipboardFormatsTest, OnlyRegisteredFormatsArePlaced) {
    const plat::ClipboardFormat last = plat::registerClipboardFormat("Last of all");
    EXPECT_TRUE(plat::placeClipboardText("a", last, "kept"));
    EXPECT_EQ(plat::clipboardFormatData(last), "kept");
    for (const plat::ClipboardFormat unknown : {plat::ClipboardFormat(0), last + 1}) {
        EXPECT_FALSE(plat::placeClipboardText("b", unknown, "lost"));
        EXPECT_EQ(plat::clipboardFormatData(unknown), std::nullopt);
    }
}

}  // namespace
