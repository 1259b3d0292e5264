#include "sound/import/WaveFile.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "sound/import/IffChunks.h"
#include "sound/import/ImportLimits.h"
#include "sound/import/MsAdpcm.h"
#include "sound/import/SoundImportErrors.h"

namespace {

constexpr FourCC kRiff = fourCC("RIFF");
constexpr FourCC kWave = fourCC("WAVE");
constexpr FourCC kFmt = fourCC("fmt ");
constexpr FourCC kData = fourCC("data");
constexpr FourCC kFact = fourCC("fact");
constexpr u16 kFormatPcm = 1;
constexpr u16 kFormatMsAdpcm = 2;
constexpr u32 kFmtBytes = 16;
constexpr u32 kFmtAdpcmBytes = 20;  // with the extension size and the frames per block

struct WaveHeader {
    u16 format = 0;
    u16 channels = 0;
    u32 rate = 0;
    u16 bits = 0;
    MsAdpcmLayout adpcm;
    IffChunk data;
    u32 frames = 0;
};

u16 readHeader(std::span<const u8> image, WaveHeader* header) {
    if (!isWaveImage(image)) return kImportErrNotSoundFile;
    const std::vector<IffChunk> chunks = walkIffChunks(image, IffByteOrder::Little);
    const auto fmt = findIffChunk(chunks, kFmt);
    if (!fmt || fmt->data.size() < kFmtBytes) return kImportErrNoFmt;
    const u8* f = fmt->data.data();
    header->format = readLE16(f);
    header->channels = readLE16(f + 2);
    header->rate = readLE32(f + 4);
    header->bits = readLE16(f + 14);
    if (header->format != kFormatPcm && header->format != kFormatMsAdpcm) return kImportErrWaveFormat;
    if (header->channels == 0 || header->channels > kImportMaxChannels || !importRateFits(header->rate))
        return kImportErrBadFields;
    if (header->format == kFormatPcm && header->bits != 8 && header->bits != 16) return kImportErrBadFields;
    if (header->format == kFormatMsAdpcm) {
        if (fmt->data.size() < kFmtAdpcmBytes || header->bits != 4) return kImportErrBadFields;
        header->adpcm = {header->channels, readLE16(f + 12), readLE16(f + 18)};
        if (!msAdpcmLayoutValid(header->adpcm)) return kImportErrBadFields;
    }
    const auto data = findIffChunk(chunks, kData);
    if (!data) return kImportErrNoData;
    if (data->truncated) return kImportErrShortData;
    header->data = *data;
    if (header->format == kFormatPcm) {
        header->frames = u32(data->data.size() / (u32(header->bits / 8) * header->channels));
    } else {
        header->frames = msAdpcmFrames(header->adpcm, data->data.size());
        const auto fact = findIffChunk(chunks, kFact);
        if (fact && fact->data.size() >= 4) header->frames = std::min(header->frames, readLE32(fact->data.data()));
    }
    return kErrNone;
}

}  // namespace

bool isWaveImage(std::span<const u8> image) {
    return image.size() >= 12 && readBE32(image.data()) == kRiff && readBE32(image.data() + 8) == kWave;
}

u16 readWaveShape(std::span<const u8> image, ImportedShape* shape) {
    WaveHeader header;
    if (const u16 err = readHeader(image, &header)) return err;
    shape->rate = header.rate;
    shape->channels = header.channels;
    shape->frames = header.frames;
    return kErrNone;
}

u16 readWave(std::span<const u8> image, ImportedSound* sound) {
    WaveHeader header;
    if (const u16 err = readHeader(image, &header)) return err;
    sound->rate = header.rate;
    sound->channels = header.channels;
    sound->frames = header.frames;
    const u8* d = header.data.data.data();
    const size_t count = size_t(header.frames) * header.channels;
    if (header.format == kFormatMsAdpcm) {
        if (!msAdpcmDecode(header.adpcm, header.data.data, header.frames, &sound->samples)) return kImportErrBadFields;
        return kErrNone;
    }
    sound->samples.resize(count);
    for (size_t i = 0; i < count; ++i)
        sound->samples[i] = header.bits == 16 ? i16(readLE16(d + 2 * i)) : expandSample8(i8(int(d[i]) - 128));
    return kErrNone;
}
