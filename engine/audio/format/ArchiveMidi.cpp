#include "engine/audio/format/ArchiveMidi.h"

#include "engine/base/ByteOrder.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AudioErrors.h"

namespace {

constexpr u32 kMidiHeaderAt = 12;
constexpr u32 kMinHeaderLength = 6;

bool parsePatchUses(std::span<const u8> data, std::vector<MidiPatchUse>* uses) {
    if (data.size() < 2) return false;
    const u16 count = readBE16(data.data());
    if ((data.size() - 2) / 4 < count) return false;
    uses->clear();
    for (u16 i = 0; i < count; ++i) {
        const u8* p = data.data() + 2 + 4 * i;
        uses->push_back({u16(readBE16(p) & 0x7F), readBE16(p + 2)});
    }
    return true;
}

void appendBE16(std::vector<u8>& out, u16 value) {
    out.push_back(u8(value >> 8));
    out.push_back(u8(value));
}

void appendBE32(std::vector<u8>& out, u32 value) {
    appendBE16(out, u16(value >> 16));
    appendBE16(out, u16(value));
}

void appendChunk(std::vector<u8>& out, FourCC tag, std::span<const u8> data) {
    appendBE32(out, tag);
    appendBE32(out, u32(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) out.push_back(0);
}

std::vector<u8> patchChunk(const std::vector<MidiPatchUse>& uses) {
    std::vector<u8> data;
    appendBE16(data, u16(uses.size()));
    for (const MidiPatchUse& use : uses) {
        appendBE16(data, use.number);
        appendBE16(data, use.channelMask);
    }
    return data;
}

}  // namespace

EngineErr readArchiveMidi(std::span<const u8> image, ArchiveMidiInfo* info) {
    if (image.size() < kMidiHeaderAt + 8) return kAudioErrNotSound;
    const u8* p = image.data();
    if (readBE32(p) != kArchiveMagic || readBE32(p + 8) != kMidiForm) return kAudioErrNotSound;
    const u64 end = u64(readBE32(p + 4)) + 8;
    if (end > image.size()) return kAudioErrNotSound;
    if (readBE32(p + kMidiHeaderAt) != kMidiHeaderChunk) return kAudioErrNotSound;
    const u32 headerLength = readBE32(p + kMidiHeaderAt + 4);
    const u64 headerEnd = u64(kMidiHeaderAt) + 8 + headerLength;
    if (headerLength < kMinHeaderLength || headerEnd > end) return kAudioErrNotSound;

    ArchiveMidiInfo result;
    result.format = readBE16(p + 20);
    result.trackCount = readBE16(p + 22);
    result.division = readBE16(p + 24);
    result.imageEnd = u32(end);
    if (result.format > 1 || result.trackCount == 0 || result.division == 0 || (result.division & 0x8000))
        return kAudioErrUnsupported;

    u64 at = headerEnd;
    while (at < end) {
        if (end - at < 8) return kAudioErrNotSound;
        const FourCC tag = readBE32(p + at);
        const u32 length = readBE32(p + at + 4);
        const u64 dataAt = at + 8;
        const u64 next = dataAt + length + (length & 1);
        if (next > end) return kAudioErrNotSound;
        const std::span<const u8> data(p + dataAt, length);
        if (tag == kMidiTrackChunk) {
            result.tracks.push_back({u32(dataAt), length});
        } else if (tag == kMidiProgramChunk) {
            if (result.hasPrograms || !parsePatchUses(data, &result.programs)) return kAudioErrNotSound;
            result.hasPrograms = true;
        } else if (tag == kMidiKeyChunk) {
            if (result.hasKeys || !parsePatchUses(data, &result.keys)) return kAudioErrNotSound;
            result.hasKeys = true;
        }
        at = next;
    }
    *info = std::move(result);
    return kErrNone;
}

std::vector<u8> writeArchiveMidi(const ArchiveMidiContent& content) {
    std::vector<u8> out;
    appendBE32(out, kArchiveMagic);
    appendBE32(out, 0);
    appendBE32(out, kMidiForm);
    appendBE32(out, kMidiHeaderChunk);
    appendBE32(out, kMinHeaderLength);
    appendBE16(out, content.format);
    appendBE16(out, u16(content.tracks.size()));
    appendBE16(out, content.division);
    for (const std::vector<u8>& track : content.tracks) appendChunk(out, kMidiTrackChunk, track);
    if (!content.programs.empty()) appendChunk(out, kMidiProgramChunk, patchChunk(content.programs));
    if (!content.keys.empty()) appendChunk(out, kMidiKeyChunk, patchChunk(content.keys));
    writeBE32(out.data() + 4, u32(out.size() - 8));
    return out;
}
