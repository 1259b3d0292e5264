#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/base/MemoryHandles.h"
#include "media/swf/FileStream.h"
#include "media/swf/MemoryStream.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;
using swftest::Contents;

namespace {

std::unique_ptr<mstream> StreamOverBytes(const Bytes& bytes) {
    u8* block = static_cast<u8*>(memAllocPtr(u32(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), block);
    return mstreamOnBuffer(block, u32(bytes.size()), 16);
}

}  // namespace

TEST(SwfBits, ThreeBitsFiveBitsAndAByteMakeTwoBytes) {
    mstream s(16);
    ASSERT_EQ(s.WriteBits(3, 0b101), kOk);
    ASSERT_EQ(s.WriteBits(5, 0b10011), kOk);
    ASSERT_EQ(s.WriteU8(0x7E), kOk);
    EXPECT_EQ(Contents(s), (Bytes{0b10110011, 0x7E}));
}

TEST(SwfBits, WritingOverAnExistingByteKeepsItsOtherBits) {
    mstream s(16);
    ASSERT_EQ(s.WriteU8(0xFF), kOk);
    s.SetPosition(0);
    ASSERT_EQ(s.WriteBits(3, 0), kOk);
    EXPECT_EQ(Contents(s), Bytes{0x1F});
}

TEST(SwfBits, SignedReadsExtendTheSign) {
    auto s = StreamOverBytes({0b11100000, 0b01000000});
    i32 value = 0;
    ASSERT_EQ(s->ReadSignedBits(3, value), kOk);
    EXPECT_EQ(value, -1);
    u32 unsignedValue = 0;
    ASSERT_EQ(s->ReadBits(7, unsignedValue), kOk);
    EXPECT_EQ(unsignedValue, 1u);
    EXPECT_EQ(s->Position(), 1u);
    EXPECT_EQ(s->BitOffset(), 2u);
}

TEST(SwfBits, AlignRoundsUpAndKeepsBoundaries) {
    mstream s(16);
    s.Align(8);
    EXPECT_EQ(s.Position(), 0u);
    ASSERT_EQ(s.WriteBits(1, 1), kOk);
    s.Align(16);
    EXPECT_EQ(s.Position(), 2u);
    EXPECT_EQ(s.BitOffset(), 0u);
}

TEST(SwfBits, FieldWidths) {
    EXPECT_EQ(SignedBitWidth(0), 2u);
    EXPECT_EQ(SignedBitWidth(1), 2u);
    EXPECT_EQ(SignedBitWidth(-1), 2u);
    EXPECT_EQ(SignedBitWidth(i32(0x80000000)), 32u);
    EXPECT_EQ(SignedBitWidth(0x40000000), 32u);
    EXPECT_EQ(SignedBitWidth(400), 10u);
    EXPECT_EQ(UnsignedBitWidth(0), 1u);
    EXPECT_EQ(UnsignedBitWidth(300), 9u);
    EXPECT_EQ(UnsignedBitWidth(-5), 32u);
}

TEST(SwfMemoryStream, ReadsStopAtTheEndOfTheData) {
    auto s = StreamOverBytes({1, 2, 3});
    u32 value = 0;
    EXPECT_EQ(s->ReadU32(value), kErrMemory);
    EXPECT_EQ(s->LastStatus(), kErrMemory);
    EXPECT_EQ(s->Position(), 0u);
    u8 bytes[3];
    EXPECT_EQ(s->ReadBytes(3, bytes), kOk);
    u32 bits = 0;
    EXPECT_EQ(s->ReadBits(1, bits), kErrMemory);
    EXPECT_EQ(s->Read(0xFFFFFFFF, 2, bytes), kErrMemory);
}

TEST(SwfMemoryStream, DetachHandsOverTheDataAndEmptiesTheStream) {
    mstream s(4);
    ASSERT_EQ(s.WriteU16(0x0201), kOk);
    ASSERT_EQ(s.WriteBits(4, 0xF), kOk);
    u32 size = 0;
    u8* block = s.Detach(size);
    ASSERT_EQ(size, 3u);
    EXPECT_EQ((Bytes{block[0], block[1], block[2]}), (Bytes{1, 2, 0xF0}));
    memFreePtr(block);
    s.Size(size);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(s.Position(), 0u);
}

// A stream emptied to be built in again holds nothing of its earlier data or held byte.
TEST(SwfMemoryStream, EmptiedStreamStartsAgainFromNothing) {
    mstream s(4);
    ASSERT_EQ(s.WriteU32(0x04030201), kOk);
    ASSERT_EQ(s.WriteBits(4, 0xF), kOk);
    s.Empty();
    u32 size = 1;
    s.Size(size);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(s.Position(), 0u);
    EXPECT_EQ(s.LastStatus(), kOk);
    ASSERT_EQ(s.WriteBits(4, 0xA), kOk);
    EXPECT_EQ(Contents(s), (Bytes{0xA0}));
}

TEST(SwfStrings, LongStringsReadWhole) {
    const std::string text(600, 'k');
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    auto s = StreamOverBytes(bytes);
    RcString read;
    ASSERT_EQ(s->ReadString(read), kOk);
    EXPECT_EQ(std::string(read.c_str()), text);
    mstream out(64);
    ASSERT_EQ(out.WriteString(read), kOk);
    EXPECT_EQ(Contents(out), bytes);
}

TEST(SwfStrings, UnterminatedStringFails) {
    auto s = StreamOverBytes({'a', 'b'});
    RcString read;
    EXPECT_EQ(s->ReadString(read), kErrMemory);
}

TEST(SwfColours, FailedColourReadGivesTheColourCode) {
    auto s = StreamOverBytes({1, 2, 3});
    Rgba colour;
    EXPECT_EQ(s->ReadRGB(colour, true), kErrColour);
    s->SetPosition(0);
    ASSERT_EQ(s->ReadRGB(colour, false), kOk);
    EXPECT_EQ(colour, (Rgba{1, 2, 3, 255}));
}

class SwfFileStream : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::string(SWF_TEST_MOVIES) + "/stream_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
    }
    void TearDown() override { if (!HasFailure()) std::filesystem::remove(path_); }
    std::string path_;
};

