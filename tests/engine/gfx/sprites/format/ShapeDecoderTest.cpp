#include "engine/gfx/sprites/format/ShapeDecoder.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "engine/gfx/sprites/format/ShapeErrors.h"

namespace {

using Bytes = std::vector<u8>;

// The output of a stream decoded into `size` bytes, or the refusal's code as one value.
struct Decoded {
    EngineErr error;
    Bytes out;
};

Decoded decode(ShapeMethod method, const Bytes& stream, size_t size) {
    Decoded d{0, Bytes(size, 0xEE)};
    d.error = shapeDecode(method, stream, d.out);
    return d;
}

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes ramp(int from, int to) {
    Bytes b;
    for (int v = from; v <= to; ++v) b.push_back(u8(v));
    return b;
}

struct Vector {
    const char* name;
    Bytes stream;
    Bytes expected;
};

void PrintTo(const Vector& v, std::ostream* os) { *os << v.name; }

// Method A: one vector per command and per coded operation. Each starts with literal units
// where the operation needs earlier bytes.
const Vector kMethodA[] = {
    {"literal", {2, 1, 2, 3, 4}, {1, 2, 3, 4}},
    {"repeat unit (64 + 3 after 0x12 0x34)", {1, 0x12, 0x34, 67}, {0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34}},
    {"repeat pair", {2, 1, 2, 3, 4, 130}, {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4}},
    {"repeat far pair", {3, 1, 2, 3, 4, 5, 6, 161, 3}, cat({ramp(1, 6), {1, 2, 3, 4}})},
    {"op 0 unit back", {2, 1, 2, 3, 4, 193, 0x02}, {1, 2, 3, 4, 1, 2}},
    {"op 1 input byte", {1, 5, 6, 193, 0x10, 9}, {5, 6, 5, 9}},
    {"op 1 byte back", {2, 1, 2, 3, 4, 193, 0x14}, {1, 2, 3, 4, 3, 2}},
    {"op 2", {1, 5, 6, 193, 0x23}, {5, 6, 5, 9}},
    {"op 3", {1, 5, 6, 193, 0x32}, {5, 6, 5, 4}},
    {"op 3 wraps", {1, 5, 1, 193, 0x32}, {5, 1, 5, 0xFF}},
    {"op 4 input byte", {1, 5, 6, 193, 0x40, 7}, {5, 6, 7, 6}},
    {"op 4 byte back", {2, 1, 2, 3, 4, 193, 0x43}, {1, 2, 3, 4, 2, 4}},
    {"op 5 two input bytes", {193, 0x50, 7, 8}, {7, 8}},
    {"op 5 first byte back", {1, 5, 6, 193, 0x52, 9}, {5, 6, 5, 9}},
    {"op 5 second byte back", {1, 5, 6, 193, 0x59, 7}, {5, 6, 7, 7}},
    {"op 6", {1, 5, 6, 193, 0x62, 7}, {5, 6, 7, 8}},
    {"op 7", {1, 5, 6, 193, 0x72, 7}, {5, 6, 7, 4}},
    {"op 8", {1, 5, 6, 193, 0x83}, {5, 6, 8, 6}},
    {"op 8 wraps", {1, 0xFF, 6, 193, 0x83}, {0xFF, 6, 2, 6}},
    {"op 9", {1, 5, 6, 193, 0x93, 7}, {5, 6, 8, 7}},
    {"op 10 nibbles", {1, 5, 6, 193, 0xA0, 0x21}, {5, 6, 7, 7}},
    {"op 10 3 bytes + b", {3, 1, 2, 3, 4, 5, 6, 193, 0xA4, 6, 9}, cat({ramp(1, 6), {1, 2, 3, 9}})},
    {"op 10 4 bytes", {3, 1, 2, 3, 4, 5, 6, 193, 0xA8, 6}, cat({ramp(1, 6), ramp(1, 4)})},
    {"op 10 5 bytes + b", {3, 1, 2, 3, 4, 5, 6, 193, 0xAC, 6, 9}, cat({ramp(1, 6), ramp(1, 5), {9}})},
    {"op 11 nibbles", {1, 5, 6, 193, 0xB0, 0x21}, {5, 6, 7, 5}},
    {"op 11 6 bytes", cat({{4}, ramp(1, 8), {193, 0xB4, 8}}), cat({ramp(1, 8), ramp(1, 6)})},
    {"op 11 7 bytes + b", cat({{4}, ramp(1, 8), {193, 0xB8, 8, 99}}), cat({ramp(1, 8), ramp(1, 7), {99}})},
    {"op 11 8 bytes", cat({{4}, ramp(1, 8), {193, 0xBC, 8}}), cat({ramp(1, 8), ramp(1, 8)})},
    {"op 12", {1, 5, 6, 193, 0xC2}, {5, 6, 3, 6}},
    {"op 13", {1, 5, 6, 193, 0xD2, 7}, {5, 6, 3, 7}},
    {"op 14 nibbles", {1, 5, 6, 193, 0xE0, 0x21}, {5, 6, 3, 7}},
    {"op 14 9 bytes + b", cat({{5}, ramp(1, 10), {193, 0xE4, 10, 99}}), cat({ramp(1, 10), ramp(1, 9), {99}})},
    {"op 14 10 bytes", cat({{5}, ramp(1, 10), {193, 0xE8, 10}}), cat({ramp(1, 10), ramp(1, 10)})},
    {"op 14 11 bytes + b", cat({{6}, ramp(1, 12), {193, 0xEC, 12, 99}}), cat({ramp(1, 12), ramp(1, 11), {99}})},
    {"op 15 nibbles", {1, 5, 6, 193, 0xF0, 0x21}, {5, 6, 3, 5}},
    {"op 15 12 bytes", cat({{6}, ramp(1, 12), {193, 0xF4, 12}}), cat({ramp(1, 12), ramp(1, 12)})},
    {"op 15 13 bytes + b", cat({{7}, ramp(1, 14), {193, 0xF8, 14, 99}}), cat({ramp(1, 14), ramp(1, 13), {99}})},
    {"op 15 long, odd count completed", {2, 1, 2, 3, 4, 193, 0xFC, 2 << 2, 4, 99}, {1, 2, 3, 4, 1, 2, 3, 4, 1, 99}},
    {"op 15 long, even count", {2, 1, 2, 3, 4, 193, 0xFC, 3 << 2, 4}, {1, 2, 3, 4, 1, 2, 3, 4, 1, 2}},
    {"two entries under one control byte", {1, 5, 6, 194, 0x21, 0x21}, {5, 6, 5, 7, 5, 8}},
    {"control byte 0 ends when the output is full", {1, 5, 6, 0, 1, 7, 7}, {5, 6}},
};

// Method B: the table layer; T0 holds 0..15 and T1 holds 0x10, 0x20, ... 0xF0, 0.
Bytes tableLoad(u8 mode) {
    Bytes b{1, mode};
    for (int i = 0; i < 16; ++i) b.push_back(u8(i));
    for (int i = 1; i <= 16; ++i) b.push_back(u8(i << 4));
    return b;
}

const Vector kMethodB[] = {
    {"table load makes no output", cat({tableLoad(0), {2, 1, 2, 3, 4}}), {1, 2, 3, 4}},
    {"op 2 value mode (0x2A after 5, 6)", cat({tableLoad(0), {193, 0x50, 5, 6, 193, 0x2A}}), {5, 6, 5, 10}},
    {"op 2 delta mode", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x2A}}), {5, 6, 5, 16}},
    {"op 3 value", cat({tableLoad(0), {193, 0x50, 5, 6, 193, 0x31}}), {5, 6, 5, 0x20}},
    {"op 3 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x31}}), {5, 6, 5, 0x26}},
    {"op 6 value", cat({tableLoad(0), {193, 0x50, 5, 6, 193, 0x63, 9}}), {5, 6, 9, 3}},
    {"op 6 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x63, 9}}), {5, 6, 9, 9}},
    {"op 7 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x70, 9}}), {5, 6, 9, 0x16}},
    {"op 8 value", cat({tableLoad(0), {193, 0x50, 5, 6, 193, 0x84}}), {5, 6, 4, 6}},
    {"op 8 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x84}}), {5, 6, 9, 6}},
    {"op 9 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0x94, 7}}), {5, 6, 9, 7}},
    {"op 12 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0xC0}}), {5, 6, 0x15, 6}},
    {"op 13 value", cat({tableLoad(0), {193, 0x50, 5, 6, 193, 0xD1, 7}}), {5, 6, 0x20, 7}},
    {"op 10 pair 0 value", cat({tableLoad(0), {193, 0xA0, 0x12}}), {1, 2}},
    {"op 11 pair 1 value", cat({tableLoad(0), {193, 0xB0, 0x12}}), {1, 0x30}},
    {"op 14 pair 2 value", cat({tableLoad(0), {193, 0xE0, 0x12}}), {0x20, 2}},
    {"op 15 pair 3 value", cat({tableLoad(0), {193, 0xF0, 0x12}}), {0x20, 0x30}},
    {"op 15 pair 3 delta", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0xF0, 0x12}}), {5, 6, 0x25, 0x36}},
    {"0xF5 delta adds twice", cat({tableLoad(1), {193, 0x50, 5, 6, 193, 0xF5, 0x11, 0x22}}),
     {5, 6, 6, 0x26, 8, 0x56}},
    {"0xFE two units of pairs 3 and 2", cat({tableLoad(0), {193, 0xFE, 0x11, 0x11}}), {0x20, 0x20, 0x20, 1}},
    {"0xED two units of pair 0", cat({tableLoad(0), {193, 0xED, 0x12, 0x34}}), {1, 2, 3, 4}},
    {"0xEC long back-reference", {2, 1, 2, 3, 4, 193, 0xEC, 2 << 2, 4, 99}, {1, 2, 3, 4, 1, 2, 3, 4, 1, 99}},
    {"0xEF long back-reference", {2, 1, 2, 3, 4, 193, 0xEF, 3 << 2, 4}, {1, 2, 3, 4, 1, 2, 3, 4, 1, 2}},
    {"op 14 selector 4 as in A", cat({{5}, ramp(1, 10), {193, 0xE4, 10, 99}}), cat({ramp(1, 10), ramp(1, 9), {99}})},
    {"op 10 selector 8 as in A", {3, 1, 2, 3, 4, 5, 6, 193, 0xA8, 6}, cat({ramp(1, 6), ramp(1, 4)})},
    {"ops 0, 1, 4, 5 as in A", {2, 1, 2, 3, 4, 196, 0x02, 0x10, 9, 0x40, 8, 0x50, 7, 7}, {1, 2, 3, 4, 1, 2, 1, 9, 8, 9, 7, 7}},
    {"the table is zero before it is loaded", {193, 0x50, 5, 6, 193, 0x2A}, {5, 6, 5, 0}},
    {"repeats as in A", {2, 1, 2, 3, 4, 65, 129}, {1, 2, 3, 4, 3, 4, 3, 4, 3, 4}},
};

class MethodAVectors : public ::testing::TestWithParam<Vector> {};
class MethodBVectors : public ::testing::TestWithParam<Vector> {};

TEST_P(MethodAVectors, DecodesToTheExpectedBytes) {
    const Vector& v = GetParam();
    Decoded d = decode(ShapeMethod::A, v.stream, v.expected.size());
    ASSERT_EQ(d.error, kErrNone);
    EXPECT_EQ(d.out, v.expected);
}
TEST_P(MethodBVectors, DecodesToTheExpectedBytes) {
    const Vector& v = GetParam();
    Decoded d = decode(ShapeMethod::B, v.stream, v.expected.size());
    ASSERT_EQ(d.error, kErrNone);
    EXPECT_EQ(d.out, v.expected);
}
INSTANTIATE_TEST_SUITE_P(ShapeDecoder, MethodAVectors, ::testing::ValuesIn(kMethodA));
INSTANTIATE_TEST_SUITE_P(ShapeDecoder, MethodBVectors, ::testing::ValuesIn(kMethodB));

TEST(ShapeDecoder, BackReferenceUsesTheHighDistanceBits) {
    // 378 distinct-enough bytes, then op 10 selector 8 with high bits 1 and o = 4: 260 back.
    Bytes history;
    for (int i = 0; i < 378; ++i) history.push_back(u8(i * 7 + i / 251));
    Bytes stream;
    for (int chunk = 0; chunk < 3; ++chunk) {
        stream.push_back(63);
        stream.insert(stream.end(), history.begin() + chunk * 126, history.begin() + (chunk + 1) * 126);
    }
    stream.insert(stream.end(), {193, 0xA9, 4});
    Decoded d = decode(ShapeMethod::A, stream, 382);
    ASSERT_EQ(d.error, kErrNone);
    EXPECT_EQ(Bytes(d.out.begin() + 378, d.out.end()), Bytes(history.begin() + 118, history.begin() + 122));
}

struct Refusal {
    const char* name;
    ShapeMethod method;
    Bytes stream;
    size_t size;
    EngineErr expected;
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

constexpr EngineErr kOk = kErrNone;
constexpr EngineErr kBad = kShapeErrDamagedStream;
constexpr ShapeMethod A = ShapeMethod::A;
constexpr ShapeMethod B = ShapeMethod::B;

// Each limit with the case just inside it and the case just past it.
const Refusal kRefusals[] = {
    {"input ends before the output is full", A, {2, 1, 2, 3, 4}, 6, kBad},
    {"input ends exactly when the output is full", A, {2, 1, 2, 3, 4}, 4, kOk},
    {"end byte before the output is full", A, {1, 1, 2, 0}, 4, kBad},
    {"literal longer than the input", A, {3, 1, 2, 3, 4}, 6, kBad},
    {"repeat with no unit before it", A, {65}, 2, kBad},
    {"repeat pair after one unit", A, {1, 1, 2, 129}, 6, kBad},
    {"repeat pair after two units", A, {2, 1, 2, 3, 4, 129}, 8, kOk},
    {"far pair one unit back reads unwritten bytes", A, {2, 1, 2, 3, 4, 161, 1}, 8, kBad},
    {"far pair two units back", A, {2, 1, 2, 3, 4, 161, 2}, 8, kOk},
    {"far pair reaching before the data", A, {2, 1, 2, 3, 4, 161, 3}, 8, kBad},
    {"unit 0 back is the unit being written", A, {1, 1, 2, 193, 0x00}, 4, kBad},
    {"unit back at the start of the data", A, {1, 1, 2, 193, 0x01}, 4, kOk},
    {"unit back before the data", A, {1, 1, 2, 193, 0x02}, 4, kBad},
    {"byte 0 back from u1", A, {1, 1, 2, 193, 0x58, 7}, 4, kBad},
    {"byte back at the start of the data", A, {1, 1, 2, 193, 0x52, 7}, 4, kOk},
    {"byte back before the data", A, {1, 1, 2, 193, 0x53, 7}, 4, kBad},
    {"previous unit at the start", A, {193, 0x21}, 2, kBad},
    {"back-reference of distance 0", A, {2, 1, 2, 3, 4, 193, 0xA8, 0}, 8, kBad},
    {"4-byte copy from 3 back reads unwritten bytes", A, {2, 1, 2, 3, 4, 193, 0xA8, 3}, 8, kBad},
    {"4-byte copy from 4 back", A, {2, 1, 2, 3, 4, 193, 0xA8, 4}, 8, kOk},
    {"3-byte copy from 1 back", A, {2, 1, 2, 3, 4, 193, 0xA4, 1, 9}, 8, kBad},
    {"3-byte copy from 2 back", A, {2, 1, 2, 3, 4, 193, 0xA4, 2, 9}, 8, kOk},
    {"copy reaching before the data", A, {2, 1, 2, 3, 4, 193, 0xA8, 5}, 8, kBad},
    {"back-reference missing its completing byte", A, {2, 1, 2, 3, 4, 193, 0xA4, 4}, 8, kBad},
    {"coded entry missing", A, {1, 1, 2, 194, 0x21}, 6, kBad},
    {"table shorter than 32 bytes", B, {1, 0, 1, 2, 3}, 2, kBad},
    {"delta pair at the start", B, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 193, 0xF0, 0}, 2, kBad},
    {"value pair at the start", B, {193, 0xF0, 0}, 2, kOk},
    {"a unit past the end is cut", A, {1, 5, 6}, 1, kOk},
    {"a repeat past the end is cut", A, {1, 5, 6, 127}, 3, kOk},
    {"empty output needs no input", A, {}, 0, kOk},
};

class ShapeDecoderLimits : public ::testing::TestWithParam<Refusal> {};

TEST_P(ShapeDecoderLimits, RefusesOnlyPastTheLimit) {
    const Refusal& r = GetParam();
    EXPECT_EQ(decode(r.method, r.stream, r.size).error, r.expected);
}
INSTANTIATE_TEST_SUITE_P(ShapeDecoder, ShapeDecoderLimits, ::testing::ValuesIn(kRefusals));

TEST(ShapeDecoder, NeverWritesPastTheOutput) {
    // A repeat of 63 units into 3 bytes; the guard bytes after the output stay as they were.
    Bytes buffer(3 + 64, 0xEE);
    const Bytes stream{1, 5, 6, 127};
    ASSERT_EQ(shapeDecode(ShapeMethod::A, stream, std::span<u8>(buffer.data(), 3)), kErrNone);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{5, 6, 5}));
    EXPECT_EQ(Bytes(buffer.begin() + 3, buffer.end()), Bytes(64, 0xEE));
}

