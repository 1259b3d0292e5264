#include "sound/import/AiffFile.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"
#include "sound/import/ExtendedRate.h"
#include "sound/import/IffChunks.h"
#include "sound/import/ImportLimits.h"
#include "sound/import/SoundImportErrors.h"

namespace {

constexpr FourCC kForm = fourCC("FORM");
constexpr FourCC kAiff = fourCC("AIFF");
constexpr FourCC kComm = fourCC("COMM");
constexpr FourCC kSsnd = fourCC("SSND");
constexpr FourCC kMark = fourCC("MARK");
constexpr FourCC kInst = fourCC("INST");
constexpr u32 kCommBytes = 18;
constexpr u32 kSsndFieldBytes = 8;
constexpr u32 kInstSustainMode = 8;
constexpr u32 kInstSustainBegin = 10;
constexpr u16 kLoopModeNone = 0;
constexpr u32 kInstMinBytes = 14;

struct AiffHeader {
    std::vector<IffChunk> chunks;
    u16 channels = 0;
    u32 frames = 0;
    u16 bits = 0;
    u32 rate = 0;
};

u16 readHeader(std::span<const u8> image, AiffHeader* header) {
    if (!isAiffImage(image)) return kImportErrNotSoundFile;
    header->chunks = walkIffChunks(image, IffByteOrder::Big);
    const auto comm = findIffChunk(header->chunks, kComm);
    if (!comm || comm->data.size() < kCommBytes) return kImportErrNoComm;
    const u8* c = comm->data.data();
    header->channels = readBE16(c);
    header->frames = readBE32(c + 2);
    header->bits = readBE16(c + 6);
    header->rate = readExtendedRate(c + 8);
    if (header->channels == 0 || header->channels > kImportMaxChannels || (header->bits != 8 && header->bits != 16) ||
        !importRateFits(header->rate))
        return kImportErrBadFields;
    if (!findIffChunk(header->chunks, kSsnd)) return kImportErrNoSsnd;
    return kErrNone;
}

// The markers, each read within the chunk; false when one reaches past it.
bool readMarkers(std::span<const u8> data, std::vector<ImportMarker>* markers) {
    if (data.size() < 2) return false;
    const u16 count = readBE16(data.data());
    size_t at = 2;
    for (u16 i = 0; i < count; ++i) {
        if (at + 7 > data.size()) return false;
        ImportMarker marker;
        marker.id = readBE16(&data[at]);
        marker.position = readBE32(&data[at + 2]);
        const u8 length = data[at + 6];
        if (at + 7 + length > data.size()) return false;
        marker.name.assign(reinterpret_cast<const char*>(&data[at + 7]), length);
        at += 7 + length + ((length & 1) ? 0 : 1);  // the count byte and the name fill an even length
        markers->push_back(std::move(marker));
    }
    return true;
}

void appendTag(std::vector<u8>& out, FourCC tag) {
    u8 b[4];
    writeBE32(b, tag);
    out.insert(out.end(), b, b + 4);
}
void append16(std::vector<u8>& out, u16 v) {
    out.push_back(u8(v >> 8));
    out.push_back(u8(v));
}
void append32(std::vector<u8>& out, u32 v) {
    append16(out, u16(v >> 16));
    append16(out, u16(v));
}

}  // namespace

bool isAiffImage(std::span<const u8> image) {
    return image.size() >= 12 && readBE32(image.data()) == kForm && readBE32(image.data() + 8) == kAiff;
}

u16 readAiffShape(std::span<const u8> image, ImportedShape* shape) {
    AiffHeader header;
    if (const u16 err = readHeader(image, &header)) return err;
    shape->rate = header.rate;
    shape->channels = header.channels;
    shape->frames = header.frames;
    if (const auto mark = findIffChunk(header.chunks, kMark)) {
        std::vector<ImportMarker> markers;
        if (readMarkers(mark->data, &markers)) {
            shape->markerCount = u32(markers.size());
            for (const ImportMarker& m : markers) shape->markerNameBytes += u32(m.name.size());
        }
    }
    return kErrNone;
}

u16 readAiff(std::span<const u8> image, ImportedSound* sound) {
    AiffHeader header;
    if (const u16 err = readHeader(image, &header)) return err;
    const IffChunk ssnd = *findIffChunk(header.chunks, kSsnd);
    if (ssnd.data.size() < kSsndFieldBytes) return kImportErrShortData;
    const u32 offset = readBE32(ssnd.data.data());
    const u64 bytesPerFrame = u64(header.bits / 8) * header.channels;
    const u64 need = u64(header.frames) * bytesPerFrame;
    if (u64(kSsndFieldBytes) + offset + need > ssnd.data.size()) return kImportErrShortData;
    const u8* s = ssnd.data.data() + kSsndFieldBytes + offset;

    sound->rate = header.rate;
    sound->channels = header.channels;
    sound->frames = header.frames;
    const size_t count = size_t(header.frames) * header.channels;
    sound->samples.resize(count);
    for (size_t i = 0; i < count; ++i)
        sound->samples[i] = header.bits == 16 ? i16(readBE16(s + 2 * i)) : expandSample8(i8(s[i]));

    if (const auto mark = findIffChunk(header.chunks, kMark)) {
        if (!readMarkers(mark->data, &sound->markers)) sound->markers.clear();
    }
    // A sustain loop whose play mode says none names markers that are not to loop.
    if (const auto inst = findIffChunk(header.chunks, kInst);
        inst && inst->data.size() >= kInstMinBytes && readBE16(inst->data.data() + kInstSustainMode) != kLoopModeNone) {
        sound->loopBeginId = readBE16(inst->data.data() + kInstSustainBegin);
        sound->loopEndId = readBE16(inst->data.data() + kInstSustainBegin + 2);
    }
    return kErrNone;
}

std::vector<u8> writeAiffHeader(u32 rate, u16 channels, u32 frames, const AiffLoop* loop) {
    const u64 sampleBytes = u64(frames) * channels * 2;
    std::vector<u8> out;
    appendTag(out, kForm);
    append32(out, 0);
    appendTag(out, kAiff);
    appendTag(out, kComm);
    append32(out, kCommBytes);
    append16(out, channels);
    append32(out, frames);
    append16(out, 16);
    const auto extended = writeExtendedRate(rate);
    out.insert(out.end(), extended.begin(), extended.end());
    if (loop) {
        // Two markers named "Beg Loop" and "End Loop", then the sustain loop over them.
        appendTag(out, kMark);
        append32(out, 2 + 2 * (2 + 4 + 1 + 8 + 1));
        append16(out, 2);
        const char* names[2] = {"Beg Loop", "End Loop"};
        const u32 positions[2] = {loop->start, loop->end};
        for (u16 i = 0; i < 2; ++i) {
            append16(out, u16(i + 1));
            append32(out, positions[i]);
            out.push_back(8);
            out.insert(out.end(), names[i], names[i] + 8);
            out.push_back(0);
        }
        appendTag(out, kInst);
        append32(out, 20);
        const u8 notes[8] = {60, 0, 0, 127, 0, 127, 0, 0};
        out.insert(out.end(), notes, notes + 8);
        append16(out, 1);  // sustain loop: forward, marker 1 to marker 2
        append16(out, 1);
        append16(out, 2);
        append16(out, 0);  // release loop: none
        append16(out, 0);
        append16(out, 0);
    }
    appendTag(out, kSsnd);
    append32(out, u32(kSsndFieldBytes + sampleBytes));
    append32(out, 0);
    append32(out, 0);
    writeBE32(out.data() + 4, u32(out.size() - 8 + sampleBytes));
    return out;
}
