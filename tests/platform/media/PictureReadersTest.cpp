#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include <gif_lib.h>
#include <png.h>

#include "platform/media/BmpCoding.h"
#include "platform/media/GraphicsImporter.h"
#include "platform/media/PictCoding.h"
#include "tests/platform/media/PictureBytes.h"

namespace pm = plat::media;
using picturebytes::bmp;

namespace {

uint32_t rgbAt(const pm::PictureImage& image, int32_t x, int32_t y) {
    const uint8_t* p = image.pixel(x, y);
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

}  // namespace

TEST(PictureReaders, BmpOfEveryDepthAndPacking) {
    const std::vector<uint32_t> two = {kBlack, kWhite};
    const std::vector<uint32_t> four = {kBlack, kRed, kGreen, kBlue};
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        // Expected colours of the 2 x 2 picture, top row first.
        uint32_t topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {
        {"1 bit", bmp(2, 2, 1, 0, two, {0x80, 0, 0, 0, 0x40, 0, 0, 0}), kBlack, kWhite, kWhite, kBlack},
        {"4 bits", bmp(2, 2, 4, 0, four, {0x12, 0, 0, 0, 0x30, 0, 0, 0}), kBlue, kBlack, kRed, kGreen},
        {"8 bits", bmp(2, 2, 8, 0, four, {3, 2, 0, 0, 1, 0, 0, 0}), kRed, kBlack, kBlue, kGreen},
        {"16 bits 555", bmp(2, 2, 16, 0, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F}), kBlue, kWhite, kRed,
         kGreen},
        {"16 bits 565 fields", bmp(2, 2, 16, 3, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF},
                                   {0xF800, 0x07E0, 0x001F}),
         kBlue, kWhite, kRed, kGreen},
        {"24 bits", bmp(2, 2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}), kBlue, kWhite,
         kRed, kGreen},
        {"32 bits", bmp(2, 2, 32, 0, {}, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}), kBlue, kWhite,
         kRed, kGreen},
        {"top-down 24 bits", bmp(2, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}),
         kRed, kGreen, kBlue, kWhite},
        // RLE8: a run of two reds on the bottom row, then an absolute run of three (blue, green,
        // pad) ... on the next row: here an absolute run of 2 is not allowed (it would be a
        // delta), so the top row uses a run of one blue then one green.
        {"RLE8", bmp(2, 2, 8, 1, four, {2, 1, 0, 0, 1, 3, 1, 2, 0, 1}), kBlue, kGreen, kRed, kRed},
        // RLE4: a run of 2 alternating red/green, end of line; absolute run of 3 nibbles
        // (blue, black, unused) clipped to the width, end of bitmap.
        {"RLE4", bmp(2, 2, 4, 2, four, {2, 0x12, 0, 0, 0, 3, 0x30, 0x00, 0, 1}), kBlue, kBlack, kRed, kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pm::PictureImage image;
        ASSERT_EQ(pm::decodePictureFile(c.file.data(), c.file.size(), image), pm::kMrNoErr);
        ASSERT_EQ(image.width, 2);
        ASSERT_EQ(image.height, 2);
        EXPECT_EQ(rgbAt(image, 0, 0), c.topLeft);
        EXPECT_EQ(rgbAt(image, 1, 0), c.topRight);
        EXPECT_EQ(rgbAt(image, 0, 1), c.bottomLeft);
        EXPECT_EQ(rgbAt(image, 1, 1), c.bottomRight);
    }
}

TEST(PictureReaders, RleDeltaSkipsPixels) {
    // Bottom row: delta (1, 0) then a run of one green; the skipped pixel keeps index 0.
    const std::vector<uint8_t> file = bmp(2, 1, 8, 1, {kBlack, kGreen}, {0, 2, 1, 0, 1, 1, 0, 1});
    pm::PictureImage image;
    ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), image), pm::kMrNoErr);
    EXPECT_EQ(rgbAt(image, 0, 0), kBlack);
    EXPECT_EQ(rgbAt(image, 1, 0), kGreen);
}

