#include <cstring>

#include "engine/base/MemoryHandles.h"
#include "media/objects/JpegHeaderParser.h"
#include "media/objects/JpegMarkerScanner.h"
#include "media/objects/SwfHost.h"
#include "tests/media/quicktime/QtTestSupport.h"

using namespace qttest;

namespace {

// A stream with `segment` (marker, then its bytes after the length) inserted after SOI.
std::vector<u8> withSegmentAfterSoi(const std::vector<u8>& jpeg, u8 marker, const std::vector<u8>& body) {
    std::vector<u8> out(jpeg.begin(), jpeg.begin() + 2);
    const u32 length = u32(body.size()) + 2;
    out.insert(out.end(), {0xFF, marker, u8(length >> 8), u8(length)});
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

// The stream without the JFIF segment libjpeg writes first.
std::vector<u8> withoutApp0(const std::vector<u8>& jpeg) {
    if (jpeg.size() < 6 || jpeg[2] != 0xFF || jpeg[3] != 0xE0) return jpeg;
    const size_t length = (size_t(jpeg[4]) << 8) | jpeg[5];
    std::vector<u8> out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), jpeg.begin() + 4 + ptrdiff_t(length), jpeg.end());
    return out;
}

class HostJpeg : public QtRuntimeTest {
protected:
    swf::i_jpeg& jpeg() { return host.jpeg(); }
};

}  // namespace

TEST(JpegMarkerScanner, WalksSegmentsByTheirLengths) {
    // APP0 whose data holds 0xFF 0xC0 and 0xFF 0xD9, then a scan whose data holds a stuffed
    // 0xFF 0x00 and a restart marker, then EOI.
    const std::vector<u8> stream = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x08, 0xFF, 0xC0, 0xFF, 0xD9, 0x01, 0x02,
                                    0xFF, 0xDA, 0x00, 0x03, 0x01, 0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD3, 0x56,
                                    0xFF, 0xFF, 0xD9};
    JpegMarkerScanner scanner(stream.data(), u32(stream.size()));
    std::vector<i32> codes;
    for (i32 code = scanner.next(); code >= 0; code = scanner.next()) codes.push_back(code);
    EXPECT_EQ(codes, (std::vector<i32>{0xD8, 0xE0, 0xDA, 0xD9}));
    EXPECT_EQ(jpegStreamLength(stream.data(), u32(stream.size())), stream.size());
}

TEST(JpegMarkerScanner, StopsAtSegmentsThatRunPastTheData) {
    struct Case {
        const char* name;
        std::vector<u8> stream;
    };
    const Case cases[] = {
        {"length past the end", {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x09, 1, 2, 3, 4, 5, 6}},
        {"length under two", {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01, 0xFF, 0xD9}},
        {"length field cut", {0xFF, 0xD8, 0xFF, 0xDB, 0x00}},
        {"scan without end", {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0x22, 0xFF, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jpegStreamLength(c.stream.data(), u32(c.stream.size())), 0u);
    }
    // The same APP1 segment one byte shorter fits, and the stream ends.
    const std::vector<u8> fits = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x04, 1, 2, 0xFF, 0xD9};
    EXPECT_EQ(jpegStreamLength(fits.data(), u32(fits.size())), fits.size());
}

