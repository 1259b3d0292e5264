#include "platform/media/PixelRows.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "platform/media/MediaWorld.h"

namespace pm = plat::media;

// Two pixels written from the second place of a three-pixel row: each format lays them out in
// its own bytes, leaves the first place alone, and reads them back as its depth keeps them.
TEST(PixelRows, EachFormatLaysOutItsPixelsAndReadsThemBack) {
    static_assert(std::endian::native == std::endian::little, "16-bit words are laid out as the machine keeps them");
    const uint8_t rgba[8] = {0x18, 0x50, 0xA8, 0x40, 0xF8, 0x08, 0x30, 0xC0};
    struct Case {
        uint32_t format;
        std::vector<uint8_t> bytes;  // of the second and third places
        std::vector<uint8_t> back;
    };
    const Case cases[] = {
        {pm::kMrFormatL555, {0x55, 0x0D, 0x26, 0x7C}, {0x18, 0x52, 0xAD, 0xFF, 0xFF, 0x08, 0x31, 0xFF}},
        {pm::kMrFormatBgr24, {0xA8, 0x50, 0x18, 0x30, 0x08, 0xF8}, {0x18, 0x50, 0xA8, 0xFF, 0xF8, 0x08, 0x30, 0xFF}},
        {pm::kMrFormatRgb24, {0x18, 0x50, 0xA8, 0xF8, 0x08, 0x30}, {0x18, 0x50, 0xA8, 0xFF, 0xF8, 0x08, 0x30, 0xFF}},
        {pm::kMrFormatBgra32, {0xA8, 0x50, 0x18, 0x40, 0x30, 0x08, 0xF8, 0xC0}, std::vector<uint8_t>(rgba, rgba + 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const pm::MrRect bounds{0, 0, 1, 3};
        pm::MrWorld* world = nullptr;
        ASSERT_EQ(pm::newWorldOfFormat(&world, c.format, &bounds), 0);
        const size_t pixelBytes = size_t(pm::bitsOfFormat(c.format) / 8);
        pm::writeRowRgba(world->map, 0, 1, 2, rgba);
        EXPECT_EQ(std::vector<uint8_t>(world->map.base, world->map.base + pixelBytes), std::vector<uint8_t>(pixelBytes, 0));
        EXPECT_EQ(std::vector<uint8_t>(world->map.base + pixelBytes, world->map.base + 3 * pixelBytes), c.bytes);
        std::vector<uint8_t> back(8);
        pm::readRowRgba(world->map, 0, 1, 2, back.data());
        EXPECT_EQ(back, c.back);
        pm::disposeWorld(world);
    }
}