TEST(PictureReaders, RleStepsPastTheRowEndStayThere) {
    // Deltas of 255 columns, 8.5 million of them, then a run on the next row: the column stays
    // past the row's end instead of running on past the largest number and wrapping to a
    // negative one, where its pixels would land before the picture.
    std::vector<uint8_t> stream(size_t((1 << 23) + 100000) * 4);  // each delta is {0, 2, 255, 0}
    for (size_t at = 0; at < stream.size(); at += 4) {
        stream[at + 1] = 2;
        stream[at + 2] = 255;
    }
    stream.insert(stream.end(), {1, 1, 0, 0, 2, 1, 0, 1});
    const std::vector<uint8_t> file = bmp(2, 2, 8, 1, {kBlack, kGreen}, stream);
    pm::PictureImage image;
    ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), image), pm::kMrNoErr);
    EXPECT_EQ(rgbAt(image, 0, 1), kBlack);
    EXPECT_EQ(rgbAt(image, 1, 1), kBlack);
    EXPECT_EQ(rgbAt(image, 0, 0), kGreen);
    EXPECT_EQ(rgbAt(image, 1, 0), kGreen);
}

TEST(PictureReaders, BmpRefusalsAtTheirLimits) {
    const std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        bool read;
    };
    std::vector<uint8_t> cut = rows;
    cut.pop_back();
    const Case cases[] = {
        {"rows fill the file", bmp(2, 2, 24, 0, {}, rows), true},
        {"rows one byte short", bmp(2, 2, 24, 0, {}, cut), false},
        {"RLE8 on a 4-bit picture", bmp(2, 2, 4, 1, {kBlack}, {0, 1}), false},
        {"top-down RLE", bmp(2, -2, 8, 1, {kBlack}, {0, 1}), false},
        {"unknown depth", bmp(2, 2, 7, 0, {}, rows), false},
        {"no width", bmp(0, 2, 24, 0, {}, rows), false},
        {"more pixels than the limit", bmp(1 << 14, (1 << 12) + 1, 1, 0, {kBlack, kWhite}, {}), false},
        {"absolute run past the data", bmp(4, 1, 8, 1, {kBlack}, {0, 4, 1, 1}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pm::PictureImage image;
        EXPECT_EQ(pm::decodePictureFile(c.file.data(), c.file.size(), image) == pm::kMrNoErr, c.read);
    }
}

TEST(PictureReaders, PictPackedIndexedRows) {
    std::vector<uint8_t> indices(10 * 3, 0);
    indices[0] = 1, indices[9] = 2, indices[29] = 3;
    const std::vector<uint8_t> file = picturebytes::pict8(10, 3, {kWhite, kRed, kGreen, kBlue}, indices);
    pm::PictureImage image;
    ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), image), pm::kMrNoErr);
    ASSERT_EQ(image.width, 10);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(rgbAt(image, 0, 0), kRed);
    EXPECT_EQ(rgbAt(image, 9, 0), kGreen);
    EXPECT_EQ(rgbAt(image, 9, 2), kBlue);
    EXPECT_EQ(rgbAt(image, 5, 1), kWhite);
    // Cut inside the rows: refused.
    std::vector<uint8_t> cut(file.begin(), file.end() - 8);
    EXPECT_NE(pm::decodePictureFile(cut.data(), cut.size(), image), pm::kMrNoErr);
}

// Pictures of every row packing written and read again: BMP rows are padded to four bytes
// (so its files grow by the padded row), PICT rows are packed.
TEST(PictureReaders, WrittenAndReadAgainAtEveryRowPacking) {
    struct Case {
        int32_t width;
        size_t bmpRow;  // bytes of a BMP row with its padding
    };
    for (const Case& c : {Case{1, 4}, Case{2, 8}, Case{3, 12}, Case{70, 212}}) {
        pm::PictureImage image;
        ASSERT_TRUE(image.allocate(c.width, 3));
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < c.width; ++x) {
                uint8_t* p = image.pixel(x, y);
                p[0] = uint8_t(x * 3), p[1] = uint8_t(y * 80), p[2] = uint8_t(x ^ y), p[3] = 255;
            }
        const std::vector<uint8_t> bmpFile = pm::encodeBmp(image);
        ASSERT_EQ(bmpFile.size(), 54 + 3 * c.bmpRow) << c.width;
        for (size_t row = 0; row < 3; ++row)
            for (size_t pad = 3 * size_t(c.width); pad < c.bmpRow; ++pad)
                EXPECT_EQ(bmpFile[54 + row * c.bmpRow + pad], 0) << c.width << " row " << row;
        for (const auto& [kind, file] : {std::pair{"PICT", pm::encodePict(image)}, std::pair{"BMP", bmpFile}}) {
            pm::PictureImage back;
            ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), back), pm::kMrNoErr) << kind << " " << c.width;
            EXPECT_EQ(back.rgba, image.rgba) << kind << " " << c.width;
        }
    }
}

