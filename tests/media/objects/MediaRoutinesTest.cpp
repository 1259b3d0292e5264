#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/objects/MediaRoutines.h"
#include "media/objects/RBMP.h"
#include "tests/media/quicktime/QtTestSupport.h"

TEST(MediaRoutines, KeyColourBecomesTransparentAndTheRestOpaque) {
    const std::pair<u32, u32> cases[] = {
        {0x71CE3900, 0xFFFFFF00}, {0x71CE3901, 0x71CE39FF}, {0x00000000, 0x000000FF}, {0x123456FF, 0x123456FF}};
    for (auto [before, after] : cases) {
        u32 pixels[2] = {before, 0xABCDEF00};
        KeyedPixelMap map{reinterpret_cast<u8*>(pixels), 4, 0, 0, 1, 1};
        MakeKeyColourTransparent(&map);
        EXPECT_EQ(pixels[0], after) << std::hex << before;
        EXPECT_EQ(pixels[1], 0xABCDEF00u);  // outside the rectangle
    }
}

TEST(MediaRoutines, KeyingStopsAtRowsNarrowerThanTheRectangle) {
    u32 pixels[4] = {kKeyColour, kKeyColour, kKeyColour, kKeyColour};
    KeyedPixelMap narrow{reinterpret_cast<u8*>(pixels), 4, 0, 0, 2, 2};
    MakeKeyColourTransparent(&narrow);
    EXPECT_EQ(pixels[0], kKeyColour);
    KeyedPixelMap fits{reinterpret_cast<u8*>(pixels), 8, 0, 0, 2, 2};
    MakeKeyColourTransparent(&fits);
    EXPECT_EQ(pixels[3], kKeyedTransparent);
    // Rows of 4096 pixels and more keep their whole stride.
    for (i16 width : {i16(4095), i16(4096), i16(4100)}) {
        std::vector<u32> row(size_t(width), kKeyColour);
        KeyedPixelMap wide{reinterpret_cast<u8*>(row.data()), u32(width) * 4, 0, 0, 1, width};
        MakeKeyColourTransparent(&wide);
        EXPECT_EQ(row.back(), kKeyedTransparent) << width;
    }
}

TEST(MediaRoutines, PascalNamesUpToTheirLimit) {
    for (size_t length : {size_t(0), size_t(5), kPascalNameMax, kPascalNameMax + 1}) {
        const std::string text(length, 'n');
        PascalName name{nullptr, text.c_str()};
        PascalNameMake(&name);
        ASSERT_NE(name.result, nullptr);
        const size_t kept = std::min(length, kPascalNameMax);
        EXPECT_EQ(name.result[0], kept) << length;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(name.result + 1), kept), text.substr(0, kept));
        PascalNameFree(&name);
        EXPECT_EQ(name.result, nullptr);
    }
}

class BitmapMedia : public qttest::QtRuntimeTest {};

TEST_F(BitmapMedia, DrawsTheRecordsPictureOrRefusesAnEmptyRecord) {
    GfxPort* port = gfxNewOffscreenPort(8, 8, 16, nullptr);
    gfxLockPort(port);
    gfxSetPort(port);
    gfxFillRect(Rect16{0, 0, 8, 8}, GfxColor::rgb(0, 0, 0), 0);
    // A 2 x 2 raw 16-bit picture of white pixels in machine order.
    u8 bitmap[8 + 2 * 4];
    writeBE16(bitmap, 2), writeBE16(bitmap + 2, 2), writeBE16(bitmap + 4, 4), writeBE16(bitmap + 6, 0x1003);
    const u16 white = 0x7FFF;
    for (int i = 0; i < 4; ++i) std::memcpy(bitmap + 8 + 2 * i, &white, 2);
    RBMP media(Rect16{0, 0, 8, 8});
    PictureSpriteRecord record;
    EXPECT_EQ(media.DrawInto(record, Rect16{0, 0, 4, 4}, 0, 0), kGfxErrBadFormat);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadFormat);
    record.bitmap.assign(bitmap, bitmap + sizeof bitmap);
    EXPECT_EQ(media.DrawAt(record, 3, 3), kErrNone);
    EXPECT_EQ(media.DrawInto(record, Rect16{0, 0, 2, 6}, 0, 0), kErrNone);
    GfxColor drawn, scaled, untouched;
    gfxGetPixel(&drawn, 4, 4);
    gfxGetPixel(&scaled, 1, 5);
    gfxGetPixel(&untouched, 6, 1);
    gfxSetPort(nullptr);
    gfxUnlockPort(port);
    gfxDisposePort(port);
    EXPECT_GT(drawn.red, 240);
    EXPECT_GT(scaled.red, 240);
    EXPECT_EQ(untouched.red, 0);
    MediaSetOrigin(&media, 12, 34);
    EXPECT_EQ(media.x(), 12);
    EXPECT_EQ(media.y(), 34);
}
