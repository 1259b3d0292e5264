#include <cstring>
#include <functional>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace pm = plat::media;
using namespace qttest;

namespace {

class ImgJpeg : public QtRuntimeTest {
protected:
    // A world of the pattern at the given depth (16, 24 or 32 bits).
    MrWorld* patternWorld(i16 width, i16 height, i16 depth) {
        MrWorld* world = nullptr;
        const pm::MrRect bounds{0, 0, height, width};
        EXPECT_EQ(qtNewWorld(&world, depth, &bounds), 0);
        MrPixMap* map = qtWorldPixMap(world);
        for (i32 y = 0; y < height; ++y)
            for (i32 x = 0; x < width; ++x) {
                u8 rgb[3];
                patternAt(x, y, width, height, rgb);
                u8* p = map->base + y * map->rowBytes;
                if (depth == 16) {
                    const u16 v = u16(((rgb[0] >> 3) << 10) | ((rgb[1] >> 3) << 5) | (rgb[2] >> 3));
                    std::memcpy(p + 2 * x, &v, 2);
                } else {
                    const int n = depth / 8;
                    p[n * x] = rgb[2], p[n * x + 1] = rgb[1], p[n * x + 2] = rgb[0];
                }
            }
        worlds_.push_back(world);
        return world;
    }
    void TearDown() override {
        for (MrWorld* world : worlds_) qtDisposeWorld(world);
        QtRuntimeTest::TearDown();
    }
    std::vector<u8> bytesOf(memHandle handle) {
        const u8* data = static_cast<const u8*>(memLockHandle(handle));
        std::vector<u8> bytes(data, data + memGetHandleSize(handle));
        memUnlockHandle(handle);
        return bytes;
    }
    std::vector<MrWorld*> worlds_;
};

}  // namespace

TEST_F(ImgJpeg, CompressedBlocksDecodeWithBareLibjpeg) {
    for (i16 depth : {16, 24, 32}) {
        SCOPED_TRACE(depth);
        MrWorld* world = patternWorld(37, 23, depth);
        u32 total = 0;
        const memHandle handle = qtCompressToJPEG(qtWorldPixMap(world), &total, i16(kImgDefaultQuality));
        ASSERT_NE(handle, 0);
        const std::vector<u8> block = bytesOf(handle);
        // The reported length is exact: the block holds the header and the stream, nothing more.
        EXPECT_EQ(total, block.size());
        EXPECT_EQ(readBE32(block.data() + 20) + kJpegBlockHeaderSize, total);
        EXPECT_EQ(readBE16(block.data()), 37);
        EXPECT_EQ(readBE16(block.data() + 2), 23);
        EXPECT_EQ(readBE16(block.data() + 6), kJpegBlockFormat | jpegDepthCode(u16(depth)));
        const Decoded decoded = decodeWithLibjpeg(block.data() + kJpegBlockHeaderSize, block.size() - kJpegBlockHeaderSize);
        ASSERT_EQ(decoded.width, 37);
        ASSERT_EQ(decoded.height, 23);
        // 16-bit worlds lose three bits per component before coding.
        EXPECT_GT(psnr(decoded.rgb, patternRgb(37, 23)), depth == 16 ? 28.0 : 35.0);
        memFreeHandle(handle);
    }
}

TEST_F(ImgJpeg, RawBlocksCopyTheRows) {
    MrWorld* world = patternWorld(3, 2, 24);
    const memHandle handle = qtCompressToJPEG(qtWorldPixMap(world), nullptr, kImgRawQuality);
    ASSERT_NE(handle, 0);
    const std::vector<u8> block = bytesOf(handle);
    ASSERT_EQ(block.size(), 8u + 2 * 12);
    EXPECT_EQ(readBE16(block.data() + 4), 12);
    EXPECT_EQ(readBE16(block.data() + 6), 0x1004);
    EXPECT_EQ(0, std::memcmp(block.data() + 8, qtWorldPixMap(world)->base, 24));
    memFreeHandle(handle);
}

