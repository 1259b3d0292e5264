// The generator's read-back of archives: what find() hands out always lies inside the image,
// whatever offset an empty resource's entry keeps (the format checks only ranges holding bytes).
#include "contentgen/raster/ArchiveReader.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

constexpr FourCC kText = fourCC("tTXT");

struct EmptyAt {
    const char* what;
    i64 fromEnd;  // the empty resource's offset, relative to the end of the image
};

class ArchiveReaderEmpty : public ::testing::TestWithParam<EmptyAt> {};

TEST_P(ArchiveReaderEmpty, FindsItInsideTheImage) {
    std::vector<u8> image = testres::makeArchive({{kText, 1, "abc"}, {kText, 2, ""}});
    ArchiveContents contents;
    ASSERT_EQ(parseArchiveImage(image, &contents), kErrNone);
    const u32 entry = contents.header.directoryOffset + contents.header.directorySize + kFileTableHeadSize + kFileEntrySize;
    writeBE32(image.data() + entry, u32(i64(image.size()) + GetParam().fromEnd));
    const u8* start = image.data();
    const u8* end = start + image.size();

    ArchiveReader reader;
    ASSERT_TRUE(reader.open(std::move(image))) << GetParam().what;
    const auto empty = reader.find(kText, 2);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
    EXPECT_TRUE(empty->data() == nullptr || (empty->data() >= start && empty->data() <= end)) << GetParam().what;
    const auto text = reader.find(kText, 1);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::string(text->begin(), text->end()), "abc");
}

INSTANTIATE_TEST_SUITE_P(All, ArchiveReaderEmpty, ::testing::Values(
    EmptyAt{"at the last byte", -1},
    EmptyAt{"at the end", 0},
    EmptyAt{"one past the end", 1},
    EmptyAt{"far past the end", 0x7FFF0000}));

}  // namespace
