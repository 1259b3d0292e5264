// The object media records: exact bytes of each, round trips, and their limits.
#include <gtest/gtest.h>

#include <functional>

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
    bytes[1] = 2;
    EXPECT_EQ(parsePictureRecord(bytes, true, &back), kDocErrVersion);
    bytes[1] = 1;
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
                   Case{1, kPictureMaxSide, kErrNone},
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

// Good bytes with one change, and the check that must answer for them (kErrNone: still read).
struct Edit {
    const char* what;
    std::function<void(std::vector<u8>&)> change;
    EngineErr expected;
};

void put16(std::vector<u8>& b, size_t at, size_t value) { writeBE16(b.data() + at, u16(value)); }
void put32(std::vector<u8>& b, size_t at, size_t value) { writeBE32(b.data() + at, u32(value)); }

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
}

TEST(TextRecordFormat, EachDamageIsRefusedByItsCheck) {
    constexpr size_t kLength = 2 + kFaceNameSize + 8;  // where the text's length word stands
    const Edit edits[] = {
        {"face of 31 bytes", [](auto& b) { std::fill_n(b.begin() + 2, kFaceNameSize - 1, 'a'); }, kErrNone},
        {"face filling all 32 bytes", [](auto& b) { std::fill_n(b.begin() + 2, kFaceNameSize, 'a'); }, kDocErrBadSize},
        {"a byte after the face's NUL", [](auto& b) { b[2 + kFaceNameSize - 1] = 'x'; }, kDocErrBadSize},
        {"version 4", [](auto& b) { b[1] = 4; }, kDocErrVersion},
        {"version 2 centred", [](auto& b) { b[1] = 2; b.insert(b.begin() + kLength, {0, 0}); }, kErrNone},
        {"version 2 justified 2", [](auto& b) { b[1] = 2; b.insert(b.begin() + kLength, {0, 2}); }, kDocErrBadSize},
        {"version 2 flush left", [](auto& b) { b[1] = 2; b.insert(b.begin() + kLength, {0xFF, 0xFF}); }, kDocErrBadSize},
        {"header cut", [](auto& b) { b.resize(kLength - 1); }, kDocErrTruncated},
        {"text length cut", [](auto& b) { b.resize(kLength + 3); }, kDocErrTruncated},
        {"text one byte short", [](auto& b) { b.pop_back(); }, kDocErrTruncated},
        {"one byte after the text", [](auto& b) { b.push_back(0); }, kDocErrTrailing},
        {"text at the limit", [](auto& b) { b.resize(kLength + 4 + kStoredTextMax, 'x'); put32(b, kLength, kStoredTextMax); }, kErrNone},
        {"text past the limit", [](auto& b) { b.resize(kLength + 5 + kStoredTextMax, 'x'); put32(b, kLength, kStoredTextMax + 1); }, kDocErrBadSize},
    };
    std::vector<u8> good;
    ASSERT_EQ(writeTextRecord({"Sans", 24, 3, 0x00112233, "Hi"}, &good), kErrNone);
    for (const Edit& e : edits) {
        std::vector<u8> bytes = good;
        e.change(bytes);
        TextRecord back{"untouched", 0, 0, 0, ""};
        EXPECT_EQ(parseTextRecord(bytes, &back), e.expected) << e.what;
        if (e.expected != kErrNone) {
            EXPECT_EQ(back.face, "untouched") << e.what;
        }
    }
}

TEST(TextRecordFormat, EachDamageToStyleRunsIsRefused) {
    constexpr size_t kCount = 2 + kFaceNameSize + 10, kRun = kCount + 2;  // the run count, the run
    const Edit edits[] = {
        {"no runs", [](auto& b) { put16(b, kCount, 0); b.erase(b.begin() + kRun, b.begin() + kRun + 50); }, kDocErrBadSize},
        {"more runs than bytes", [](auto& b) { put16(b, kCount, 9); }, kDocErrTruncated},
        {"a run past the text", [](auto& b) { put16(b, kRun + 2, 5); }, kDocErrBadSize},
    };
    std::vector<u8> good;
    ASSERT_EQ(writeTextRecord({"Sans", 24, 0, 0, "frog", -1, {{1, 4, "", 28, true, 0x00FF0000, 1, 2, 2}}}, &good), kErrNone);
    for (const Edit& e : edits) {
        std::vector<u8> bytes = good;
        e.change(bytes);
        TextRecord back;
        EXPECT_EQ(parseTextRecord(bytes, &back), e.expected) << e.what;
    }
}

TEST(TextRecordFormat, WriterLimitsBothSides) {
    struct Case {
        TextRecord record;
        EngineErr expected;
    };
    const Case cases[] = {
        {{std::string(kFaceNameSize - 1, 'a'), 1, 0, 0, ""}, kErrNone},
        {{std::string(kFaceNameSize, 'a'), 1, 0, 0, ""}, kDocErrBadSize},
        {{std::string("Sa\0s", 4), 1, 0, 0, ""}, kDocErrBadSize},
        {{"Sans", 1, 0, 0, std::string(kStoredTextMax, 'x')}, kErrNone},
        {{"Sans", 1, 0, 0, std::string(kStoredTextMax + 1, 'x')}, kDocErrBadSize},
        {{"Sans", 1, 0, 0, "x", 1}, kErrNone},
        {{"Sans", 1, 0, 0, "x", 0}, kErrNone},
        {{"Sans", 1, 0, 0, "x", 2}, kDocErrBadSize},
        {{"Sans", 1, 0, 0, "x", -2}, kDocErrBadSize},
        {{"Sans", 1, 0, 0, "frog", -1, {{1, 3, "Serif", 28, true, 0x00FF0000, 1, 2, 0}, {0, 4, "", 0, false, 0, 2, 1, 2}}}, kErrNone},
        {{"Sans", 1, 0, 0, "frog", -1, {{2, 2, "", 28, false, 0, 2, 2, 2}}}, kDocErrBadSize},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes;
        EXPECT_EQ(writeTextRecord(c.record, &bytes), c.expected) << c.record.face.size() << " " << c.record.text.size();
        TextRecord back;
        if (c.expected == kErrNone) {
            EXPECT_EQ(parseTextRecord(bytes, &back), kErrNone);
        }
        if (c.expected == kErrNone) {
            EXPECT_EQ(back, c.record);
        }
    }
}