TEST_F(ImgJpeg, DecodingWithoutAPortGivesA16BitRawBlock) {
    MrWorld* world = patternWorld(20, 10, 24);
    const memHandle jpeg = qtCompressToJPEG(qtWorldPixMap(world), nullptr, i16(kImgDefaultQuality));
    ASSERT_NE(jpeg, 0);
    const std::vector<u8> block = bytesOf(jpeg);
    const Rect16 rect{0, 0, 20, 10};
    const memHandle raw = imgDecodeJPEG(block.data(), u32(block.size()), nullptr, rect, rect);
    ASSERT_NE(raw, 0);
    const std::vector<u8> rawBytes = bytesOf(raw);
    EXPECT_EQ(readBE16(rawBytes.data()), 20);
    EXPECT_EQ(readBE16(rawBytes.data() + 2), 10);
    EXPECT_EQ(readBE16(rawBytes.data() + 6), 0x1003);
    // The top-left pixel is near black, the bottom-right near white-ish pattern end.
    u16 first;
    std::memcpy(&first, rawBytes.data() + 8, 2);
    EXPECT_LT(first & 0x7FFF, 0x0C63);
    memFreeHandle(raw);
    memFreeHandle(jpeg);
}

TEST_F(ImgJpeg, ExpandTurnsJpegBlocksIntoRawBlocksInPlace) {
    MrWorld* world = patternWorld(8, 6, 32);
    const memHandle handle = qtCompressToJPEG(qtWorldPixMap(world), nullptr, 0x200);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(imgExpandPictureHandle(handle), handle);
    const std::vector<u8> raw = bytesOf(handle);
    EXPECT_EQ(readBE16(raw.data() + 6), 0x1003);
    EXPECT_EQ(raw.size(), 8u + 6 * 16);
    memFreeHandle(handle);
}