// Two frames written with giflib: the first covers the left half with index 1 (red) and names
// index 3 (green) transparent, with the flag that makes it so set or clear; the second would
// paint everything blue.
namespace {

std::vector<uint8_t> twoFrameGif(bool transparentFlag) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* d, int n) {
        static_cast<std::vector<uint8_t>*>(g->UserData)->insert(static_cast<std::vector<uint8_t>*>(g->UserData)->end(), d, d + n);
        return n;
    }, &error);
    EXPECT_NE(gif, nullptr);
    GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EXPECT_EQ(EGifPutScreenDesc(gif, 4, 2, 2, 0, map), GIF_OK);
    GraphicsControlBlock gcb{0, false, 0, 0};
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    ext[3] = 3;  // the transparent index
    if (transparentFlag) ext[0] |= 1;
    else ext[0] &= ~1;
    EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, 4, 2, false, nullptr), GIF_OK);
    GifPixelType row[4] = {1, 1, 3, 3};
    EXPECT_EQ(EGifPutLine(gif, row, 4), GIF_OK);
    EXPECT_EQ(EGifPutLine(gif, row, 4), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, 4, 2, false, nullptr), GIF_OK);
    GifPixelType blue[4] = {2, 2, 2, 2};
    EXPECT_EQ(EGifPutLine(gif, blue, 4), GIF_OK);
    EXPECT_EQ(EGifPutLine(gif, blue, 4), GIF_OK);
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(map);
    return out;
}

}  // namespace

TEST(PictureReaders, GifFirstFrameOnItsScreen) {
    struct Case {
        bool transparentFlag;
        uint32_t right;  // the colour of the right half
        uint8_t alpha;
    };
    for (const Case& c : {Case{true, kWhite, 0}, Case{false, kGreen, 255}}) {
        const std::vector<uint8_t> file = twoFrameGif(c.transparentFlag);
        pm::PictureImage image;
        ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), image), pm::kMrNoErr);
        EXPECT_EQ(rgbAt(image, 0, 0), kRed);
        EXPECT_EQ(rgbAt(image, 1, 1), kRed);
        EXPECT_EQ(image.pixel(1, 1)[3], 255);
        EXPECT_EQ(rgbAt(image, 3, 0), c.right) << c.transparentFlag;
        EXPECT_EQ(image.pixel(3, 1)[3], c.alpha) << c.transparentFlag;
    }
}

// Eight rows of eight colours, row r of colour r, stored in the four interlaced passes (rows
// 0; 4; 2, 6; 1, 3, 5, 7) or in order; a file cut inside the rows is refused either way.
TEST(PictureReaders, GifRowsInterlacedOrNot) {
    const auto write = [](bool interlaced) {
        std::vector<uint8_t> out;
        int error = 0;
        GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* d, int n) {
            static_cast<std::vector<uint8_t>*>(g->UserData)->insert(static_cast<std::vector<uint8_t>*>(g->UserData)->end(), d, d + n);
            return n;
        }, &error);
        GifColorType colors[8];
        for (uint8_t i = 0; i < 8; ++i) colors[i] = {uint8_t(30 * i), uint8_t(255 - 30 * i), uint8_t(i)};
        ColorMapObject* map = GifMakeMapObject(8, colors);
        EXPECT_EQ(EGifPutScreenDesc(gif, 3, 8, 3, 0, map), GIF_OK);
        EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, 3, 8, interlaced, nullptr), GIF_OK);
        const int order[8] = {0, 4, 2, 6, 1, 3, 5, 7};
        for (int i = 0; i < 8; ++i) {
            const int y = interlaced ? order[i] : i;
            GifPixelType row[3] = {GifPixelType(y), GifPixelType(y), GifPixelType(y)};
            EXPECT_EQ(EGifPutLine(gif, row, 3), GIF_OK);
        }
        EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
        GifFreeMapObject(map);
        return out;
    };
    for (bool interlaced : {true, false}) {
        const std::vector<uint8_t> file = write(interlaced);
        pm::PictureImage image;
        ASSERT_EQ(pm::decodePictureFile(file.data(), file.size(), image), pm::kMrNoErr) << interlaced;
        for (int32_t y = 0; y < 8; ++y)
            EXPECT_EQ(rgbAt(image, 2, y), (uint32_t(30 * y) << 16) | (uint32_t(255 - 30 * y) << 8) | uint32_t(y))
                << "row " << y << (interlaced ? " interlaced" : "");
        // The image starts after the 13-byte screen and the 8 colours; its 10-byte descriptor,
        // code size and first sub-block length are kept with 3 bytes of the rows.
        constexpr size_t kImage = 13 + 3 * 8;
        ASSERT_EQ(file[kImage], 0x2C);
        const std::vector<uint8_t> cut(file.begin(), file.begin() + kImage + 10 + 2 + 3);
        EXPECT_NE(pm::decodePictureFile(cut.data(), cut.size(), image), pm::kMrNoErr) << interlaced;
    }
}

