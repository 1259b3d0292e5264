#include "sound/import/SoundImport.h"

#include <algorithm>

#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/ImaAdpcm.h"
#include "engine/base/ByteOrder.h"
#include "sound/import/AiffFile.h"
#include "sound/import/ImaEncoder.h"
#include "sound/import/ImportLimits.h"
#include "sound/import/SoundImportErrors.h"
#include "sound/import/WaveFile.h"

namespace {

enum class LoopMode { None, FromFile, Whole };

// Room for the archive header, the chunk headers and the fixed fields beyond the samples.
constexpr u32 kWaveOverhead = kWaveHeaderBytes + 4 * kWaveChunkHeaderBytes + kWaveDataFieldBytes + 16;
constexpr u32 kCueEntryBytes = 6;  // frame, name length, pad
constexpr u16 kLoopForever = 0xFFFF;  // the loop count that plays on until stopped

u16 loopModeFromFlags(u16 flags, LoopMode* mode) {
    if ((flags & kImportLoopWhole) && (flags & kImportNoLoop)) return kImportErrLoopFlags;
    *mode = (flags & kImportLoopWhole) ? LoopMode::Whole : (flags & kImportNoLoop) ? LoopMode::None : LoopMode::FromFile;
    return kErrNone;
}

const ImportMarker* markerWithId(const ImportedSound& sound, u16 id) {
    if (id == 0) return nullptr;
    for (const ImportMarker& m : sound.markers)
        if (m.id == id) return &m;
    return nullptr;
}

std::vector<u8> writeWave(const ImportedSound& sound, LoopMode mode) {
    ArchiveWaveInfo info;
    info.sampleRate = u16(sound.rate);
    info.frames = sound.frames;
    info.bits = 16;
    info.channels = u8(sound.channels);
    info.encoding = kWaveEncodingImaAdpcm;

    const ImportMarker* begin = markerWithId(sound, sound.loopBeginId);
    const ImportMarker* end = markerWithId(sound, sound.loopEndId);
    const bool fileLoop = begin && end && begin != end && begin->position < end->position;
    if (mode == LoopMode::Whole && sound.frames > 0) {
        info.loopCount = kLoopForever;
        info.loopEnd = sound.frames;
    } else if (mode == LoopMode::FromFile && fileLoop) {
        info.loopCount = kLoopForever;
        info.loopStart = std::min(begin->position, sound.frames);
        info.loopEnd = std::min(end->position, sound.frames);
    }

    std::vector<u32> stateFrames = {0};
    for (const ImportMarker& m : sound.markers) {
        const u32 at = std::min(m.position, sound.frames);
        const bool loopMarker = fileLoop && (&m == begin || &m == end);
        if (!loopMarker) info.cues.push_back({at, m.name});
        stateFrames.push_back(at);
    }
    if (info.loopCount) stateFrames.push_back(info.loopStart);
    std::sort(stateFrames.begin(), stateFrames.end());
    stateFrames.erase(std::unique(stateFrames.begin(), stateFrames.end()), stateFrames.end());
    while (!stateFrames.empty() && stateFrames.back() >= sound.frames && stateFrames.size() > 1) stateFrames.pop_back();

    std::vector<AdpcmSeekEntry> states;
    std::vector<u8> codes;
    imaEncode(sound.samples, sound.channels, stateFrames, &states, &codes);
    if (states.empty()) states.push_back({});
    info.extraChunks.push_back({kWaveAdpcmChunk, writeAdpcmSeekTable(states, sound.channels)});
    return writeArchiveWave(info, codes);
}

u16 readSoundFile(std::span<const u8> image, ImportedSound* sound) {
    if (isAiffImage(image)) return readAiff(image, sound);
    if (isWaveImage(image)) return readWave(image, sound);
    return kImportErrNotSoundFile;
}

u16 checkCall(const void* data, size_t size, u16 flags, LoopMode* mode) {
    if (const u16 err = loopModeFromFlags(flags, mode)) return err;
    if (!data) return kImportErrNoImage;
    if (size == 0) return kImportErrEmpty;
    if (!(flags & kImportCompress)) return kImportErrNoRoom;
    return kErrNone;
}

}  // namespace

u16 ConvertSoundFileToArchiveWave(std::span<const u8> image, u16 flags, std::vector<u8>* wave) {
    LoopMode mode = LoopMode::None;
    if (const u16 err = checkCall(image.data(), image.size(), flags, &mode)) return err;
    ImportedSound sound;
    if (const u16 err = readSoundFile(image, &sound)) return err;
    *wave = writeWave(sound, mode);
    return kErrNone;
}

u16 ConvertPcmToArchiveWave(std::span<const u8> samples, u16 bits, u16 channels, u32 rate, u16 flags,
                            std::vector<u8>* wave) {
    LoopMode mode = LoopMode::None;
    if (const u16 err = checkCall(samples.data(), samples.size(), flags, &mode)) return err;
    if ((bits != 8 && bits != 16) || channels == 0 || channels > kImportMaxChannels || !importRateFits(rate))
        return kImportErrBadFields;
    ImportedSound sound;
    sound.rate = rate;
    sound.channels = channels;
    sound.frames = u32(samples.size() / (u32(bits / 8) * channels));
    sound.samples.resize(size_t(sound.frames) * channels);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = bits == 16 ? i16(readLE16(&samples[2 * i])) : expandSample8(i8(int(samples[i]) - 128));
    *wave = writeWave(sound, mode);
    return kErrNone;
}

u16 EstimateConvertedSize(std::span<const u8> image, u16 compress, u32* size) {
    *size = 0;
    if (!compress) return kErrNone;
    ImportedShape shape;
    const u16 err = isAiffImage(image)   ? readAiffShape(image, &shape)
                    : isWaveImage(image) ? readWaveShape(image, &shape)
                                         : kImportErrNotSoundFile;
    if (err) return err;
    const u64 entries = u64(shape.markerCount) + 2;
    const u64 total = kWaveOverhead + u64(imaBytesForFrames(shape.frames, shape.channels)) +
                      4 + entries * (4 + 4 * u64(shape.channels)) +
                      2 + u64(shape.markerCount) * kCueEntryBytes + shape.markerNameBytes;
    if (total > 0xFFFFFFFFull) return kImportErrNoRoom;
    *size = u32(total);
    return kErrNone;
}
