// The page index as stored, and every damage the reader must refuse, each by its own check.
#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"

#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/StorageErrors.h"

namespace {

PageIndex twoObjects() {
    PageIndex index;
    index.pageFlags = 0x0102;
    index.entries.push_back({kTypeBitmap, 1, 0, 0, 800, 600, 0, 0, 0});
    index.entries.push_back({kTypeText, 7, -5, 10, 200, 90, 1, 0xA0B0C0D0, 1});
    return index;
}

TEST(PageIndexFormat, WritesFieldByFieldBigEndian) {
    std::vector<u8> bytes;
    ASSERT_EQ(writePageIndex(twoObjects(), &bytes), kErrNone);
    const std::vector<u8> expected = {
        0, 1, 1, 2, 0, 2,                                                        // version, flags, count
        't', 'B', 'M', 'P', 0, 1, 0, 0, 0, 0, 3, 0x20, 2, 0x58, 0, 0, 0, 0, 0, 0, 0, 0,  // background
        't', 'T', 'X', 'T', 0, 7, 0xFF, 0xFB, 0, 10, 0, 200, 0, 90, 0, 1, 0xA0, 0xB0, 0xC0, 0xD0, 0, 1};
    EXPECT_EQ(bytes, expected);
    PageIndex back;
    ASSERT_EQ(parsePageIndex(bytes, &back), kErrNone);
    EXPECT_EQ(back, twoObjects());
}

TEST(PageIndexFormat, EmptyPageIsSixBytes) {
    std::vector<u8> bytes;
    ASSERT_EQ(writePageIndex(PageIndex{}, &bytes), kErrNone);
    EXPECT_EQ(bytes, (std::vector<u8>{0, 1, 0, 0, 0, 0}));
}

struct Damage {
    const char* what;
    size_t offset;  // byte to change, or SIZE_MAX to cut/extend
    int value;      // new byte value; for cuts: bytes to remove (<0) or add (>0)
    EngineErr expected;
};

class PageIndexDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(PageIndexDamage, IsRefusedByItsCheck) {
    std::vector<u8> bytes;
    ASSERT_EQ(writePageIndex(twoObjects(), &bytes), kErrNone);
    const Damage& d = GetParam();
    if (d.offset == SIZE_MAX) {
        if (d.value < 0) bytes.resize(bytes.size() - size_t(-d.value));
        else bytes.resize(bytes.size() + size_t(d.value), 0);
    } else {
        bytes[d.offset] = u8(d.value);
    }
    PageIndex index;
    index.pageFlags = 77;
    EXPECT_EQ(parsePageIndex(bytes, &index), d.expected) << d.what;
    EXPECT_EQ(index.pageFlags, 77) << "a refused index leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(All, PageIndexDamage, ::testing::Values(
    Damage{"one byte short", SIZE_MAX, -1, kDocErrTruncated},
    Damage{"header only half there", SIZE_MAX, -(6 + 44 - 3), kDocErrTruncated},
    Damage{"one byte over", SIZE_MAX, 1, kDocErrTrailing},
    Damage{"version 2", 1, 2, kDocErrVersion},
    Damage{"version 0", 1, 0, kDocErrVersion},
    Damage{"count one more than present", 5, 3, kDocErrTruncated},
    Damage{"count one less than present", 5, 1, kDocErrTrailing},
    Damage{"unknown kind", 6 + 22 + 3, 'X', kDocErrBadType},
    Damage{"right before left", 6 + 22 + 10, 0xFF, kDocErrBadRect},  // right = -56
    Damage{"order repeated", 6 + 22 + 21, 0, kDocErrBadOrder},
    Damage{"order past the count", 6 + 22 + 21, 2, kDocErrBadOrder}));

TEST(PageIndexFormat, SameKindAndIdTwiceIsRefused) {
    PageIndex index = twoObjects();
    index.entries[1].type = kTypeBitmap;
    index.entries[1].id = 1;
    std::vector<u8> bytes;
    EXPECT_EQ(writePageIndex(index, &bytes), kDocErrDuplicate);
    index.entries[1].id = 2;
    ASSERT_EQ(writePageIndex(index, &bytes), kErrNone);
    bytes[6 + 22 + 5] = 1;  // second id back to 1
    EXPECT_EQ(parsePageIndex(bytes, &index), kDocErrDuplicate);
}

TEST(PageIndexFormat, ObjectCountLimitBothSides) {
    for (size_t count : {size_t(kPageIndexMaxObjects), size_t(kPageIndexMaxObjects) + 1}) {
        PageIndex index;
        for (size_t i = 0; i < count; ++i)
            index.entries.push_back({kTypeSound, u16(i + 1), 0, 0, 1, 1, 0, 0, u16(i)});
        std::vector<u8> bytes;
        const EngineErr expected = count <= kPageIndexMaxObjects ? kErrNone : kDocErrTooMany;
        EXPECT_EQ(writePageIndex(index, &bytes), expected) << count;
        if (expected == kErrNone) {
            PageIndex back;
            ASSERT_EQ(parsePageIndex(bytes, &back), kErrNone);
            EXPECT_EQ(back, index);
            writeBE16(bytes.data() + 4, u16(count + 1));  // announce one more than the limit
            bytes.resize(bytes.size() + kPageIndexEntrySize);
            EXPECT_EQ(parsePageIndex(bytes, &back), kDocErrTooMany);
        }
    }
}

}  // namespace
