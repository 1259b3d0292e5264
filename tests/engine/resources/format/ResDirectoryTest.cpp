#include "engine/resources/format/ResDirectory.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

std::vector<u8> bytesOf(const ResDirectory& directory) {
    std::vector<u8> bytes(directory.byteSize());
    directory.serialize(bytes.data());
    return bytes;
}

ResDirectory reparsed(const ResDirectory& directory, u16 entries) {
    ResDirectory result;
    EXPECT_EQ(ResDirectory::parse(bytesOf(directory), entries, &result), kErrNone);
    return result;
}

TEST(ResNames, CompareFoldsOnlyAsciiCapitals) {
    EXPECT_EQ(compareResNames("Apple", "aPPLE"), 0);
    EXPECT_LT(compareResNames("_x", "a"), 0);  // '_' sorts before the letters once folded
    EXPECT_LT(compareResNames("ab", "abc"), 0);
    EXPECT_NE(compareResNames("\xC9", "\xE9"), 0);  // no folding beyond ASCII
}

TEST(ResDirectory, RefusesUsedIdsAndNamesThatDifferOnlyInCase) {
    ResDirectory directory;
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 1, 1, "Hello"), kErrNone);
    const u32 size = directory.byteSize();
    EXPECT_EQ(directory.insert(fourCC("tTXT"), 1, 2, nullptr), kResErrDuplicate);
    EXPECT_EQ(directory.insert(fourCC("tTXT"), 2, 2, "HELLO"), kResErrDuplicate);
    EXPECT_EQ(directory.byteSize(), size);
    EXPECT_EQ(directory.insert(fourCC("tBMP"), 1, 2, "hello"), kErrNone);  // other type
}

TEST(ResDirectory, CutsLongNamesToThirtyOneCharacters) {
    ResDirectory directory;
    const std::string longName(40, 'n');
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 1, 1, longName.c_str()), kErrNone);
    EXPECT_EQ(directory.findType(fourCC("tTXT"))->names[0].name, std::string(31, 'n'));
    EXPECT_EQ(directory.insert(fourCC("tTXT"), 2, 2, (longName + "x").c_str()), kResErrDuplicate);
}

TEST(ResDirectory, AcceptsExactly65535BytesAndRefusesOneMore) {
    ResDirectory directory;
    // 4 head + 12 type + 4 per id: 16379 ids fill 65532 bytes.
    u16 id = 0;
    for (; directory.byteSize() + 4 <= 65532; ++id) ASSERT_EQ(directory.insert(fourCC("tTXT"), id, u16(id + 1), nullptr), kErrNone);
    ASSERT_EQ(directory.byteSize(), 65532u);
    EXPECT_EQ(directory.insert(fourCC("tTXT"), id, 1, "ab"), kResErrTooLarge);  // would need 7 bytes
    EXPECT_EQ(directory.byteSize(), 65532u);
    EXPECT_EQ(directory.insert(fourCC("tTXT"), id, 1, "a"), kResErrTooLarge);  // 65538
    EXPECT_EQ(directory.insert(fourCC("tTXT"), id, 1, nullptr), kResErrTooLarge);  // 65536
    ASSERT_EQ(directory.removeIndex(1), kErrNone);
    EXPECT_EQ(directory.insert(fourCC("tTXT"), id, 1, nullptr), kErrNone);
    EXPECT_EQ(directory.byteSize(), 65532u);
    ASSERT_EQ(directory.removeIndex(2), kErrNone);
    ASSERT_EQ(directory.removeIndex(3), kErrNone);  // 65524
    EXPECT_EQ(directory.insert(fourCC("tTXT"), 60000, 2, "ab"), kErrNone);  // 4 + 4 + 3 = 65535
    EXPECT_EQ(directory.byteSize(), 65535u);
}

