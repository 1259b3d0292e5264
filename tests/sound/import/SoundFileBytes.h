#pragma once
// Sound files for the import tests, made by our own small writers: WAVE (PCM 8/16-bit and MS
// ADPCM, with extra chunks) and AIFF (8/16-bit, markers, sustain loop), and test signals.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "sound/import/ExtendedRate.h"

namespace soundfiles {

inline void put(std::vector<u8>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }
inline void le16(std::vector<u8>& out, u32 v) { out.push_back(u8(v)); out.push_back(u8(v >> 8)); }
inline void le32(std::vector<u8>& out, u32 v) { le16(out, v & 0xFFFF); le16(out, v >> 16); }
inline void be16(std::vector<u8>& out, u32 v) { out.push_back(u8(v >> 8)); out.push_back(u8(v)); }
inline void be32(std::vector<u8>& out, u32 v) { be16(out, v >> 16); be16(out, v & 0xFFFF); }

inline std::vector<i16> sine(u32 frames, u16 channels, double hz, u32 rate, double amplitude = 12000) {
    std::vector<i16> out;
    for (u32 f = 0; f < frames; ++f)
        for (u16 c = 0; c < channels; ++c)
            out.push_back(i16(std::lround(amplitude * std::sin(2 * M_PI * hz * (c + 1) * f / rate))));
    return out;
}

struct Chunk {
    std::string tag;
    std::vector<u8> data;
};

inline std::vector<u8> riff(const std::vector<Chunk>& chunks) {
    std::vector<u8> out;
    put(out, "RIFF");
    le32(out, 0);
    put(out, "WAVE");
    for (const Chunk& c : chunks) {
        put(out, c.tag.c_str());
        le32(out, u32(c.data.size()));
        out.insert(out.end(), c.data.begin(), c.data.end());
        if (c.data.size() & 1) out.push_back(0);
    }
    writeLE32(out.data() + 4, u32(out.size() - 8));
    return out;
}

inline std::vector<u8> fmtPcm(u16 channels, u32 rate, u16 bits) {
    std::vector<u8> f;
    le16(f, 1);
    le16(f, channels);
    le32(f, rate);
    le32(f, rate * channels * bits / 8);
    le16(f, channels * bits / 8);
    le16(f, bits);
    return f;
}

inline std::vector<u8> pcmBytes(const std::vector<i16>& samples, u16 bits) {
    std::vector<u8> d;
    for (const i16 s : samples) {
        if (bits == 16) le16(d, u16(s));
        else d.push_back(u8((s >> 8) + 128));
    }
    return d;
}

inline std::vector<u8> makeWave(const std::vector<i16>& samples, u16 channels, u32 rate, u16 bits,
                                std::vector<Chunk> extra = {}) {
    std::vector<Chunk> chunks = {{"fmt ", fmtPcm(channels, rate, bits)}};
    chunks.insert(chunks.end(), extra.begin(), extra.end());
    chunks.push_back({"data", pcmBytes(samples, bits)});
    return riff(chunks);
}

struct Marker {
    u16 id;
    u32 position;
    std::string name;
};

inline std::vector<u8> form(const std::vector<Chunk>& chunks) {
    std::vector<u8> out;
    put(out, "FORM");
    be32(out, 0);
    put(out, "AIFF");
    for (const Chunk& c : chunks) {
        put(out, c.tag.c_str());
        be32(out, u32(c.data.size()));
        out.insert(out.end(), c.data.begin(), c.data.end());
        if (c.data.size() & 1) out.push_back(0);
    }
    writeBE32(out.data() + 4, u32(out.size() - 8));
    return out;
}

inline std::vector<u8> comm(u16 channels, u32 frames, u16 bits, u32 rate) {
    std::vector<u8> c;
    be16(c, channels);
    be32(c, frames);
    be16(c, bits);
    const auto r = writeExtendedRate(rate);
    c.insert(c.end(), r.begin(), r.end());
    return c;
}

inline std::vector<u8> ssnd(const std::vector<i16>& samples, u16 bits) {
    std::vector<u8> s(8, 0);
    for (const i16 v : samples) {
        if (bits == 16) be16(s, u16(v));
        else s.push_back(u8(i8(v >> 8)));
    }
    return s;
}

inline std::vector<u8> mark(const std::vector<Marker>& markers) {
    std::vector<u8> m;
    be16(m, u16(markers.size()));
    for (const Marker& k : markers) {
        be16(m, k.id);
        be32(m, k.position);
        m.push_back(u8(k.name.size()));
        m.insert(m.end(), k.name.begin(), k.name.end());
        if (!(k.name.size() & 1)) m.push_back(0);
    }
    return m;
}

inline std::vector<u8> inst(u16 beginId, u16 endId, u16 playMode = 1) {
    std::vector<u8> i = {60, 0, 0, 127, 0, 127, 0, 0};
    be16(i, playMode);
    be16(i, beginId);
    be16(i, endId);
    be16(i, 0);
    be16(i, 0);
    be16(i, 0);
    return i;
}

inline std::vector<u8> makeAiff(const std::vector<i16>& samples, u16 channels, u32 rate, u16 bits,
                                const std::vector<Marker>& markers = {}, u16 loopBegin = 0, u16 loopEnd = 0) {
    std::vector<Chunk> chunks = {{"COMM", comm(channels, u32(samples.size() / channels), bits, rate)}};
    if (!markers.empty()) chunks.push_back({"MARK", mark(markers)});
    if (loopBegin) chunks.push_back({"INST", inst(loopBegin, loopEnd)});
    chunks.push_back({"SSND", ssnd(samples, bits)});
    return form(chunks);
}

}  // namespace soundfiles

