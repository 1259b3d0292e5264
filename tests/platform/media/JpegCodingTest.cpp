#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"

namespace pm = plat::media;

namespace {

constexpr int kW = 37, kH = 21;

struct Stream {
    std::vector<uint8_t> jpeg;
    std::vector<uint8_t> rgb;  // what bare libjpeg decodes from it
};

// A pattern of `components` (1 grey, 3 RGB, 4 CMYK) coded by bare libjpeg.
std::vector<uint8_t> coded(int components) {
    std::vector<uint8_t> pixels(size_t(kW) * kH * size_t(components));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7 + i / 111);
    jpeg_compress_struct c;
    jpeg_error_mgr e;
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = kW, c.image_height = kH, c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = &pixels[size_t(c.next_scanline) * kW * size_t(components)];
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buffer, buffer + size);
    free(buffer);
    return out;
}

// A pattern coded and decoded by bare libjpeg, the reference for every decoding path.
const Stream& stream() {
    static const Stream s = [] {
        Stream out;
        out.jpeg = coded(3);
        jpeg_error_mgr e;
        jpeg_decompress_struct d;
        d.err = jpeg_std_error(&e);
        jpeg_create_decompress(&d);
        jpeg_mem_src(&d, out.jpeg.data(), out.jpeg.size());
        jpeg_read_header(&d, TRUE);
        d.dct_method = JDCT_ISLOW;
        jpeg_start_decompress(&d);
        out.rgb.resize(size_t(kW) * kH * 3);
        while (d.output_scanline < d.output_height) {
            JSAMPROW row = &out.rgb[size_t(d.output_scanline) * kW * 3];
            jpeg_read_scanlines(&d, &row, 1);
        }
        jpeg_finish_decompress(&d);
        jpeg_destroy_decompress(&d);
        return out;
    }();
    return s;
}

std::vector<uint8_t> worldRgba(const pm::MrPixMap& map) {
    const int32_t w = pm::widthOf(map.bounds), h = pm::heightOf(map.bounds);
    std::vector<uint8_t> rgba(size_t(w) * h * 4);
    for (int32_t y = 0; y < h; ++y) pm::readRowRgba(map, y, 0, w, &rgba[size_t(y) * w * 4]);
    return rgba;
}

}  // namespace

TEST(JpegCoding, EveryWorldFormatHoldsWhatBareLibjpegDecodes) {
    const Stream& s = stream();
    const pm::MrRect bounds{0, 0, kH, kW};
    for (uint32_t format : {pm::kMrFormatL555, pm::kMrFormatBgr24, pm::kMrFormatRgb24, pm::kMrFormatBgra32}) {
        SCOPED_TRACE(format);
        // Over memory at an odd address too: 16-bit rows then take the copying road.
        for (size_t offset : {0, 1}) {
            const int32_t rowBytes = pm::paddedRowBytes(kW, pm::bitsOfFormat(format));
            std::vector<uint8_t> memory(size_t(rowBytes) * kH + 1);
            pm::MrWorld* world = nullptr;
            ASSERT_EQ(pm::newWorldOverMemory(&world, format, &bounds, memory.data() + offset, rowBytes), 0);
            ASSERT_EQ(pm::jpegDecompress(s.jpeg.data(), uint32_t(s.jpeg.size()), world->map, bounds, bounds), 0);
            const std::vector<uint8_t> rgba = worldRgba(world->map);
            for (size_t i = 0; i < size_t(kW) * kH; ++i) {
                const uint8_t* want = &s.rgb[i * 3];
                if (format == pm::kMrFormatL555) {
                    ASSERT_EQ(pm::rgb555(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]), pm::rgb555(want[0], want[1], want[2])) << i;
                } else {
                    ASSERT_EQ(0, std::memcmp(&rgba[4 * i], want, 3)) << i;
                }
            }
            pm::disposeWorld(world);
        }
    }
}

// The picture's bytes are not cleared before decoding: every one, alpha 255 included, must
// come from the decoder, whatever the bytes held before.
TEST(JpegCoding, DecodedPicturesDoNotDependOnTheBytesTheyReplace) {
    for (int components : {1, 3, 4}) {
        SCOPED_TRACE(components);
        const std::vector<uint8_t> jpeg = coded(components);
        std::vector<pm::PixelBytes> decoded;
        for (uint8_t before : {0x00, 0x5A}) {
            pm::PixelBytes rgba(size_t(kW) * kH * 4, before);
            int32_t w = 0, h = 0;
            ASSERT_EQ(pm::jpegDecodeRgba(jpeg.data(), uint32_t(jpeg.size()), &w, &h, rgba), 0);
            ASSERT_EQ(w, kW);
            ASSERT_EQ(h, kH);
            ASSERT_EQ(rgba.size(), size_t(kW) * kH * 4);
            for (size_t i = 3; i < rgba.size(); i += 4) ASSERT_EQ(rgba[i], 255) << i;
            decoded.push_back(rgba);
        }
        EXPECT_TRUE(decoded[0] == decoded[1]);
    }
}