TEST(NoteRecordFormat, NoteBytesAndEachDamage) {
    NoteRecord note{2, 1, "abc"};
    std::vector<u8> good;
    ASSERT_EQ(writeNoteRecord(note, &good), kErrNone);
    EXPECT_EQ(good, (std::vector<u8>{0, 1, 0, 2, 0, 1, 0, 0, 0, 3, 'a', 'b', 'c'}));
    const Edit edits[] = {
        {"as written", [](auto&) {}, kErrNone},
        {"version 0", [](auto& b) { b[1] = 0; }, kDocErrVersion},
        {"header cut", [](auto& b) { b.resize(5); }, kDocErrTruncated},
        {"length one more than the text", [](auto& b) { b[9] = 4; }, kDocErrTruncated},
        {"length one less than the text", [](auto& b) { b[9] = 2; }, kDocErrTrailing},
        {"16 MB announced", [](auto& b) { b[6] = 1; }, kDocErrBadSize},
        {"text at the limit", [](auto& b) { b.resize(10 + kStoredTextMax, 'x'); put32(b, 6, kStoredTextMax); }, kErrNone},
    };
    for (const Edit& e : edits) {
        std::vector<u8> bytes = good;
        e.change(bytes);
        NoteRecord back{9, 9, "untouched"};
        EXPECT_EQ(parseNoteRecord(bytes, &back), e.expected) << e.what;
        if (e.expected != kErrNone) {
            EXPECT_EQ(back, (NoteRecord{9, 9, "untouched"})) << e.what;
        }
    }
    std::vector<u8> bytes;
    EXPECT_EQ(writeNoteRecord({0, 0, std::string(kStoredTextMax + 1, 'x')}, &bytes), kDocErrBadSize);
    NoteRecord back;
    ASSERT_EQ(parseNoteRecord(good, &back), kErrNone);
    EXPECT_EQ(back, note);
}

TEST(ExclusionsRecordFormat, KeysBytes) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeExclusionsRecord({"74424d50#Cat"}, &bytes), kErrNone);
    std::vector<u8> expected = {0, 1, 0, 1, 0, 12};
    for (char c : std::string("74424d50#Cat")) expected.push_back(u8(c));
    EXPECT_EQ(bytes, expected);
}

// Two keys, the second of the greatest length: every damage is refused by its own check.
TEST(ExclusionsRecordFormat, EachDamageIsRefusedByItsCheck) {
    const std::vector<std::string> keys = {"ab", std::string(kExclusionKeyMax, 'k')};
    std::vector<u8> good;
    ASSERT_EQ(writeExclusionsRecord(keys, &good), kErrNone);
    const Edit edits[] = {
        {"as written", [](auto&) {}, kErrNone},
        {"header cut", [](auto& b) { b.resize(3); }, kDocErrTruncated},
        {"version 2", [](auto& b) { b[1] = 2; }, kDocErrVersion},
        {"count at the limit, keys missing", [](auto& b) { put16(b, 2, kExclusionsMax); }, kDocErrTruncated},
        {"count past the limit", [](auto& b) { put16(b, 2, kExclusionsMax + 1); }, kDocErrTooMany},
        {"fewer keys announced than held", [](auto& b) { put16(b, 2, 1); }, kDocErrTrailing},
        {"one byte after the keys", [](auto& b) { b.push_back('k'); }, kDocErrTrailing},
        {"last key cut", [](auto& b) { b.pop_back(); }, kDocErrTruncated},
        {"empty key", [](auto& b) { b = {0, 1, 0, 1, 0, 0}; }, kDocErrBadSize},
        {"key past the limit", [](auto& b) { put16(b, 8, kExclusionKeyMax + 1); b.push_back('k'); }, kDocErrBadSize},
    };
    for (const Edit& e : edits) {
        std::vector<u8> bytes = good;
        e.change(bytes);
        std::vector<std::string> back{"untouched"};
        EXPECT_EQ(parseExclusionsRecord(bytes, &back), e.expected) << e.what;
        EXPECT_EQ(back, e.expected == kErrNone ? keys : std::vector<std::string>{"untouched"}) << e.what;
    }
}

TEST(ExclusionsRecordFormat, WriterLimitsBothSides) {
    struct Case {
        std::vector<std::string> keys;
        EngineErr expected;
    };
    const Case cases[] = {
        {{}, kErrNone},
        {{std::string(kExclusionKeyMax, 'k')}, kErrNone},
        {{std::string(kExclusionKeyMax + 1, 'k')}, kDocErrBadSize},
        {{"a", ""}, kDocErrBadSize},
        {std::vector<std::string>(kExclusionsMax, "k"), kErrNone},
        {std::vector<std::string>(kExclusionsMax + 1, "k"), kDocErrTooMany},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes;
        EXPECT_EQ(writeExclusionsRecord(c.keys, &bytes), c.expected) << c.keys.size();
        std::vector<std::string> back;
        if (c.expected == kErrNone) {
            EXPECT_EQ(parseExclusionsRecord(bytes, &back), kErrNone) << c.keys.size();
        }
        if (c.expected == kErrNone) {
            EXPECT_EQ(back, c.keys);
        }
    }
}

}  // namespace
