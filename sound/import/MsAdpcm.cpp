#include "sound/import/MsAdpcm.h"

#include <algorithm>
#include <array>

#include "engine/base/ByteOrder.h"

namespace {

constexpr std::array<std::array<i32, 2>, 7> kCoefficients = {
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};
constexpr std::array<i32, 16> kAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};
constexpr i32 kMinDelta = 16;
// Keeps the next adaptation within 32 bits on hostile data.
constexpr i32 kMaxDelta = 0x7FFFFFFF / 768;

struct Channel {
    i32 c1 = 0, c2 = 0, delta = 0, s1 = 0, s2 = 0;

    i16 step(u8 nibble) {
        const i32 signedNibble = nibble >= 8 ? i32(nibble) - 16 : i32(nibble);
        const i32 predicted = (s1 * c1 + s2 * c2) / 256 + signedNibble * delta;
        const i32 sample = std::clamp(predicted, -32768, 32767);
        s2 = s1;
        s1 = sample;
        delta = std::clamp(kAdaptation[nibble] * delta / 256, kMinDelta, kMaxDelta);
        return i16(sample);
    }
};

u32 framesInBlock(const MsAdpcmLayout& layout, size_t bytes) {
    const u32 header = msAdpcmHeaderBytes(layout.channels);
    if (bytes < header) return 0;
    return std::min<u32>(layout.framesPerBlock, u32(2 + (bytes - header) * 2 / layout.channels));
}

}  // namespace

bool msAdpcmLayoutValid(const MsAdpcmLayout& layout) {
    if (layout.channels < 1 || layout.channels > 2 || layout.framesPerBlock < 2) return false;
    const u32 header = msAdpcmHeaderBytes(layout.channels);
    if (layout.blockAlign <= header) return false;
    const u32 codeFrames = (layout.blockAlign - header) * 2 / layout.channels;
    return layout.framesPerBlock <= codeFrames + 2;
}

u32 msAdpcmFrames(const MsAdpcmLayout& layout, size_t bytes) {
    const u64 whole = bytes / layout.blockAlign;
    const u64 frames = whole * layout.framesPerBlock + framesInBlock(layout, bytes % layout.blockAlign);
    return u32(std::min<u64>(frames, 0xFFFFFFFF));
}

bool msAdpcmDecode(const MsAdpcmLayout& layout, std::span<const u8> data, u32 maxFrames, std::vector<i16>* out) {
    const u16 ch = layout.channels;
    const u32 total = std::min(maxFrames, msAdpcmFrames(layout, data.size()));
    out->assign(size_t(total) * ch, 0);
    u32 frame = 0;
    for (size_t at = 0; frame < total; at += layout.blockAlign) {
        const std::span<const u8> block = data.subspan(at, std::min<size_t>(layout.blockAlign, data.size() - at));
        const u32 frames = std::min(framesInBlock(layout, block.size()), total - frame);
        if (frames == 0) break;
        std::array<Channel, 2> state{};
        for (u16 c = 0; c < ch; ++c) {
            const u8 predictor = block[c];
            if (predictor >= kCoefficients.size()) return false;
            state[c].c1 = kCoefficients[predictor][0];
            state[c].c2 = kCoefficients[predictor][1];
            state[c].delta = i16(readLE16(&block[ch + 2 * c]));
            state[c].s1 = i16(readLE16(&block[3 * ch + 2 * c]));
            state[c].s2 = i16(readLE16(&block[5 * ch + 2 * c]));
        }
        i16* o = out->data() + size_t(frame) * ch;
        // The header's second sample is the block's first.
        for (u16 c = 0; c < ch && frames > 0; ++c) o[c] = i16(state[c].s2);
        for (u16 c = 0; c < ch && frames > 1; ++c) o[ch + c] = i16(state[c].s1);
        const u8* codes = block.data() + msAdpcmHeaderBytes(ch);
        for (u32 n = 0; n < (frames > 2 ? (frames - 2) * ch : 0); ++n) {
            const u8 byte = codes[n / 2];
            const u8 nibble = (n & 1) ? (byte & 15) : (byte >> 4);
            o[2 * ch + n] = state[n % ch].step(nibble);
        }
        frame += frames;
    }
    return true;
}
