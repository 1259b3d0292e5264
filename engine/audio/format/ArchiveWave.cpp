#include "engine/audio/format/ArchiveWave.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/audio/format/AudioErrors.h"

namespace {

void appendBE16(std::vector<u8>& out, u16 value) {
    const size_t at = out.size();
    out.resize(at + 2);
    writeBE16(out.data() + at, value);
}

void appendBE32(std::vector<u8>& out, u32 value) {
    const size_t at = out.size();
    out.resize(at + 4);
    writeBE32(out.data() + at, value);
}

void appendChunk(std::vector<u8>& out, FourCC tag, std::span<const u8> data) {
    appendBE32(out, tag);
    appendBE32(out, u32(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

// Reads entries from `at` to the end of `data`; false unless they end exactly there.
bool parseCueEntries(std::span<const u8> data, size_t at, size_t count, std::vector<WaveCue>* cues) {
    std::vector<WaveCue> result;
    while (at < data.size() && result.size() < count) {
        if (data.size() - at < 5) return false;
        const u32 frame = readBE32(&data[at]);
        const u8 length = data[at + 4];
        const size_t entry = (size_t(length) + 6) & ~size_t(1);
        if (data.size() - at < entry) return false;
        result.push_back({frame, std::string(reinterpret_cast<const char*>(&data[at + 5]), length)});
        at += entry;
    }
    if (at != data.size() || (count != SIZE_MAX && result.size() != count)) return false;
    *cues = std::move(result);
    return true;
}

}  // namespace

bool parseWaveCues(std::span<const u8> data, std::vector<WaveCue>* cues) {
    if (data.size() >= 2 && parseCueEntries(data, 2, readBE16(data.data()), cues)) return true;
    return parseCueEntries(data, 0, SIZE_MAX, cues);
}

EngineErr readArchiveWave(const WaveByteReader& read, u32 resourceSize, ArchiveWaveInfo* info) {
    if (resourceSize < kWaveHeaderBytes) return kAudioErrNotSound;
    u8 header[kWaveHeaderBytes];
    if (EngineErr err = read(0, header, kWaveHeaderBytes)) return err;
    if (readBE32(header) != kArchiveMagic || readBE32(header + 8) != kWaveForm) return kAudioErrNotSound;

    ArchiveWaveInfo result;
    u32 at = kWaveHeaderBytes;
    for (;;) {
        if (resourceSize - at < kWaveChunkHeaderBytes) return kAudioErrNotSound;
        u8 chunk[kWaveChunkHeaderBytes];
        if (EngineErr err = read(at, chunk, kWaveChunkHeaderBytes)) return err;
        const FourCC tag = readBE32(chunk);
        const u32 length = readBE32(chunk + 4);
        at += kWaveChunkHeaderBytes;
        if (length > resourceSize - at) return kAudioErrNotSound;
        if (tag == kWaveDataChunk) {
            if (length < kWaveDataFieldBytes) return kAudioErrNotSound;
            u8 fields[kWaveDataFieldBytes];
            if (EngineErr err = read(at, fields, kWaveDataFieldBytes)) return err;
            result.sampleRate = readBE16(fields);
            result.frames = readBE32(fields + 2);
            result.bits = fields[6];
            result.channels = fields[7];
            result.encoding = readBE16(fields + 8);
            result.loopCount = readBE16(fields + 10);
            if (result.loopCount != 0) {
                result.loopStart = readBE32(fields + 12);
                result.loopEnd = readBE32(fields + 16);
            }
            result.sampleOffset = at + kWaveDataFieldBytes;
            result.sampleBytes = length - kWaveDataFieldBytes;
            *info = std::move(result);
            return kErrNone;
        }
        if (tag != kWaveTextChunk) {
            std::vector<u8> data(length);
            if (length != 0) {
                if (EngineErr err = read(at, data.data(), length)) return err;
            }
            if (tag == kWaveCueChunk) {
                if (!parseWaveCues(data, &result.cues)) return kAudioErrNotSound;
            } else {
                result.extraChunks.push_back({tag, std::move(data)});
            }
        }
        at += length;
    }
}

EngineErr readArchiveWave(std::span<const u8> image, ArchiveWaveInfo* info) {
    const auto read = [image](u32 offset, u8* out, u32 count) -> EngineErr {
        if (offset > image.size() || count > image.size() - offset) return kAudioErrNotSound;
        std::memcpy(out, image.data() + offset, count);
        return kErrNone;
    };
    if (image.size() > 0xFFFFFFFFu) return kAudioErrNotSound;
    return readArchiveWave(read, u32(image.size()), info);
}

std::vector<u8> writeArchiveWave(const ArchiveWaveInfo& info, std::span<const u8> samples) {
    std::vector<u8> out;
    appendBE32(out, kArchiveMagic);
    appendBE32(out, 0);
    appendBE32(out, kWaveForm);
    if (!info.cues.empty()) {
        std::vector<u8> cues;
        appendBE16(cues, u16(info.cues.size()));
        for (const WaveCue& cue : info.cues) {
            const u8 length = u8(std::min<size_t>(cue.name.size(), 255));
            appendBE32(cues, cue.frame);
            cues.push_back(length);
            cues.insert(cues.end(), cue.name.begin(), cue.name.begin() + length);
            if (length % 2 == 0) cues.push_back(0);
        }
        appendChunk(out, kWaveCueChunk, cues);
    }
    for (const WaveChunk& chunk : info.extraChunks) appendChunk(out, chunk.tag, chunk.data);
    appendBE32(out, kWaveDataChunk);
    appendBE32(out, u32(kWaveDataFieldBytes + samples.size()));
    appendBE16(out, info.sampleRate);
    appendBE32(out, info.frames);
    out.push_back(info.bits);
    out.push_back(info.channels);
    appendBE16(out, info.encoding);
    appendBE16(out, info.loopCount);
    appendBE32(out, info.loopCount ? info.loopStart : 0);
    appendBE32(out, info.loopCount ? info.loopEnd : 0);
    out.insert(out.end(), samples.begin(), samples.end());
    writeBE32(out.data() + 4, u32(out.size() - 8));
    return out;
}

u32 waveDurationMs(u32 frames, u32 rate) {
    if (rate == 0) return 0;
    return u32(u64(frames) * 1000 / rate);
}
