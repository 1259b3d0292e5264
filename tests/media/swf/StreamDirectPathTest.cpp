// The direct paths of streams on memory (reads and writes straight into the block, bit fields
// cut from 64-bit loads, BitReader) against the byte-wise path every other stream takes:
// random operations on equal data give equal values, positions, statuses and bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "media/swf/BitReader.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/ShapeBlock.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;
using swftest::Contents;

namespace {

// A stream over a vector with no direct block, so every operation goes byte by byte through
// Read and Write; those keep the memory stream's rules (reads stop at the data's end, writes
// past it grow it with zeros).
class ByteStream : public stream {
public:
    explicit ByteStream(Bytes bytes = {}) : bytes_(std::move(bytes)) {}
    Result Size(u32& size) override {
        size = u32(bytes_.size());
        return kOk;
    }
    Result Read(u32 position, u32 length, u8* bytes) override {
        if (position > bytes_.size() || length > bytes_.size() - position) return kErrMemory;
        std::copy_n(bytes_.begin() + position, length, bytes);
        return kOk;
    }
    Result Write(u32 position, u32 length, const u8* bytes) override {
        if (position + length > bytes_.size()) bytes_.resize(position + length, 0);
        std::copy_n(bytes, length, bytes_.begin() + position);
        return kOk;
    }
    Result Truncate(u32 size) override {
        if (size < bytes_.size()) bytes_.resize(size);
        return kOk;
    }
    const Bytes& Data() {
        Keep(FlushHeld());
        return bytes_;
    }

private:
    Bytes bytes_;
};

std::unique_ptr<mstream> StreamOver(const Bytes& bytes) {
    u8* block = static_cast<u8*>(memAllocPtr(u32(std::max<size_t>(bytes.size(), 1))));
    std::copy(bytes.begin(), bytes.end(), block);
    return mstreamOnBuffer(block, u32(bytes.size()), 16);
}

Bytes RandomBytes(std::mt19937& random, size_t n) {
    Bytes bytes(n);
    for (u8& b : bytes) b = u8(random());
    return bytes;
}

struct Outcome {
    Result result;
    i64 value;
    u32 position;
    u32 bitOffset;
    Result status;
    bool operator==(const Outcome&) const = default;
};

// One random read-side operation, applied alike to any stream by its seed.
Outcome ReadOperation(stream& s, u32 op, u32 arg, u32 size) {
    Outcome o{kOk, 0, 0, 0, kOk};
    switch (op % 8) {
    case 0: {
        u32 v = 0;
        o.result = s.ReadBits(arg % 33, v);
        o.value = v;
        break;
    }
    case 1: {
        i32 v = 0;
        o.result = s.ReadSignedBits(arg % 33, v);
        o.value = v;
        break;
    }
    case 2: {
        u8 v = 0;
        o.result = s.ReadU8(v);
        o.value = v;
        break;
    }
    case 3: {
        u16 v = 0;
        o.result = s.ReadU16(v);
        o.value = v;
        break;
    }
    case 4: {
        u32 v = 0;
        o.result = s.ReadU32(v);
        o.value = v;
        break;
    }
    case 5: {
        u8 v[7] = {};
        o.result = s.ReadBytes(arg % 8, v);
        for (u8 b : v) o.value = o.value * 31 + b;
        break;
    }
    case 6:
        s.Align(arg % 2 ? 8 : 16);
        break;
    default:
        // Now and then far back, mostly close to the end where the paths hand over.
        s.SetPosition(arg % 4 == 0 ? arg % (size + 1) : size - std::min(size, arg % 12));
        break;
    }
    o.position = s.Position();
    o.bitOffset = s.BitOffset();
    o.status = s.LastStatus();
    return o;
}

TEST(SwfStreamDirectPath, RandomReadsMatchTheByteWisePath) {
    std::mt19937 random(15);
    for (int trial = 0; trial < 300; ++trial) {
        const Bytes data = RandomBytes(random, 1 + random() % 64);
        auto direct = StreamOver(data);
        ByteStream bytewise(data);
        for (int step = 0; step < 200; ++step) {
            const u32 op = u32(random()), arg = u32(random());
            const Outcome fast = ReadOperation(*direct, op, arg, u32(data.size()));
            const Outcome slow = ReadOperation(bytewise, op, arg, u32(data.size()));
            ASSERT_EQ(fast, slow) << "trial " << trial << " step " << step << " op " << op % 8 << " arg " << arg;
        }
    }
}

// One random write-side operation; reads in between make the held byte move as it does in use.
Result WriteOperation(stream& s, u32 op, u32 arg) {
    switch (op % 7) {
    case 0: return s.WriteBits(1 + arg % 32, arg * 2654435761u);
    case 1: return s.WriteU8(u8(arg));
    case 2: return s.WriteU16(u16(arg));
    case 3: return s.WriteU32(arg);
    case 4: {
        const u8 bytes[5] = {u8(arg), u8(arg >> 8), 1, 2, 3};
        return s.WriteBytes(arg % 6, bytes);
    }
    case 5: {
        u32 v = 0;
        return s.ReadBits(arg % 20, v);
    }
    default:
        s.SetPosition(arg % 40);
        return kOk;
    }
}

TEST(SwfStreamDirectPath, RandomWritesLeaveTheBytesOfTheByteWisePath) {
    std::mt19937 random(16);
    for (int trial = 0; trial < 300; ++trial) {
        mstream direct(8);
        ByteStream bytewise;
        for (int step = 0; step < 100; ++step) {
            const u32 op = u32(random()), arg = u32(random());
            ASSERT_EQ(WriteOperation(direct, op, arg), WriteOperation(bytewise, op, arg)) << trial << "/" << step;
            ASSERT_EQ(direct.Position(), bytewise.Position()) << trial << "/" << step;
            ASSERT_EQ(direct.BitOffset(), bytewise.BitOffset()) << trial << "/" << step;
        }
        ASSERT_EQ(Contents(direct), bytewise.Data()) << "trial " << trial;
    }
}

TEST(SwfStreamDirectPath, BitReaderFieldsAndPositionMatchTheStream) {
    std::mt19937 random(17);
    for (int trial = 0; trial < 500; ++trial) {
        const Bytes data = RandomBytes(random, 8 + random() % 48);
        auto viaReader = StreamOver(data);
        auto viaStream = StreamOver(data);
        const u32 start = u32(random() % 8);
        for (stream* s : {static_cast<stream*>(viaReader.get()), static_cast<stream*>(viaStream.get())}) {
            s->SetPosition(start / 4);
            u32 skip = 0;
            s->ReadBits(start, skip);
        }
        BitReader reader(*viaReader);
        // Fields of every width the readers take, while the next field's load stays inside.
        while (reader.Has(8)) {
            const u32 width = u32(random() % 33);
            const bool sign = random() % 2;
            i64 fromReader = 0, fromStream = 0;
            if (sign) {
                i32 a = 0, b = 0;
                reader.ReadSignedBits(width, a);
                ASSERT_EQ(viaStream->ReadSignedBits(width, b), kOk);
                fromReader = a;
                fromStream = b;
            } else {
                u32 a = 0, b = 0;
                reader.ReadBits(width, a);
                ASSERT_EQ(viaStream->ReadBits(width, b), kOk);
                fromReader = a;
                fromStream = b;
            }
            ASSERT_EQ(fromReader, fromStream) << "trial " << trial << " width " << width;
        }
        reader.Finish();
        EXPECT_EQ(viaReader->Position(), viaStream->Position()) << trial;
        EXPECT_EQ(viaReader->BitOffset(), viaStream->BitOffset()) << trial;
        // The stream goes on where the reader stopped.
        u32 next = 0, expected = 0;
        EXPECT_EQ(viaReader->ReadBits(13, next), viaStream->ReadBits(13, expected));
        EXPECT_EQ(next, expected);
    }
}

// Random shape records in the parsed form: edges of every encoding and style changes with
// moves and style indices, then the end record.
Bytes RandomRecords(std::mt19937& random, u32 records) {
    Bytes block;
    auto put16 = [&](u16 v) { block.push_back(u8(v)), block.push_back(u8(v >> 8)); };
    auto put32 = [&](i32 v) { put16(u16(u32(v))), put16(u16(u32(v) >> 16)); };
    auto delta = [&](u32 bits) { return i32(random() % (1u << bits)) - i32(1u << (bits - 1)); };
    for (u32 r = 0; r < records; ++r) {
        switch (random() % 4) {
        case 0:
            put16(shape::kCurvedEdge);
            for (int i = 0; i < 4; ++i) put32(delta(1 + random() % 16));
            break;
        case 1:
            put16(shape::kStraightEdge);
            put32(random() % 3 ? delta(1 + random() % 16) : 0);
            put32(random() % 3 ? delta(1 + random() % 16) : 0);
            break;
        case 2:
            put16(shape::kStraightEdge);
            put32(delta(1 + random() % 16));
            put32(delta(1 + random() % 16));
            break;
        default: {
            const u16 flags = u16(1 + random() % 15);  // move and style indices, no new styles
            put16(u16(shape::kStyleChange | (flags << 2)));
            put16(shape::kStyleChangeFixedSize);
            // Fields the flags leave out read back as zero.
            put32(flags & 0x01 ? delta(1 + random() % 30) : 0);
            put32(flags & 0x01 ? delta(1 + random() % 30) : 0);
            put16(flags & 0x02 ? u16(random() % 4) : 0);
            put16(flags & 0x04 ? u16(random() % 4) : 0);
            put16(flags & 0x08 ? u16(random() % 2) : 0);
            put32(0);
            break;
        }
        }
    }
    put16(shape::kEndRecord);
    return block;
}

TEST(SwfStreamDirectPath, ShapeRecordsReadFromMemoryMatchTheByteWisePath) {
    std::mt19937 random(18);
    for (int trial = 0; trial < 300; ++trial) {
        const Bytes records = RandomRecords(random, 1 + random() % 60);
        mstream packed(64);
        const u32 lead = u32(random() % 8);
        ASSERT_EQ(packed.WriteBits(lead, 0), kOk);
        ASSERT_EQ(WriteShapeRecords(packed, records.data(), u32(records.size()), 2, 1, false), kOk);
        Bytes bytes = Contents(packed);
        // Whole, and cut short anywhere (the readers then fail alike).
        if (trial % 2) bytes.resize(random() % (bytes.size() + 1));
        auto direct = StreamOver(bytes);
        ByteStream bytewise(bytes);
        mstream fastBlock(16), slowBlock(16);
        u32 skip = 0;
        direct->ReadBits(lead, skip);
        bytewise.ReadBits(lead, skip);
        const Result fast = ReadShapeRecords(*direct, fastBlock, 2, 1, false);
        const Result slow = ReadShapeRecords(bytewise, slowBlock, 2, 1, false);
        ASSERT_EQ(fast, slow) << "trial " << trial;
        ASSERT_EQ(direct->Position(), bytewise.Position()) << "trial " << trial;
        ASSERT_EQ(direct->BitOffset(), bytewise.BitOffset()) << "trial " << trial;
        ASSERT_EQ(Contents(fastBlock), Contents(slowBlock)) << "trial " << trial;
        if (trial % 2 == 0) {
            ASSERT_EQ(Contents(fastBlock), records) << "trial " << trial;
        }
    }
}

}  // namespace