TEST_F(SwfFileStream, WindowedWritesReadBackAndReachTheFile) {
    Bytes expected;
    {
        fstream out(path_.c_str(), 2);
        ASSERT_EQ(out.LastStatus(), kOk);
        for (u32 i = 0; i < 6000; ++i) {
            ASSERT_EQ(out.WriteBits(8, i & 0xFF), kOk);
            expected.push_back(u8(i));
        }
        u8 first[4];
        ASSERT_EQ(out.Read(0, 4, first), kOk);
        EXPECT_EQ((Bytes{first, first + 4}), (Bytes{0, 1, 2, 3}));
        u8 patched[2] = {0xAA, 0xBB};
        ASSERT_EQ(out.Write(5990, 2, patched), kOk);
        expected[5990] = 0xAA;
        expected[5991] = 0xBB;
    }
    EXPECT_EQ(swftest::ReadFile(path_), expected);
}

TEST_F(SwfFileStream, BitsWrittenOverAByteInTheWindowKeepItsOtherBits) {
    {
        fstream out(path_.c_str(), 2);
        ASSERT_EQ(out.WriteU16(0xFFFF), kOk);
        out.SetPosition(1);
        ASSERT_EQ(out.WriteBits(3, 0), kOk);
        u32 size = 0;
        out.Size(size);
        EXPECT_EQ(size, 2u);
    }
    EXPECT_EQ(swftest::ReadFile(path_), (Bytes{0xFF, 0x1F}));
}

TEST_F(SwfFileStream, TruncateCutsTheFile) {
    {
        fstream out(path_.c_str(), 2);
        const u8 bytes[10] = {};
        ASSERT_EQ(out.WriteBytes(10, bytes), kOk);
        ASSERT_EQ(out.Truncate(4), kOk);
    }
    EXPECT_EQ(std::filesystem::file_size(path_), 4u);
}

TEST_F(SwfFileStream, MissingFileFailsToOpen) {
    fstream in((path_ + ".missing").c_str(), 0);
    EXPECT_EQ(in.LastStatus(), kErrMemory);
    u8 byte = 0;
    EXPECT_EQ(in.ReadU8(byte), kErrMemory);
}

TEST(SwfFileStreamFull, FullDiskIsReportedWhenTheMovieIsSaved) {
    if (!std::filesystem::exists("/dev/full")) GTEST_FAIL() << "no /dev/full";
    document movie;
    ASSERT_EQ(swftest::Load(movie, swftest::Movie({})), kOk);
    EXPECT_EQ(SaveMovieToFile(movie, "/dev/full"), kErrMemory);
}