TEST(ResDirectory, RemovingTheLastResourceOfATypeDropsTheType) {
    ResDirectory directory;
    ASSERT_EQ(directory.insert(fourCC("tBMP"), 1, 1, "one"), kErrNone);
    ASSERT_EQ(directory.insert(fourCC("tSND"), 1, 2, "two"), kErrNone);
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 1, 3, "three"), kErrNone);
    const u32 before = directory.byteSize();
    ASSERT_EQ(directory.removeIndex(2), kErrNone);
    EXPECT_EQ(directory.byteSize(), before - 12 - 4 - 8);
    EXPECT_EQ(directory.findType(fourCC("tSND")), nullptr);
    const std::vector<u8> bytes = bytesOf(directory);
    EXPECT_EQ(readBE16(bytes.data() + 2), 2);
    EXPECT_EQ(readBE32(bytes.data() + 4), fourCC("tBMP"));
    EXPECT_EQ(readBE32(bytes.data() + 12), fourCC("tTXT"));
    // The pool closed up: "one" then "three".
    const u16 pool = readBE16(bytes.data());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + pool), 10), std::string("one\0three\0", 10));
    EXPECT_EQ(directory.removeIndex(2), kResErrSizeOrIndex);
    const ResDirectory again = reparsed(directory, 3);
    EXPECT_EQ(again.find(fourCC("tTXT"), 1)->index, 3);
    EXPECT_EQ(again.findType(fourCC("tTXT"))->names[0].name, "three");
}

TEST(ResDirectory, RefusesIndexesSharedBetweenResources) {
    ResDirectory shared;
    ASSERT_EQ(shared.insert(fourCC("tBMP"), 7, 1, nullptr), kErrNone);
    ASSERT_EQ(shared.insert(fourCC("tTXT"), 1, 1, nullptr), kErrNone);
    ResDirectory parsed;
    EXPECT_EQ(ResDirectory::parse(bytesOf(shared), 2, &parsed), kResErrNotResourceFile);

    ResDirectory crossNamed;
    ASSERT_EQ(crossNamed.insert(fourCC("tBMP"), 7, 1, nullptr), kErrNone);
    ASSERT_EQ(crossNamed.insert(fourCC("tTXT"), 1, 2, "n"), kErrNone);
    std::vector<u8> bytes = bytesOf(crossNamed);
    ASSERT_EQ(ResDirectory::parse(bytes, 2, &parsed), kErrNone);
    // head 4, type entries 16, tBMP ids at 20 and names at 26, tTXT ids at 28, names at 34
    ASSERT_EQ(readBE16(bytes.data() + 38), 2);
    writeBE16(bytes.data() + 38, 1);  // the tTXT name now names the picture
    EXPECT_EQ(ResDirectory::parse(bytes, 2, &parsed), kResErrNotResourceFile);
}

// Types that share one table take fewer bytes in the file than the writer lays out for them;
// such a directory would be written back past 65535 bytes, with its sizes cut to 16 bits.
TEST(ResDirectory, RefusesTablesThatCouldNotBeWrittenBack) {
    constexpr u16 kTypes = 6000;
    const u32 sharedTable = 4 + 8u * kTypes;
    std::vector<u8> bytes(sharedTable + 2, 0);
    writeBE16(bytes.data(), u16(sharedTable + 2));
    writeBE16(bytes.data() + 2, kTypes);
    for (u16 t = 0; t < kTypes; ++t) {
        writeBE32(bytes.data() + 4 + 8 * t, 0x41000000u + t);
        writeBE16(bytes.data() + 8 + 8 * t, u16(sharedTable));
        writeBE16(bytes.data() + 10 + 8 * t, u16(sharedTable));
    }
    ResDirectory directory;
    EXPECT_EQ(ResDirectory::parse(bytes, 0, &directory), kResErrNotResourceFile);
}

TEST(ResDirectory, RenumbersIdAndNameTables) {
    ResDirectory directory;
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 4, 3, "c"), kErrNone);
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 9, 5, nullptr), kErrNone);
    directory.renumber({0, 0, 0, 1, 0, 2});
    EXPECT_EQ(directory.find(fourCC("tTXT"), 4)->index, 1);
    EXPECT_EQ(directory.find(fourCC("tTXT"), 9)->index, 2);
    EXPECT_EQ(directory.findType(fourCC("tTXT"))->names[0].index, 1);
}

}  // namespace