namespace soundfiles {

// MS ADPCM by trying every code per sample with the first coefficient pair (256, 0).
inline std::vector<u8> msAdpcmBlocks(const std::vector<i16>& samples, u16 channels, u16 blockAlign,
                                     u16 framesPerBlock) {
    static const int adapt[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
    std::vector<u8> out;
    const u32 frames = u32(samples.size() / channels);
    for (u32 first = 0; first < frames; first += framesPerBlock) {
        const u32 n = std::min<u32>(framesPerBlock, frames - first);
        std::vector<u8> block(blockAlign, 0);
        int delta[2] = {16, 16}, s1[2], s2[2];
        auto at = [&](u32 f, u16 c) { return f < n ? samples[size_t(first + f) * channels + c] : 0; };
        for (u16 c = 0; c < channels; ++c) {
            block[c] = 0;
            writeLE16(&block[channels + 2 * c], 16);
            s1[c] = at(1, c);
            s2[c] = at(0, c);
            writeLE16(&block[3 * channels + 2 * c], u16(s1[c]));
            writeLE16(&block[5 * channels + 2 * c], u16(s2[c]));
        }
        for (u32 k = 0; k + 2 < n; ++k)
            for (u16 c = 0; c < channels; ++c) {
                const int target = at(k + 2, c);
                int best = 0, bestErr = 1 << 30, bestSample = 0;
                for (int code = 0; code < 16; ++code) {
                    const int sn = code >= 8 ? code - 16 : code;
                    const int v = std::clamp(s1[c] + sn * delta[c], -32768, 32767);
                    if (std::abs(v - target) < bestErr) { bestErr = std::abs(v - target); best = code; bestSample = v; }
                }
                s2[c] = s1[c];
                s1[c] = bestSample;
                delta[c] = std::max(16, adapt[best] * delta[c] / 256);
                const u32 nib = k * channels + c;
                block[7 * channels + nib / 2] |= (nib & 1) ? u8(best) : u8(best << 4);
            }
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

inline std::vector<u8> fmtMsAdpcm(u16 channels, u32 rate, u16 blockAlign, u16 framesPerBlock) {
    std::vector<u8> f;
    le16(f, 2);
    le16(f, channels);
    le32(f, rate);
    le32(f, rate * blockAlign / framesPerBlock);
    le16(f, blockAlign);
    le16(f, 4);
    le16(f, 32);  // extension bytes: frames per block, coefficient count, seven pairs
    le16(f, framesPerBlock);
    le16(f, 7);
    const int coefs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (auto& c : coefs) { le16(f, u16(c[0])); le16(f, u16(c[1])); }
    return f;
}

inline std::vector<u8> makeMsAdpcmWave(const std::vector<i16>& samples, u16 channels, u32 rate, u16 blockAlign = 256) {
    const u16 framesPerBlock = u16((blockAlign - 7 * channels) * 2 / channels + 2);
    std::vector<u8> fact;
    le32(fact, u32(samples.size() / channels));
    return riff({{"fmt ", fmtMsAdpcm(channels, rate, blockAlign, framesPerBlock)},
                 {"fact", fact},
                 {"data", msAdpcmBlocks(samples, channels, blockAlign, framesPerBlock)}});
}

}  // namespace soundfiles