TEST(JpegHeaderParser, ReportsTheMainFrameAndDepthByComponents) {
    const std::vector<u8> rgb = encodeWithLibjpeg(33, 17, 3, patternRgb(33, 17));
    const std::vector<u8> grey = encodeWithLibjpeg(20, 10, 1, std::vector<u8>(200, 128));
    const std::vector<u8> cmyk = encodeWithLibjpeg(8, 4, 4, std::vector<u8>(8 * 4 * 4, 200));
    const std::vector<u8> thumbnail = encodeWithLibjpeg(4, 3, 3, patternRgb(4, 3));
    std::vector<u8> jfxx = {'J', 'F', 'X', 'X', 0, 0x10};
    jfxx.insert(jfxx.end(), thumbnail.begin(), thumbnail.end());
    // Densities whose bytes read as a frame marker when APP0 is not stepped over by its length.
    const std::vector<u8> trickyJfif = {'J', 'F', 'I', 'F', 0, 1, 2, 1, 0xFF, 0xC0, 0xFF, 0xC0, 0, 0};
    struct Case {
        const char* name;
        std::vector<u8> stream;
        u16 width, height;
        i16 depth;
    };
    const Case cases[] = {
        {"RGB", rgb, 33, 17, 32},
        {"grey", grey, 20, 10, 40},
        {"CMYK", cmyk, 8, 4, 32},
        {"JFXX thumbnail first", withSegmentAfterSoi(withoutApp0(rgb), 0xE0, jfxx), 33, 17, 32},
        {"marker bytes inside APP0", withSegmentAfterSoi(withoutApp0(rgb), 0xE0, trickyJfif), 33, 17, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::media::ImageDescriptionFields d;
        ASSERT_EQ(jpegParseHeader(c.stream.data(), u32(c.stream.size()), &d), 0);
        EXPECT_EQ(d.width, c.width);
        EXPECT_EQ(d.height, c.height);
        EXPECT_EQ(d.depth, c.depth);
        EXPECT_EQ(d.dataSize, c.stream.size());
    }
}

TEST(JpegHeaderParser, RefusalsByTheirCause) {
    const std::vector<u8> rgb = withoutApp0(encodeWithLibjpeg(8, 8, 3, patternRgb(8, 8)));
    struct Case {
        const char* name;
        std::vector<u8> stream;
        i16 result;
    };
    const Case cases[] = {
        {"JFIF version 1.0 is read", withSegmentAfterSoi(rgb, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 0, 0, 0, 1, 0, 1, 0, 0}), 0},
        {"JFIF version under 1.0", withSegmentAfterSoi(rgb, 0xE0, {'J', 'F', 'I', 'F', 0, 0, 0xFF, 0, 0, 1, 0, 1, 0, 0}), -50},
        {"JFXX code 0x13 is read", withSegmentAfterSoi(rgb, 0xE0, {'J', 'F', 'X', 'X', 0, 0x13, 0, 0, 0, 0, 0, 0, 0, 0}), 0},
        {"JFXX code 0x12", withSegmentAfterSoi(rgb, 0xE0, {'J', 'F', 'X', 'X', 0, 0x12, 0, 0, 0, 0, 0, 0, 0, 0}), -50},
        {"cut before the frame", std::vector<u8>(rgb.begin(), rgb.begin() + 30), -50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::media::ImageDescriptionFields d;
        EXPECT_EQ(jpegParseHeader(c.stream.data(), u32(c.stream.size()), &d), c.result);
    }
    plat::media::ImageDescriptionFields d;
    EXPECT_EQ(jpegParseHeader(nullptr, 0, &d), -50);
}

TEST_F(HostJpeg, QueryInterfaceAnswersEachFace) {
    void* out = nullptr;
    EXPECT_EQ(host.QueryInterface(typeid(swf::i_jpeg), &out), swf::kOk);
    EXPECT_EQ(out, &host.jpeg());
    EXPECT_EQ(host.jpeg().QueryInterface(typeid(swf::i_host), &out), swf::kOk);
    EXPECT_EQ(out, static_cast<swf::i_host*>(&host));
    EXPECT_EQ(host.jpeg().QueryInterface(typeid(swf::i_object), &out), swf::kOk);
    EXPECT_EQ(out, static_cast<swf::i_host*>(&host));
    EXPECT_EQ(host.QueryInterface(typeid(swf::i_waveplay), &out), swf::kErrNoInterface);
    EXPECT_EQ(out, nullptr);
}

TEST_F(HostJpeg, CompressSplitsTablesAndDecompressMergesThem) {
    const int w = 40, h = 24;
    const std::vector<u8> pixels = patternRgb(w, h);
    u32 tableLength = 0, length = 0;
    u8* data = nullptr;
    ASSERT_EQ(jpeg().Compress(0, tableLength, data, length, pixels.data(), w * 3, w, h), swf::kOk);
    ASSERT_NE(data, nullptr);
    // The table block is a stream of its own: SOI, quantisation tables, EOI.
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);
    EXPECT_EQ(data[2], 0xFF);
    EXPECT_EQ(data[3], 0xDB);
    EXPECT_EQ(data[tableLength - 1], 0xD9);
    EXPECT_EQ(jpegStreamLength(data, tableLength), tableLength);
    // The image stream that follows ends exactly at the reported length.
    EXPECT_EQ(jpegStreamLength(data + tableLength, length - tableLength), length - tableLength);
    i32 iw = 0, ih = 0;
    EXPECT_EQ(jpeg().GetInfo(iw, ih, data + tableLength, length - tableLength), 0);
    EXPECT_EQ(iw, w);
    EXPECT_EQ(ih, h);
    u8* decoded = nullptr;
    ASSERT_EQ(jpeg().Decompress(decoded, w * 3, w, h, data, tableLength, data + tableLength, length - tableLength), 0);
    std::vector<u8> rgb(decoded, decoded + w * h * 3);
    EXPECT_GT(psnr(rgb, pixels), 35.0);
    memFreePtr(decoded);
    memFreePtr(data);
}

// The picture is decoded whole at the size asked for (a texture's, a power of two), scaled; a
// stream cut short is refused.
TEST_F(HostJpeg, DecompressScalesThePictureToTheSizeAskedAndRefusesCutStreams) {
    const std::vector<u8> stream = encodeWithLibjpeg(16, 16, 3, patternRgb(16, 16));
    u8* pixels = reinterpret_cast<u8*>(1);
    struct Case {
        const char* name;
        size_t size;
        u32 width;
        bool decoded;
    };
    const Case cases[] = {
        {"whole stream", stream.size(), 16, true},
        {"picture wider than the stream's: scaled", stream.size(), 32, true},
        {"picture narrower than the stream's: scaled", stream.size(), 8, true},
        {"stream cut short", stream.size() - 40, 16, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const swf::Result result = jpeg().Decompress(pixels, c.width * 3, c.width, 16, nullptr, 0, stream.data(), u32(c.size));
        EXPECT_EQ(result == 0, c.decoded);
        EXPECT_EQ(pixels != nullptr, c.decoded);
        // The ramps run over the whole width, whatever the width.
        if (pixels) {
            EXPECT_GT(psnr(std::vector<u8>(pixels, pixels + c.width * 16 * 3), patternRgb(int(c.width), 16)), 20.0);
            memFreePtr(pixels);
        }
        pixels = nullptr;
    }
}

TEST_F(HostJpeg, GetInfoReturnsTheParseError) {
    const std::vector<u8> header = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 8, 0, 4, 0, 4, 2, 0, 0, 0};
    i32 w = -1, h = -1;
    EXPECT_EQ(jpeg().GetInfo(w, h, header.data(), u32(header.size())), swf::Result(kJpegParseError));
    EXPECT_EQ(w, -1);
}

TEST_F(HostJpeg, CompressFailsWithoutPixels) {
    u32 tableLength = 0, length = 0;
    u8* data = reinterpret_cast<u8*>(1);
    EXPECT_EQ(jpeg().Compress(0, tableLength, data, length, nullptr, 30, 10, 10), kSwfHostFailed);
    EXPECT_EQ(data, nullptr);
}
