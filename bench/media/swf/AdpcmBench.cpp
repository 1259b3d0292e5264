// Decoding a minute of 22050 Hz mono through a DefineSound's 4-bit ADPCM codec, in frames per
// second, beside the engine's own IMA ADPCM decoder over the same number of frames. Both run
// over pseudo-random codes, which every decoder takes as valid.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "engine/audio/format/ImaAdpcm.h"
#include "engine/base/ByteOrder.h"
#include "media/swf/Movie.h"
#include "media/swf/SoundTags.h"

namespace {

using Bytes = std::vector<u8>;

constexpr u32 kFrames = 22050 * 60;
constexpr u32 kChunk = 4096;

Bytes RandomBytes(size_t size) {
    Bytes out(size);
    u32 state = 2463534242u;
    for (u8& b : out) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        b = u8(state);
    }
    return out;
}

// A movie holding one DefineSound: ADPCM, 22 kHz, 16-bit, mono, 4-bit codes.
Bytes AdpcmMovie() {
    Bytes data = RandomBytes(kFrames / 2 + kFrames / 4096 * 3 + 64);
    data[0] = u8((data[0] & 0x3F) | 0x80);  // code size 4
    Bytes body{1, 0, u8((1 << 4) | (2 << 2) | 2)};
    body.resize(7);
    writeLE32(body.data() + 3, kFrames);
    body.insert(body.end(), data.begin(), data.end());
    Bytes out{'F', 'W', 'S', 6, 0, 0, 0, 0, 0x10, 0x00, 0x00, 12, 1, 0};
    u8 header[6];
    writeLE16(header, u16((swf::kTagDefineSound << 6) | 63));
    writeLE32(header + 2, u32(body.size()));
    out.insert(out.end(), header, header + 6);
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), {0x40, 0x00, 0, 0});
    writeLE32(out.data() + 4, u32(out.size()));
    return out;
}

void BM_SwfAdpcmDecode(benchmark::State& state) {
    const Bytes bytes = AdpcmMovie();
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size())) != swf::kOk) state.SkipWithError("load");
    auto* sound = movie.FindCharacterOf<swf::tagDefineSound>(1);
    std::vector<i16> out(kChunk);
    for (auto _ : state) {
        for (u32 at = 0; at < kFrames; at += kChunk) sound->ReadSamples(at, kChunk, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_SwfAdpcmDecode)->Unit(benchmark::kMillisecond);

void BM_EngineImaDecode(benchmark::State& state) {
    const Bytes data = RandomBytes(kFrames / 2);
    std::vector<i16> out(kChunk);
    for (auto _ : state) {
        ImaChannelState channel{};
        for (u32 at = 0; at < kFrames; at += kChunk)
            imaDecode(data.data() + at / 2, false, std::min(kChunk, kFrames - at), 1, &channel, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_EngineImaDecode)->Unit(benchmark::kMillisecond);

}  // namespace