TEST(PictureReaders, PngWithAlphaReadAsRgba) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = 2, image.height = 1, image.format = PNG_FORMAT_RGBA;
    const uint8_t pixels[8] = {255, 0, 0, 255, 0, 0, 255, 128};
    std::vector<uint8_t> out(1024);
    png_alloc_size_t size = out.size();
    ASSERT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr));
    pm::PictureImage read;
    ASSERT_EQ(pm::decodePictureFile(out.data(), size, read), pm::kMrNoErr);
    EXPECT_EQ(rgbAt(read, 0, 0), kRed);
    EXPECT_EQ(read.pixel(1, 0)[3], 128);
}

TEST(PictureReaders, UnknownBytesFindNoImporter) {
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    pm::PictureImage image;
    EXPECT_EQ(pm::decodePictureFile(text.data(), text.size(), image), pm::kMrCantFindHandler);
    EXPECT_EQ(pm::decodePictureFile(nullptr, 0, image), pm::kMrCantFindHandler);
}

TEST(PictureReaders, PlanarPictRowsNeedThreeOrFourComponents) {
    pm::PictureImage image;
    ASSERT_TRUE(image.allocate(10, 2, 200));
    const std::vector<uint8_t> file = pm::encodePict(image);
    // The pixel size and component count words of the DirectBitsRect: 32 bits, 3 components.
    const std::vector<uint8_t> fields = {0x00, 0x20, 0x00, 0x03};
    const auto at = std::search(file.begin(), file.end(), fields.begin(), fields.end()) - file.begin() + 3;
    for (uint8_t count : {2, 3, 4}) {
        std::vector<uint8_t> changed = file;
        changed[size_t(at)] = count;
        pm::PictureImage read;
        EXPECT_EQ(pm::decodePictureFile(changed.data(), changed.size(), read) == pm::kMrNoErr, count == 3) << int(count);
    }
}

namespace {

// A PICT over a 4 x 4 frame of `times` BitsRect opcodes: a 1-bit bitmap of `height` rows of one
// pixel, all black, drawn from its bounds onto `destination` (top, left, bottom, right).
std::vector<uint8_t> stretchedPict(uint16_t height, int16_t top, int16_t left, int16_t bottom, int16_t right,
                                   int times = 1) {
    picturebytes::Bytes p;
    p.b.assign(512, 0);
    p.be16(0), p.be16(0), p.be16(0), p.be16(4), p.be16(4);
    p.be16(0x0011), p.be16(0x02FF);
    p.be16(0x0C00);
    for (int i = 0; i < 12; ++i) p.be16(0);
    for (int i = 0; i < times; ++i) {
        p.be16(0x0090);
        p.be16(2), p.be16(0), p.be16(0), p.be16(height), p.be16(1);  // row bytes, bounds
        p.be16(0), p.be16(0), p.be16(height), p.be16(1);              // source
        p.be16(uint16_t(top)), p.be16(uint16_t(left)), p.be16(uint16_t(bottom)), p.be16(uint16_t(right));
        p.be16(0);
        for (uint16_t y = 0; y < height; ++y) p.u8(0x80), p.u8(0);
    }
    p.be16(0x00FF);
    return p.b;
}

}  // namespace

// A bitmap stretched over a destination far larger than the frame costs the frame's pixels,
// not the destination's: a watchdog stops the program if reading does not end.
TEST(PictureReaders, PictStretchedFarPastItsFrameReadsAtOnce) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    const Case cases[] = {
        {"one pixel over the whole coordinate plane", stretchedPict(1, -32768, -32768, 32767, 32767)},
        {"32767 rows over the plane's height, ten times", stretchedPict(32767, -32768, 0, 32767, 4, 10)},
    };
    for (const Case& c : cases) {
        auto finished = std::make_shared<std::promise<std::pair<pm::MrErr, pm::PictureImage>>>();
        auto result = finished->get_future();
        std::thread([&file = c.file, finished] {
            pm::PictureImage image;
            const pm::MrErr err = pm::decodePictureFile(file.data(), file.size(), image);
            finished->set_value({err, std::move(image)});
        }).detach();
        if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << c.name << ": reading did not end";
            std::_Exit(1);
        }
        auto [err, image] = result.get();
        SCOPED_TRACE(c.name);
        ASSERT_EQ(err, pm::kMrNoErr);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(rgbAt(image, x, y), kBlack) << x << ", " << y;
    }
}
