#include "engine/gfx/sprites/SprPicture.h"

#include <gtest/gtest.h>

#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/sprites/LoadBitmapResource.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "tests/engine/gfx/sprites/SprShapesTestSupport.h"

namespace {

using namespace testshape;

Bytes bitmap(const Frame& f) {
    Bytes b;
    put16(b, f.width);
    put16(b, f.height);
    put16(b, u16(f.rowBytes));
    put16(b, f.format);
    b.insert(b.end(), f.pixels.begin(), f.pixels.end());
    return b;
}

Bytes jpegPicture() {
    Bytes b = bitmap(Frame{2, 2, 4, 0x0F03, {}});
    for (char c : std::string("jpeg\0\0\0\0", 8)) b.push_back(u8(c));
    b.insert(b.end(), {0xFF, 0xD8, 0xFF, 0xD9});
    return b;
}

memHandle lastDecoded = 0;
EngineErr fakeJpegDecoder(memHandle picture) {
    lastDecoded = picture;
    return 0;
}

class SprPicture : public SprShapesTest {
protected:
    void TearDown() override {
        sprSetJpegDecoder(nullptr);
        SprShapesTest::TearDown();
    }
};

TEST_F(SprPicture, PlainPictureIsLoadedInMachineOrder) {
    ASSERT_NE(openArchive({{kSprPictureType, 7, bitmap(frame16(2, 1, {0x7C00, 0x001F}))}}), 0);
    ResourceRef ref = 0;
    const memHandle picture = sprLoadPicture(&ref, 7, 0);
    ASSERT_NE(picture, 0);
    EXPECT_NE(ref, 0u);
    const u8* b = static_cast<const u8*>(memDerefHandle(picture));
    EXPECT_TRUE(readBE16(b + 6) & kGfxFormatMachineOrder);
    EXPECT_EQ(readLE16(b + 8), 0x7C00);
    sprReleaseResource(&ref);
    EXPECT_EQ(ref, 0u);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprPictureType, 7, 0)), 0);
}

TEST_F(SprPicture, JpegPictureIsRefusedUntilADecoderIsInstalled) {
    ASSERT_NE(openArchive({{kSprPictureType, 7, jpegPicture()}}), 0);
    ResourceRef ref = 0;
    EXPECT_EQ(sprLoadPicture(&ref, 7, 0), 0);
    EXPECT_EQ(sprGetLastError(), kShapeErrNoJpegDecoder);
    EXPECT_EQ(ref, 0u);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprPictureType, 7, 0)), 0);

    EXPECT_EQ(sprGetJpegDecoder(), nullptr);
    sprSetJpegDecoder(fakeJpegDecoder);
    EXPECT_EQ(sprGetJpegDecoder(), &fakeJpegDecoder);
    const memHandle picture = sprLoadPicture(&ref, 7, 0);
    EXPECT_NE(picture, 0);
    EXPECT_EQ(lastDecoded, picture);
    sprReleaseResource(&ref);
}

TEST_F(SprPicture, JpegNeedsAllCompressionBitsAndTheCodecName) {
    Bytes jpeg = jpegPicture();
    EXPECT_TRUE(sprIsJpegPicture(jpeg.data(), u32(jpeg.size())));
    Bytes otherCodec = jpeg;
    otherCodec[8] = 'J';
    EXPECT_FALSE(sprIsJpegPicture(otherCodec.data(), u32(otherCodec.size())));
    Bytes notAllBits = jpeg;
    notAllBits[6] = 0x0E;
    EXPECT_FALSE(sprIsJpegPicture(notAllBits.data(), u32(notAllBits.size())));
    EXPECT_FALSE(sprIsJpegPicture(jpeg.data(), 11));
    EXPECT_TRUE(sprIsJpegPicture(jpeg.data(), 12));
}

TEST_F(SprPicture, MissingPictureGivesZero) {
    ASSERT_NE(openArchive({{kSprPictureType, 7, bitmap(frame16(1, 1, {1}))}}), 0);
    ResourceRef ref = 0;
    EXPECT_EQ(sprLoadPicture(&ref, 8, 0), 0);
    EXPECT_EQ(sprGetLastError(), kResErrNotFound);
}

TEST_F(SprPicture, PictureWhoseRowsDoNotFitIsReleased) {
    Bytes b = bitmap(frame16(2, 2, {1, 2, 3, 4}));
    b.pop_back();
    ASSERT_NE(openArchive({{kSprPictureType, 7, b}}), 0);
    ResourceRef ref = 0;
    EXPECT_EQ(sprLoadPicture(&ref, 7, 0), 0);
    EXPECT_EQ(ref, 0u);
    EXPECT_EQ(resGetResourceHandle(resFindResource(kSprPictureType, 7, 0)), 0);
}

}  // namespace

namespace {

using namespace testshape;

class BitmapResource : public SprShapesTest {};

TEST_F(BitmapResource, KeepsTheStoredBytes) {
    const Bytes stored = bitmap(frame16(1, 1, {0x7C00}));
    ASSERT_NE(openArchive({{kSprPictureType, 3, stored}}), 0);
    const u8* data = LoadBitmapResource(3);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), data));
    EXPECT_EQ(memGetLockCount(memHandleFromPtr(data)), 1);
    EXPECT_EQ(LoadBitmapResource(4), nullptr);
}

}  // namespace
