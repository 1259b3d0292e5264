// A page as one picture file: JPEG and BMP files of the canvas's size that our readers decode
// to the page's colour, named with their type's extension unless they end so, and a failure
// that writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "media/export/PagePictureExport.h"
#include "platform/media/BmpCoding.h"
#include "platform/media/JpegCoding.h"
#include "tests/media/export/ExportFixture.h"

namespace {

using namespace exporttest;

using PagePictureExport = ExportTest;

TEST_F(PagePictureExport, TheFileIsThePageAtTheCanvasSizeNamedByItsType) {
    RPageData page;
    paint(page, {200, 40, 96});
    const struct {
        const char* given;
        PagePictureFormat format;
        const char* written;
        u16 width, height;
        int tolerance;
    } cases[] = {
        {"sun", PagePictureFormat::Jpeg, "sun.jpg", 64, 48, 8},
        {"moon.jpeg", PagePictureFormat::Jpeg, "moon.jpeg", 1, 1, 8},
        {"star.JPG", PagePictureFormat::Jpeg, "star.JPG", 64, 48, 8},
        {"sky", PagePictureFormat::Bmp, "sky.bmp", 63, 47, 0},
        {"sea.bmp", PagePictureFormat::Bmp, "sea.bmp", 1, 1, 0},
        {"hill.jpg", PagePictureFormat::Bmp, "hill.jpg.bmp", 8, 8, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        ASSERT_EQ(exportPagePicture(page, {c.width, c.height}, text(c.given), c.format), kExportOk);
        const std::vector<u8> bytes = read(file(c.written));
        plat::media::PictureImage image;
        if (c.format == PagePictureFormat::Jpeg) {
            ASSERT_EQ(plat::media::jpegDecodeRgba(bytes.data(), u32(bytes.size()), &image.width, &image.height, image.rgba), 0);
        } else {
            ASSERT_EQ(plat::media::decodeBmp(bytes.data(), bytes.size(), image), 0);
        }
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        // Each 5-bit channel spread over eight: 200 is kept as 25, read back as 206.
        const u8* last = image.pixel(c.width - 1, c.height - 1);
        const int expected[3] = {206, 41, 99};
        for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(last[ch], expected[ch], c.tolerance) << ch;
    }
}

TEST_F(PagePictureExport, AFailureWritesNothing) {
    RPageData page;
    paint(page, {0, 0, 0});
    EXPECT_EQ(exportPagePicture(page, {0, 48}, text("flat"), PagePictureFormat::Bmp), kExportNoMemory);
    EXPECT_EQ(exportPagePicture(page, {64, 0}, text("flat"), PagePictureFormat::Jpeg), kExportNoMemory);
    EXPECT_NE(exportPagePicture(page, {64, 48}, text("gone/sky"), PagePictureFormat::Bmp), kExportOk);
    EXPECT_TRUE(std::filesystem::is_empty(folder_str()));
}

}  // namespace
