#include <gtest/gtest.h>

#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/quicktime/JpegPictureBlock.h"

namespace {

std::vector<u8> blockWith(u16 width, u16 height, u16 depth, u32 streamSize, size_t blockSize, const char* name = "jpeg") {
    std::vector<u8> block(blockSize, 0);
    EXPECT_TRUE(imgWriteJPEGHeader(block.data(), width, height, depth, streamSize, name));
    return block;
}

}  // namespace

TEST(JpegPictureBlock, HeaderFieldsByWidthAndDepth) {
    struct Case {
        u16 width, depth;
        u16 rowBytes, format;
    };
    const Case cases[] = {
        {3, 24, 12, 0x0F04}, {4, 24, 12, 0x0F04}, {3, 16, 8, 0x0F03}, {5, 8, 8, 0x0F02}, {3, 32, 12, 0x0F04},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.depth);
        const std::vector<u8> block = blockWith(c.width, 7, c.depth, 100, 24);
        EXPECT_EQ(readBE16(block.data() + 4), c.rowBytes);
        EXPECT_EQ(readBE16(block.data() + 6), c.format);
        EXPECT_EQ(readBE32(block.data() + 16), u32(c.rowBytes) * 7);
        EXPECT_EQ(readBE32(block.data() + 20), 100u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data() + 8)), "jpeg");
    }
}

TEST(JpegPictureBlock, RowBytesThatWouldOverflowAreRefused) {
    u16 rowBytes = 0;
    // 16383 pixels of 32 bits fill 65532 bytes; one pixel more needs 65536.
    EXPECT_TRUE(jpegBlockRowBytes(16383, 32, &rowBytes));
    EXPECT_EQ(rowBytes, 65532);
    EXPECT_FALSE(jpegBlockRowBytes(16384, 32, &rowBytes));
    u8 header[24] = {};
    EXPECT_FALSE(imgWriteJPEGHeader(header, 16384, 1, 32, 10, "jpeg"));
    EXPECT_EQ(readBE16(header + 6), 0);
}

TEST(JpegPictureBlock, ToldApartByFormatWordAndCodecName) {
    std::vector<u8> capitals = blockWith(2, 2, 24, 1, 25, "JPEG");
    EXPECT_TRUE(imgIsJPEGBlock(capitals.data(), u32(capitals.size())));
    std::vector<u8> raw = capitals;
    writeBE16(raw.data() + 6, 0x1004);
    EXPECT_FALSE(imgIsJPEGBlock(raw.data(), u32(raw.size())));
    std::vector<u8> longer = blockWith(2, 2, 24, 1, 25, "jpegx");
    EXPECT_FALSE(imgIsJPEGBlock(longer.data(), u32(longer.size())));
}

TEST(JpegPictureBlock, SizesAreCheckedAgainstTheBlock) {
    struct Case {
        const char* name;
        u32 streamSize;
        size_t blockSize;
        size_t given;
        bool read;
    };
    const Case cases[] = {
        {"stream fills the block", 10, 34, 34, true},
        {"stream one byte past the block", 11, 34, 34, false},
        {"block one byte shorter than its header", 0, 24, 23, false},
        {"header alone, empty stream", 0, 24, 24, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<u8> block = blockWith(4, 4, 24, c.streamSize, c.blockSize);
        JpegBlockHeader header;
        EXPECT_EQ(imgReadJPEGHeader(block.data(), u32(c.given), &header), c.read);
    }
}

TEST(JpegPictureBlock, PicturesWithoutASizeAreRefused) {
    for (u16 width : {0, 4}) {
        const std::vector<u8> block = blockWith(width, u16(4 - width), 24, 1, 25);
        JpegBlockHeader header;
        EXPECT_FALSE(imgReadJPEGHeader(block.data(), u32(block.size()), &header));
    }
}

TEST(JpegPictureBlock, RawHeaderDepthCodes) {
    const std::pair<u16, u16> cases[] = {{8, 0x1002}, {16, 0x1003}, {24, 0x1004}, {32, 0x1004}, {1, 0x1001}};
    for (auto [depth, format] : cases) {
        u8 header[8];
        imgWriteRawHeader(header, 5, 6, 20, depth);
        EXPECT_EQ(readBE16(header + 6), format) << depth;
        EXPECT_EQ(readBE16(header + 4), 20);
    }
}
