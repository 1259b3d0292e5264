// The object media records: exact bytes of each, round trips, and their limits.
#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/StorageErrors.h"
#include "document/storage/TextRecords.h"

namespace {

TEST(PictureRecordFormat, MaskedPictureBytes) {
    PictureRecord picture{2, 1, {1, 2, 3, 4, 5, 6, 7, 8}, {0, 255}};
    std::vector<u8> bytes;
    ASSERT_EQ(writePictureRecord(picture, true, &bytes), kErrNone);
    EXPECT_EQ(bytes, (std::vector<u8>{0, 1, 0, 2, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 0, 255}));
    PictureRecord back;
    ASSERT_EQ(parsePictureRecord(bytes, true, &back), kErrNone);
    EXPECT_EQ(back, picture);
    EXPECT_EQ(parsePictureRecord(bytes, false, &back), kDocErrTrailing) << "a mask where none belongs";
    bytes.pop_back();
    EXPECT_EQ(parsePictureRecord(bytes, true, &back), kDocErrTruncated);
}

TEST(PictureRecordFormat, SideLimitsBothSides) {
    struct Case {
        u16 width, height;
        EngineErr expected;
    };
    for (Case c : {Case{1, 1, kErrNone}, Case{0, 1, kDocErrBadSize}, Case{1, 0, kDocErrBadSize},
                   Case{kPictureMaxSide, 1, kErrNone}, Case{kPictureMaxSide + 1, 1, kDocErrBadSize},
                   Case{1, kPictureMaxSide + 1, kDocErrBadSize}}) {
        std::vector<u8> header = {0, 1};
        header.resize(6);
        writeBE16(header.data() + 2, c.width);
        writeBE16(header.data() + 4, c.height);
        header.resize(6 + size_t(c.width) * c.height * 4, 9);
        PictureRecord picture;
        EXPECT_EQ(parsePictureRecord(header, false, &picture), c.expected) << c.width << "x" << c.height;
    }
}

TEST(TextRecordFormat, TextBytes) {
    TextRecord text{"Sans", 24, 3, 0x00112233, "Hi"};
    std::vector<u8> bytes;
    ASSERT_EQ(writeTextRecord(text, &bytes), kErrNone);
    std::vector<u8> expected = {0, 1, 'S', 'a', 'n', 's'};
    expected.resize(2 + kFaceNameSize, 0);
    expected.insert(expected.end(), {0, 24, 0, 3, 0, 0x11, 0x22, 0x33, 0, 0, 0, 2, 'H', 'i'});
    EXPECT_EQ(bytes, expected);
    TextRecord back;
    ASSERT_EQ(parseTextRecord(bytes, &back), kErrNone);
    EXPECT_EQ(back, text);
    bytes[2 + kFaceNameSize - 1] = 'x';  // a face name without its terminator
    EXPECT_EQ(parseTextRecord(bytes, &back), kDocErrBadSize);
    bytes[2 + kFaceNameSize - 1] = 0;
    bytes[2 + 5] = 'x';  // something after the terminator: two records would read as one
    EXPECT_EQ(parseTextRecord(bytes, &back), kDocErrBadSize);
}

TEST(TextRecordFormat, FaceNameLimitBothSides) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeTextRecord({std::string(kFaceNameSize - 1, 'a'), 1, 0, 0, ""}, &bytes), kErrNone);
    EXPECT_EQ(writeTextRecord({std::string(kFaceNameSize, 'a'), 1, 0, 0, ""}, &bytes), kDocErrBadSize);
}

TEST(NoteRecordFormat, NoteBytesAndLengthChecks) {
    NoteRecord note{2, 1, "abc"};
    std::vector<u8> bytes;
    ASSERT_EQ(writeNoteRecord(note, &bytes), kErrNone);
    EXPECT_EQ(bytes, (std::vector<u8>{0, 1, 0, 2, 0, 1, 0, 0, 0, 3, 'a', 'b', 'c'}));
    NoteRecord back;
    ASSERT_EQ(parseNoteRecord(bytes, &back), kErrNone);
    EXPECT_EQ(back, note);
    bytes[9] = 4;
    EXPECT_EQ(parseNoteRecord(bytes, &back), kDocErrTruncated);
    bytes[9] = 2;
    EXPECT_EQ(parseNoteRecord(bytes, &back), kDocErrTrailing);
    bytes[6] = 0x01;  // 16 MB announced
    EXPECT_EQ(parseNoteRecord(bytes, &back), kDocErrBadSize);
}

TEST(ExclusionsRecordFormat, KeysBytesAndLimits) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeExclusionsRecord({"74424d50#Cat"}, &bytes), kErrNone);
    std::vector<u8> expected = {0, 1, 0, 1, 0, 12};
    for (char c : std::string("74424d50#Cat")) expected.push_back(u8(c));
    EXPECT_EQ(bytes, expected);
    std::vector<std::string> keys;
    ASSERT_EQ(parseExclusionsRecord(bytes, &keys), kErrNone);
    EXPECT_EQ(keys, std::vector<std::string>{"74424d50#Cat"});
    EXPECT_EQ(writeExclusionsRecord({std::string(kExclusionKeyMax, 'k')}, &bytes), kErrNone);
    EXPECT_EQ(writeExclusionsRecord({std::string(kExclusionKeyMax + 1, 'k')}, &bytes), kDocErrBadSize);
    EXPECT_EQ(writeExclusionsRecord({""}, &bytes), kDocErrBadSize);
    EXPECT_EQ(parseExclusionsRecord(std::vector<u8>{0, 1, 0, 1, 0, 0}, &keys), kDocErrBadSize);
}

}  // namespace
