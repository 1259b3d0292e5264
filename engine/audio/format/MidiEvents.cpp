#include "engine/audio/format/MidiEvents.h"

namespace {

constexpr int kMaxVarLenBytes = 4;

bool readSized(std::span<const u8> track, size_t* pos, MidiEvent* event) {
    u32 length = 0;
    if (!readMidiVarLen(track, pos, &length) || length > track.size() - *pos) return false;
    event->payload = track.subspan(*pos, length);
    *pos += length;
    return true;
}

}  // namespace

bool readMidiVarLen(std::span<const u8> data, size_t* pos, u32* value) {
    u32 result = 0;
    for (int i = 0; i < kMaxVarLenBytes; ++i) {
        if (*pos >= data.size()) return false;
        const u8 byte = data[(*pos)++];
        result = (result << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) {
            *value = result;
            return true;
        }
    }
    return false;
}

void appendMidiVarLen(std::vector<u8>& out, u32 value) {
    value &= 0x0FFFFFFF;
    u8 groups[kMaxVarLenBytes];
    int n = 0;
    do {
        groups[n++] = u8(value & 0x7F);
        value >>= 7;
    } while (value && n < kMaxVarLenBytes);
    while (n > 1) out.push_back(u8(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

bool readMidiEvent(std::span<const u8> track, size_t* pos, u8* runningStatus, MidiEvent* event) {
    if (*pos >= track.size()) return false;
    *event = MidiEvent{};
    u8 status = track[*pos];
    if (status < 0x80) {
        if (*runningStatus < 0x80) return false;
        status = *runningStatus;
    } else {
        ++*pos;
    }
    event->status = status;
    if (status < 0xF0) {
        *runningStatus = status;
        const u8 needed = midiDataBytes(status);
        if (track.size() - *pos < needed) return false;
        event->kind = MidiEventKind::Channel;
        event->data1 = track[(*pos)++] & 0x7F;
        if (needed == 2) event->data2 = track[(*pos)++] & 0x7F;
        return true;
    }
    if (status == 0xFF) {
        if (*pos >= track.size()) return false;
        event->kind = MidiEventKind::Meta;
        event->metaType = track[(*pos)++];
        return readSized(track, pos, event);
    }
    if (status == 0xF0 || status == 0xF7) {
        event->kind = status == 0xF0 ? MidiEventKind::SysEx : MidiEventKind::Escape;
        return readSized(track, pos, event);
    }
    event->kind = MidiEventKind::End;
    return true;
}

MidiTrackWriter& MidiTrackWriter::channelMessage(u32 delta, u8 status, u8 data1, u8 data2) {
    appendMidiVarLen(bytes_, delta);
    bytes_.push_back(status);
    bytes_.push_back(data1 & 0x7F);
    if (midiDataBytes(status) == 2) bytes_.push_back(data2 & 0x7F);
    return *this;
}

MidiTrackWriter& MidiTrackWriter::noteOn(u32 delta, u8 channel, u8 key, u8 velocity) {
    return channelMessage(delta, u8(0x90 | (channel & 15)), key, velocity);
}

MidiTrackWriter& MidiTrackWriter::noteOff(u32 delta, u8 channel, u8 key, u8 velocity) {
    return channelMessage(delta, u8(0x80 | (channel & 15)), key, velocity);
}

MidiTrackWriter& MidiTrackWriter::program(u32 delta, u8 channel, u8 number) {
    return channelMessage(delta, u8(0xC0 | (channel & 15)), number, 0);
}

MidiTrackWriter& MidiTrackWriter::control(u32 delta, u8 channel, u8 controller, u8 value) {
    return channelMessage(delta, u8(0xB0 | (channel & 15)), controller, value);
}

MidiTrackWriter& MidiTrackWriter::meta(u32 delta, u8 type, std::span<const u8> data) {
    appendMidiVarLen(bytes_, delta);
    bytes_.push_back(0xFF);
    bytes_.push_back(type);
    appendMidiVarLen(bytes_, u32(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
}

MidiTrackWriter& MidiTrackWriter::text(u32 delta, u8 type, std::string_view text) {
    return meta(delta, type, std::span<const u8>(reinterpret_cast<const u8*>(text.data()), text.size()));
}

MidiTrackWriter& MidiTrackWriter::tempo(u32 delta, u32 microsecondsPerQuarter) {
    const u8 data[3] = {u8(microsecondsPerQuarter >> 16), u8(microsecondsPerQuarter >> 8), u8(microsecondsPerQuarter)};
    return meta(delta, kMidiMetaTempo, data);
}

MidiTrackWriter& MidiTrackWriter::sysEx(u32 delta, std::span<const u8> dataAfterF0) {
    appendMidiVarLen(bytes_, delta);
    bytes_.push_back(0xF0);
    appendMidiVarLen(bytes_, u32(dataAfterF0.size()));
    bytes_.insert(bytes_.end(), dataAfterF0.begin(), dataAfterF0.end());
    return *this;
}

MidiTrackWriter& MidiTrackWriter::end(u32 delta) { return meta(delta, kMidiMetaEndOfTrack, {}); }
