#include "media/swf/ImaCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace swf {

namespace {

constexpr i16 kSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr i8 kIndex2[] = {-1, 2};
constexpr i8 kIndex3[] = {-1, -1, 2, 4};
constexpr i8 kIndex4[] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr i8 kIndex5[] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};
constexpr const i8* kIndexTables[] = {kIndex2, kIndex3, kIndex4, kIndex5};

// The difference each magnitude makes at each step index, per code size: the magnitude's bits
// from the top each add the step, halved after every bit, and half the last step is added.
using DifferenceTable = std::array<std::array<std::array<i32, 16>, 89>, 4>;

constexpr DifferenceTable BuildDifferences() {
    DifferenceTable table{};
    for (u32 size = 0; size < 4; ++size) {
        const u32 bits = size + 2;
        for (u32 index = 0; index < 89; ++index)
            for (u32 magnitude = 0; magnitude < (1u << (bits - 1)); ++magnitude) {
                i32 step = kSteps[index], difference = 0;
                for (u32 bit = 1u << (bits - 2); bit; bit >>= 1) {
                    if (magnitude & bit) difference += step;
                    step >>= 1;
                }
                table[size][index][magnitude] = difference + step;
            }
    }
    return table;
}

constexpr DifferenceTable kDifferences = BuildDifferences();

}  // namespace

imacodec::imacodec(i_wavebyte& source, u32 channels) : source_(source), channels_(std::clamp<u32>(channels, 1, 2)) {}

void imacodec::Reset() {
    bytePosition_ = 0;
    codeBits_ = 0;
    decoded_ = 0;
    bitBuffer_ = 0;
    bitCount_ = 0;
    exhausted_ = false;
    inputLength_ = inputAt_ = 0;
    std::fill(std::begin(predicted_), std::end(predicted_), 0);
    std::fill(std::begin(stepIndex_), std::end(stepIndex_), 0);
}

bool imacodec::Fill() {
    u32 copied = 0;
    if (source_->ReadBytes(bytePosition_, sizeof input_, input_, copied) != kOk) copied = 0;
    bytePosition_ += copied;
    inputLength_ = copied;
    inputAt_ = 0;
    return copied > 0;
}

bool imacodec::ReadBits(u32 count, u32& value) {
    if (bitCount_ < count) {
        // Whole bytes while they fit the buffer, so that most codes need no refill.
        while (bitCount_ <= 56) {
            if (inputAt_ == inputLength_ && !Fill()) break;
            bitBuffer_ = (bitBuffer_ << 8) | input_[inputAt_++];
            bitCount_ += 8;
        }
        if (bitCount_ < count) return false;
    }
    bitCount_ -= count;
    value = u32(bitBuffer_ >> bitCount_) & ((1u << count) - 1);
    return true;
}

Result imacodec::Decode(void* samples, u32 count) {
    i16* out = static_cast<i16*>(samples);
    u32 frame = 0;
    if (!exhausted_ && codeBits_ == 0) {
        u32 size = 0;
        if (ReadBits(2, size)) {
            codeBits_ = size + 2;
            signMask_ = 1u << (codeBits_ - 1);
            magnitudeMask_ = signMask_ - 1;
            indexTable_ = kIndexTables[size];
        } else {
            exhausted_ = true;
        }
    }
    for (; frame < count && !exhausted_; ++frame) {
        const bool packetStart = decoded_ % kPacketFrames == 0;
        for (u32 c = 0; c < channels_; ++c) {
            if (packetStart) {
                u32 first = 0, index = 0;
                if (!ReadBits(16, first) || !ReadBits(6, index)) {
                    exhausted_ = true;
                    break;
                }
                predicted_[c] = i16(first);
                stepIndex_[c] = i32(std::min<u32>(index, 88));
            } else {
                u32 code = 0;
                if (!ReadBits(codeBits_, code)) {
                    exhausted_ = true;
                    break;
                }
                i32 difference = kDifferences[codeBits_ - 2][stepIndex_[c]][code & magnitudeMask_];
                if (code & signMask_) difference = -difference;
                predicted_[c] = std::clamp(predicted_[c] + difference, -32768, 32767);
                stepIndex_[c] = std::clamp(stepIndex_[c] + indexTable_[code & magnitudeMask_], 0, 88);
            }
            if (out) out[frame * channels_ + c] = i16(predicted_[c]);
        }
        if (exhausted_) break;
        ++decoded_;
    }
    if (out && frame < count) std::memset(out + frame * channels_, 0, size_t(count - frame) * channels_ * 2);
    return kOk;
}

Result imacodec::Seek(u32 position) {
    if (position < decoded_) Reset();
    while (decoded_ < position && !exhausted_) {
        const u32 before = decoded_;
        Decode(nullptr, std::min<u32>(position - decoded_, kPacketFrames));
        if (decoded_ == before) break;
    }
    return kOk;
}

}  // namespace swf
