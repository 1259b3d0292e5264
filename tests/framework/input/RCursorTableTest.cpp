#include "framework/input/RCursorTable.h"

#include <gtest/gtest.h>

#include "framework/format/CursorFormat.h"
#include "framework/input/HSInfo.h"
#include "tests/framework/SystemArchiveFixture.h"

namespace {

using namespace Ostrel;
namespace cur = plat::cursor;

std::string cursorBytes(i16 hotX) {
    CursorRecord record;
    record.hotX = hotX;
    record.andPlane.fill(0xFF);
    record.xorPlane[0] = 0x80;
    std::vector<u8> bytes;
    EXPECT_EQ(writeCursorResource(record, &bytes), kErrNone);
    return testfw::asText(bytes);
}

TEST(CursorTable, MadeFromTheArchivesWithTheArrowForMissingOrDamagedEntries) {
    cur::resetCursors();
    testfw::SystemArchive archive;
    std::string damaged = cursorBytes(4);
    damaged[3] = 40;  // hot x past the picture
    archive.open({{kCursorResourceType, kCursorResourceFirst, cursorBytes(4)},
                  {kCursorResourceType, u16(kCursorResourceFirst + 2), damaged},
                  {kCursorResourceType, u16(kCursorResourceFirst + kCursorTableSize - 1), cursorBytes(31)},
                  {kCursorResourceType, u16(kCursorResourceFirst + kCursorTableSize), cursorBytes(5)}});
    EXPECT_EQ(loadCursorTable(), 2);
    EXPECT_EQ(cur::liveCursorCount(), 2u);
    const cur::CursorId arrow = cur::systemCursor(cur::SystemCursor::Arrow);
    ASSERT_NE(cur::cursorImage(cursorForIndex(0)), nullptr);
    EXPECT_EQ(cur::cursorImage(cursorForIndex(0))->hotX, 4);
    EXPECT_EQ(cursorForIndex(1), arrow);
    EXPECT_EQ(cursorForIndex(2), arrow);
    EXPECT_EQ(cur::cursorImage(cursorForIndex(kCursorTableSize - 1))->hotX, 31);
    EXPECT_EQ(cursorForIndex(kCursorTableSize), cur::kNoCursor);
    EXPECT_EQ(cursorForIndex(kCursorIndexLast), cur::systemCursor(cur::SystemCursor::Wait));
    EXPECT_EQ(cursorForIndex(kCursorIndexLast + 1), cur::kNoCursor);
    EXPECT_EQ(loadCursorTable(), 2);  // a new table replaces the old one
    EXPECT_EQ(cur::liveCursorCount(), 2u);
    releaseCursorTable();
    EXPECT_EQ(cur::liveCursorCount(), 0u);
    EXPECT_EQ(cursorForIndex(0), arrow);
}

}  // namespace
