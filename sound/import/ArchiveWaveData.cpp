#include "sound/import/ArchiveWaveData.h"

#include <algorithm>

#include "engine/audio/format/ImaAdpcm.h"
#include "engine/base/ByteOrder.h"
#include "sound/import/AiffFile.h"

namespace {

constexpr u32 kBytesPerFrame16 = 2;

}  // namespace

u16 ParseArchiveWaveData(std::span<const u8> image, ArchiveWaveData* data) {
    ArchiveWaveInfo info;
    if (image.empty() || readArchiveWave(image, &info) != kErrNone) return kArchiveWaveNoData;
    data->samples = image.subspan(info.sampleOffset, info.sampleBytes);
    data->frames = info.frames;
    data->bits = info.bits;
    data->channels = info.channels;
    data->rate = info.sampleRate;
    return kErrNone;
}

u16 AdpcmDecodeStart(std::span<const u8> image, u32 chunkBytes, AdpcmDecodeState* state) {
    *state = AdpcmDecodeState{};
    ArchiveWaveInfo info;
    if (image.empty() || readArchiveWave(image, &info) != kErrNone || info.encoding != kWaveEncodingImaAdpcm ||
        info.channels < 1 || info.channels > 2)
        return kArchiveWaveNoData;
    // Frames the stored codes really hold, whatever the header claims.
    const u64 held = info.channels == 2 ? u64(info.sampleBytes) : u64(info.sampleBytes) * 2;
    info.frames = u32(std::min<u64>(info.frames, held));
    state->image = image;
    state->info = std::move(info);
    state->chunkBytes = std::max<u32>(4, chunkBytes & ~3u);
    state->finished = false;
    return kErrNone;
}

bool AdpcmDecodeNext(AdpcmDecodeState* state, std::vector<u8>* chunk) {
    chunk->clear();
    if (state->finished) return false;
    const ArchiveWaveInfo& info = state->info;
    if (!state->headerDone) {
        const AiffLoop loop{info.loopStart, info.loopEnd};
        *chunk = writeAiffHeader(info.sampleRate, info.channels, info.frames, info.loopCount ? &loop : nullptr);
        state->headerDone = true;
    }
    const u32 frameBytes = kBytesPerFrame16 * info.channels;
    // Whole bytes of codes per chunk: an even number of mono frames.
    const u32 perChunk = std::max<u32>(2, state->chunkBytes / frameBytes & ~1u);
    const u32 frames = std::min(perChunk, info.frames - state->nextFrame);
    std::vector<i16> samples(size_t(frames) * info.channels);
    const u32 firstByte = info.channels == 2 ? state->nextFrame : state->nextFrame / 2;
    imaDecode(state->image.data() + info.sampleOffset + firstByte, false, frames, info.channels, state->channels,
              samples.data());
    const size_t at = chunk->size();
    chunk->resize(at + samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) writeBE16(chunk->data() + at + 2 * i, u16(samples[i]));
    state->nextFrame += frames;
    if (state->nextFrame >= info.frames) state->finished = true;
    return true;
}

u16 ExportArchiveWaveToAiff(std::span<const u8> image, std::vector<u8>* aiff) {
    AdpcmDecodeState state;
    if (const u16 err = AdpcmDecodeStart(image, 1 << 16, &state)) return err;
    aiff->clear();
    std::vector<u8> chunk;
    while (AdpcmDecodeNext(&state, &chunk)) aiff->insert(aiff->end(), chunk.begin(), chunk.end());
    return kErrNone;
}