TEST(JpegCoding, DestinationsAreClippedToTheWorldAndScaled) {
    const Stream& s = stream();
    const pm::MrRect small{0, 0, 10, 10};
    pm::MrWorld* world = nullptr;
    ASSERT_EQ(pm::newWorldOfFormat(&world, pm::kMrFormatRgb24, &small), 0);
    // Straight, moved so that only its top-left 10 x 10 lands: the picture's (3, 2) at (0, 0).
    const pm::MrRect source{0, 0, kH, kW};
    const pm::MrRect moved{-2, -3, kH - 2, kW - 3};
    ASSERT_EQ(pm::jpegDecompress(s.jpeg.data(), uint32_t(s.jpeg.size()), world->map, source, moved), 0);
    EXPECT_EQ(0, std::memcmp(world->map.base, &s.rgb[(2 * kW + 3) * 3], 3));
    // Halved: destination pixel (x, y) takes the source pixel (2x, 2y).
    const pm::MrRect half{0, 0, 10, 18};
    const pm::MrRect part{0, 0, 20, 36};
    ASSERT_EQ(pm::jpegDecompress(s.jpeg.data(), uint32_t(s.jpeg.size()), world->map, part, half), 0);
    EXPECT_EQ(0, std::memcmp(world->map.base + 4 * world->map.rowBytes + 3 * 3, &s.rgb[(8 * kW + 6) * 3], 3));
    // A source reaching past the picture is refused.
    const pm::MrRect past{0, 0, kH, kW + 1};
    EXPECT_NE(pm::jpegDecompress(s.jpeg.data(), uint32_t(s.jpeg.size()), world->map, past, past), 0);
    pm::disposeWorld(world);
}

TEST(JpegCoding, QualitiesMapOntoLibjpegsScale) {
    const std::pair<uint32_t, int> cases[] = {{0, 25}, {0x100, 50}, {0x200, 75}, {0x300, 85}, {0x3FF, 95}, {0x400, 100}, {0x480, 100}};
    for (auto [quality, expected] : cases) EXPECT_EQ(pm::libjpegQuality(quality), expected) << quality;
}

// The room asked for holds the stream of any picture at the best quality, noise included, and
// however narrow or short the picture is against the coder's 16-pixel blocks.
TEST(JpegCoding, TheLargestStreamFitsTheRoomAskedFor) {
    struct Case {
        int16_t width, height;
    };
    const Case cases[] = {{1, 4000}, {4000, 1}, {1, 1}, {17, 17}, {64, 64}, {301, 7}};
    uint32_t seed = 12345;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const pm::MrRect bounds{0, 0, c.height, c.width};
        pm::MrWorld* world = nullptr;
        ASSERT_EQ(pm::newWorldOfFormat(&world, pm::kMrFormatBgr24, &bounds), pm::kMrNoErr);
        for (int32_t y = 0; y < c.height; ++y)
            for (int32_t x = 0; x < c.width * 3; ++x) {
                seed = seed * 1103515245u + 12345u;
                world->map.base[size_t(y) * size_t(world->map.rowBytes) + size_t(x)] = uint8_t(seed >> 16);
            }
        std::vector<uint8_t> out;
        ASSERT_EQ(pm::jpegCompress(world->map, bounds, 0x400, out), pm::kMrNoErr);
        EXPECT_LE(out.size(), pm::jpegMaxCompressedSize(c.width, c.height));
        pm::disposeWorld(world);
    }
}

// Every world format, its rows handed over in place, widened or converted, codes the same
// stream as bare libjpeg given the RGB the world's pixels read as, for a part of the world
// at an odd offset and over memory at an odd address.
TEST(JpegCoding, EveryWorldFormatCodesWhatBareLibjpegCodesOfItsPixels) {
    const pm::MrRect bounds{0, 0, kH, kW};
    const pm::MrRect part{3, 5, kH - 2, kW - 4};
    const int32_t w = pm::widthOf(part), h = pm::heightOf(part);
    for (uint32_t format : {pm::kMrFormatL555, pm::kMrFormatBgr24, pm::kMrFormatRgb24, pm::kMrFormatBgra32,
                            pm::kMrFormatIndexed8}) {
        for (size_t offset : {0, 1}) {
            SCOPED_TRACE(testing::Message() << format << " at offset " << offset);
            const int32_t rowBytes = pm::paddedRowBytes(kW, pm::bitsOfFormat(format));
            std::vector<uint8_t> memory(size_t(rowBytes) * kH + 1);
            for (size_t i = 0; i < memory.size(); ++i) memory[i] = uint8_t(i * 13 + i / 97);
            pm::MrWorld* world = nullptr;
            ASSERT_EQ(pm::newWorldOverMemory(&world, format, &bounds, memory.data() + offset, rowBytes), 0);
            std::vector<uint8_t> ours;
            ASSERT_EQ(pm::jpegCompress(world->map, part, 0x300, ours), 0);
            std::vector<uint8_t> rgba(size_t(w) * 4), rgb(size_t(w) * h * 3);
            for (int32_t y = 0; y < h; ++y) {
                pm::readRowRgba(world->map, part.top + y, part.left, w, rgba.data());
                for (int32_t x = 0; x < w; ++x) std::memcpy(&rgb[(size_t(y) * w + x) * 3], &rgba[size_t(x) * 4], 3);
            }
            jpeg_compress_struct c;
            jpeg_error_mgr e;
            c.err = jpeg_std_error(&e);
            jpeg_create_compress(&c);
            unsigned char* buffer = nullptr;
            unsigned long size = 0;
            jpeg_mem_dest(&c, &buffer, &size);
            c.image_width = JDIMENSION(w), c.image_height = JDIMENSION(h), c.input_components = 3, c.in_color_space = JCS_RGB;
            jpeg_set_defaults(&c);
            jpeg_set_quality(&c, pm::libjpegQuality(0x300), TRUE);
            jpeg_start_compress(&c, TRUE);
            while (c.next_scanline < c.image_height) {
                JSAMPROW row = &rgb[size_t(c.next_scanline) * w * 3];
                jpeg_write_scanlines(&c, &row, 1);
            }
            jpeg_finish_compress(&c);
            jpeg_destroy_compress(&c);
            EXPECT_TRUE(ours == std::vector<uint8_t>(buffer, buffer + size));
            free(buffer);
            pm::disposeWorld(world);
        }
    }
}