TEST(ShapeDecoder, ReadsNothingPastTheStreamInItsLongestCommand) {
    // 63 long back-references with odd counts take four bytes each: the longest command's
    // input. The stream given ends three quarters of the way in; valid entries follow it in
    // memory, so a decoder that reads past its input would finish the output from them.
    Bytes whole{2, 1, 2, 3, 4, 255};
    for (int i = 0; i < 63; ++i) whole.insert(whole.end(), {0xFC, 0x00, 0x02, 0x99});
    const size_t given = 6 + 189;
    const size_t size = 4 + 63 * 4;
    Bytes out(size);
    EXPECT_EQ(shapeDecode(ShapeMethod::A, std::span<const u8>(whole.data(), given), out), kShapeErrDamagedStream);
    EXPECT_EQ(shapeDecode(ShapeMethod::A, whole, out), kErrNone);
}

TEST(ShapeDecoder, LongOutputsCrossFromDirectWritingToTheTail) {
    // 1 unit then repeats: far more than one command's worth, ending at an odd size.
    Bytes stream{1, 7, 9};
    for (int i = 0; i < 200; ++i) stream.push_back(127);
    const size_t size = 2 * kShapeMaxCommandOutput + 3;
    Decoded d = decode(ShapeMethod::A, stream, size);
    ASSERT_EQ(d.error, kErrNone);
    for (size_t i = 0; i < size; ++i) ASSERT_EQ(d.out[i], i % 2 ? 9 : 7) << i;
}

TEST(ShapeDecoder, TailKeepsTheHistoryBackReferencesNeed) {
    // A copy from 1000 bytes back made in the last command, after most bytes went straight out.
    Bytes data(kShapeMaxCommandOutput + 2000);
    std::iota(data.begin(), data.end(), u8(0));
    Bytes stream;
    for (size_t at = 0; at < data.size(); at += 126) {
        size_t n = std::min<size_t>(126, data.size() - at);
        stream.push_back(u8(n / 2));
        stream.insert(stream.end(), data.begin() + at, data.begin() + at + n);
    }
    // 1000 back = 0x3E8: high bits 3, low 0xE8.
    stream.insert(stream.end(), {193, 0xFC, u8((8 - 3) << 2 | 3), 0xE8});
    Decoded d = decode(ShapeMethod::A, stream, data.size() + 8);
    ASSERT_EQ(d.error, kErrNone);
    EXPECT_EQ(Bytes(d.out.end() - 8, d.out.end()), Bytes(data.end() - 1000, data.end() - 992));
}

}  // namespace