TEST_F(ImgJpeg, ExpandRefusesBlocksWhoseSizesLie) {
    MrWorld* world = patternWorld(8, 6, 24);
    const memHandle good = qtCompressToJPEG(qtWorldPixMap(world), nullptr, 0x200);
    ASSERT_NE(good, 0);
    const std::vector<u8> block = bytesOf(good);
    memFreeHandle(good);
    struct Case {
        const char* name;
        std::function<void(std::vector<u8>&)> damage;
    };
    const Case cases[] = {
        {"stream longer than the block", [](std::vector<u8>& b) { writeBE32(b.data() + 20, u32(b.size())); }},
        {"picture larger than the stream's", [](std::vector<u8>& b) { writeBE16(b.data(), 9); }},
        {"stream cut short", [](std::vector<u8>& b) {
             b.resize(b.size() / 2);
             writeBE32(b.data() + 20, u32(b.size() - 24));
         }},
        {"block shorter than its header", [](std::vector<u8>& b) { b.resize(23); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes = block;
        c.damage(bytes);
        const memHandle handle = memAllocHandle(u32(bytes.size()));
        std::memcpy(memLockHandle(handle), bytes.data(), bytes.size());
        memUnlockHandle(handle);
        EXPECT_EQ(imgExpandPictureHandle(handle), 0);
        memFreeHandle(handle);
    }
}

TEST_F(ImgJpeg, ExpandHandsOtherBlocksToTheEngine) {
    u8 raw[8 + 2 * 4] = {};
    writeBE16(raw, 2), writeBE16(raw + 2, 2), writeBE16(raw + 4, 4), writeBE16(raw + 6, 0x1003);
    const memHandle handle = memAllocHandle(sizeof raw);
    std::memcpy(memLockHandle(handle), raw, sizeof raw);
    memUnlockHandle(handle);
    EXPECT_EQ(imgExpandPictureHandle(handle), handle);
    memFreeHandle(handle);
    EXPECT_EQ(imgExpandPictureHandle(0), 0);
}

TEST_F(ImgJpeg, PortsBecomeJpegBlocksScaledToTheDestination) {
    GfxPort* port = gfxNewOffscreenPort(40, 20, 16, nullptr);
    ASSERT_NE(port, nullptr);
    gfxLockPort(port);
    gfxSetPort(port);
    ASSERT_EQ(gfxFillRect(Rect16{0, 0, 40, 20}, GfxColor::rgb(200, 40, 40), 0), kErrNone);
    ASSERT_EQ(gfxFillRect(Rect16{20, 0, 40, 20}, GfxColor::rgb(40, 40, 200), 0), kErrNone);
    gfxSetPort(nullptr);
    for (u16 depth : {16, 24, 32}) {
        SCOPED_TRACE(depth);
        u32 total = 0;
        const memHandle handle = imgBitmapToJPEG(port, nullptr, Rect16{0, 0, 20, 10}, &total, 0, depth);
        ASSERT_NE(handle, 0);
        const std::vector<u8> block = bytesOf(handle);
        memFreeHandle(handle);
        EXPECT_EQ(total, block.size());
        EXPECT_EQ(readBE16(block.data() + 6), kJpegBlockFormat | jpegDepthCode(depth));
        const Decoded decoded = decodeWithLibjpeg(block.data() + 24, block.size() - 24);
        ASSERT_EQ(decoded.width, 20);
        ASSERT_EQ(decoded.height, 10);
        const u8* left = &decoded.rgb[(5 * 20 + 2) * 3];
        const u8* right = &decoded.rgb[(5 * 20 + 17) * 3];
        EXPECT_NEAR(left[0], 200, 12);
        EXPECT_NEAR(left[2], 40, 12);
        EXPECT_NEAR(right[2], 200, 12);
    }
    EXPECT_EQ(imgBitmapToJPEG(port, nullptr, Rect16{0, 0, 20, 10}, nullptr, 0, 8), 0);
    gfxUnlockPort(port);
    gfxDisposePort(port);
}

TEST_F(ImgJpeg, DecodingOntoAPortDrawsAtTheRectangle) {
    MrWorld* world = patternWorld(10, 10, 24);
    MrPixMap* map = qtWorldPixMap(world);
    for (i32 y = 0; y < 10; ++y) std::memset(map->base + y * map->rowBytes, 0xFF, 30);
    const memHandle jpeg = qtCompressToJPEG(map, nullptr, 0x3FF);
    const std::vector<u8> block = bytesOf(jpeg);
    GfxPort* port = gfxNewOffscreenPort(30, 30, 16, nullptr);
    gfxLockPort(port);
    gfxSetPort(port);
    gfxFillRect(Rect16{0, 0, 30, 30}, GfxColor::rgb(0, 0, 0), 0);
    EXPECT_EQ(imgDecodeJPEGData(block.data(), u32(block.size()), port, Rect16{0, 0, 10, 10}), 0);
    GfxColor inside, outside;
    gfxGetPixel(&inside, 5, 5);
    gfxGetPixel(&outside, 20, 20);
    gfxSetPort(nullptr);
    gfxUnlockPort(port);
    gfxDisposePort(port);
    memFreeHandle(jpeg);
    EXPECT_GT(inside.red, 240);
    EXPECT_EQ(outside.red, 0);
}

TEST_F(ImgJpeg, TooLongPathsFailRatherThanBeingCut) {
    const std::string longPath = "/" + std::string(kImgMaxPath, 'a');
    EXPECT_EQ(imgRuntimePath(longPath), "");
    EXPECT_EQ(imgFileToJPEG(longPath, nullptr, nullptr), 0);
    EXPECT_NE(imgRuntimePath(longPath.substr(0, kImgMaxPath)), "");
}

TEST_F(ImgJpeg, TheEngineExpandsJpegBlocksWhileTheRuntimeIsConnected) {
    for (i16 depth : {16, 24, 32}) {
        SCOPED_TRACE(depth);
        MrWorld* world = patternWorld(12, 8, depth);
        const memHandle handle = qtCompressToJPEG(qtWorldPixMap(world), nullptr, i16(kImgDefaultQuality));
        ASSERT_NE(handle, 0);
        ASSERT_EQ(gfxExpandBitmap(handle), kErrNone);
        const std::vector<u8> raw = bytesOf(handle);
        u16 rowBytes = 0;
        jpegBlockRowBytes(12, u16(depth), &rowBytes);
        EXPECT_EQ(raw.size(), 8u + 8 * rowBytes);
        // The bottom-right pixel of the pattern is bright in red and green.
        const i32 colour = gfxGetBitmapPixel(raw.data(), u32(raw.size()), 11, 7);
        const u32 red = depth == 16 ? ((colour >> 10) & 31) << 3 : (u32(colour) >> 16) & 0xFF;
        EXPECT_GT(red, 200u);
        memFreeHandle(handle);
    }
}

TEST_F(ImgJpeg, TheEngineStopsExpandingJpegOnceTheRuntimeIsReleased) {
    MrWorld* world = patternWorld(4, 4, 24);
    const memHandle handle = qtCompressToJPEG(qtWorldPixMap(world), nullptr, i16(kImgDefaultQuality));
    ASSERT_NE(handle, 0);
    worlds_.clear();
    qtDisposeWorld(world);
    qtFreeLibrary(nullptr);
    EXPECT_EQ(gfxExpandBitmap(handle), kGfxErrNoDecompressor);
    memFreeHandle(handle);
}
