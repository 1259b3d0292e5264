// The library header as stored, and the damage the reader refuses.
#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"

#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/StorageErrors.h"

namespace {

LibraryHeader stamps() {
    LibraryHeader header;
    header.type = kTypeStamp;
    header.flags = kLibraryFlagThumbnails;
    header.nextId = 5;
    header.entries = {{1, 0}, {4, 0x8000}};
    return header;
}

TEST(LibraryHeaderFormat, WritesFieldByFieldBigEndian) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeLibraryHeader(stamps(), &bytes), kErrNone);
    const std::vector<u8> expected = {0, 1, 't', 'S', 'T', 'M', 0, 1, 0, 2, 0, 5, 0, 1, 0, 0, 0, 4, 0x80, 0};
    EXPECT_EQ(bytes, expected);
    LibraryHeader back;
    ASSERT_EQ(parseLibraryHeader(bytes, &back), kErrNone);
    EXPECT_EQ(back, stamps());
}

struct HeaderDamage {
    const char* what;
    size_t offset;
    int value;  // byte value, or for offset SIZE_MAX bytes removed (<0) / added (>0)
    EngineErr expected;
};

class LibraryHeaderDamage : public ::testing::TestWithParam<HeaderDamage> {};

TEST_P(LibraryHeaderDamage, IsRefusedByItsCheck) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeLibraryHeader(stamps(), &bytes), kErrNone);
    const HeaderDamage& d = GetParam();
    if (d.offset == SIZE_MAX) bytes.resize(size_t(i64(bytes.size()) + d.value), 0);
    else bytes[d.offset] = u8(d.value);
    LibraryHeader header;
    EXPECT_EQ(parseLibraryHeader(bytes, &header), d.expected) << d.what;
}

INSTANTIATE_TEST_SUITE_P(All, LibraryHeaderDamage, ::testing::Values(
    HeaderDamage{"empty", SIZE_MAX, -20, kDocErrTruncated},
    HeaderDamage{"one byte short", SIZE_MAX, -1, kDocErrTruncated},
    HeaderDamage{"one byte over", SIZE_MAX, 1, kDocErrTrailing},
    HeaderDamage{"version 2", 1, 2, kDocErrVersion},
    HeaderDamage{"id 0", 13, 0, kDocErrBadId},
    HeaderDamage{"id at the next id", 17, 5, kDocErrBadId},
    HeaderDamage{"id given twice", 17, 1, kDocErrDuplicate},
    HeaderDamage{"count over the limit", 8, 0x08, kDocErrTooMany}));  // 0x0802 > 2000

TEST(LibraryHeaderFormat, LastIdBeforeTheNextIsAccepted) {
    LibraryHeader header = stamps();
    header.entries[1].id = 4;
    header.nextId = 5;
    std::vector<u8> bytes;
    EXPECT_EQ(writeLibraryHeader(header, &bytes), kErrNone);
    header.nextId = 4;
    EXPECT_EQ(writeLibraryHeader(header, &bytes), kDocErrBadId);
}

// A full library: the limit and one past it, and a repeat as far from its first use as can be.
struct FullCase {
    const char* what;
    size_t count;
    bool lastRepeatsFirst;
    EngineErr expected;
};

class LibraryHeaderFull : public ::testing::TestWithParam<FullCase> {};

TEST_P(LibraryHeaderFull, IsReadOrRefusedByItsCheck) {
    const FullCase& c = GetParam();
    LibraryHeader full{kTypeSound, 0, u16(kLibraryMaxEntries + 2), {}};
    for (u16 id = 1; id <= kLibraryMaxEntries; ++id) full.entries.push_back({id, 0});
    std::vector<u8> bytes;
    ASSERT_EQ(writeLibraryHeader(full, &bytes), kErrNone);
    if (c.count > kLibraryMaxEntries) {
        LibraryHeader over = full;
        over.entries.push_back({kLibraryMaxEntries + 1, 0});
        std::vector<u8> refused;
        EXPECT_EQ(writeLibraryHeader(over, &refused), kDocErrTooMany) << "nor written";
        writeBE16(bytes.data() + 8, u16(c.count));
        bytes.insert(bytes.end(), {0x07, 0xD1, 0, 0});  // id 2001
    }
    if (c.lastRepeatsFirst) writeBE16(bytes.data() + bytes.size() - kLibraryEntrySize, 1);
    LibraryHeader back;
    EXPECT_EQ(parseLibraryHeader(bytes, &back), c.expected) << c.what;
    if (c.expected == kErrNone) {
        EXPECT_EQ(back, full);
    }
}

INSTANTIATE_TEST_SUITE_P(All, LibraryHeaderFull, ::testing::Values(
    FullCase{"the most entries", kLibraryMaxEntries, false, kErrNone},
    FullCase{"one entry past the most", kLibraryMaxEntries + 1, false, kDocErrTooMany},
    FullCase{"the last entry repeats the first", kLibraryMaxEntries, true, kDocErrDuplicate}));

}  // namespace
