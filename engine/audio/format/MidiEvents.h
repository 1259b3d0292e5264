#pragma once
// Events of a standard MIDI track: a variable-length delta time (7 bits a byte, high bit =
// more, at most four bytes) before each event; channel messages with running status, meta
// events (0xFF, type, length, data), system-exclusive (0xF0, length, data) and escapes
// (0xF7, length, raw bytes). Reading never steps past the track's bytes.
#include <span>
#include <string_view>
#include <vector>

#include "engine/base/EngineTypes.h"

enum class MidiEventKind : u8 { Channel, Meta, SysEx, Escape, End };

constexpr u8 kMidiMetaMarker = 0x06;
constexpr u8 kMidiMetaCuePoint = 0x07;
constexpr u8 kMidiMetaEndOfTrack = 0x2F;
constexpr u8 kMidiMetaTempo = 0x51;

struct MidiEvent {
    MidiEventKind kind = MidiEventKind::End;
    u8 status = 0;
    u8 data1 = 0;
    u8 data2 = 0;
    u8 metaType = 0;
    std::span<const u8> payload;  // meta, system-exclusive and escape data
};

// Data bytes a channel message of this status carries (1 or 2).
inline u8 midiDataBytes(u8 status) { return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2; }

bool readMidiVarLen(std::span<const u8> data, size_t* pos, u32* value);
void appendMidiVarLen(std::vector<u8>& out, u32 value);

// Reads the event at *pos and moves past it. False for a damaged event: one that runs past
// the data, or a data byte where no running status exists yet. Statuses 0xF1 up (but for
// 0xF7 and 0xFF) give the End kind: the track cannot be read further.
bool readMidiEvent(std::span<const u8> track, size_t* pos, u8* runningStatus, MidiEvent* event);

// Builds track bytes; every event is preceded by the delta given to it.
class MidiTrackWriter {
public:
    MidiTrackWriter& noteOn(u32 delta, u8 channel, u8 key, u8 velocity);
    MidiTrackWriter& noteOff(u32 delta, u8 channel, u8 key, u8 velocity = 0);
    MidiTrackWriter& program(u32 delta, u8 channel, u8 number);
    MidiTrackWriter& control(u32 delta, u8 channel, u8 controller, u8 value);
    MidiTrackWriter& channelMessage(u32 delta, u8 status, u8 data1, u8 data2);
    MidiTrackWriter& meta(u32 delta, u8 type, std::span<const u8> data);
    MidiTrackWriter& text(u32 delta, u8 type, std::string_view text);
    MidiTrackWriter& tempo(u32 delta, u32 microsecondsPerQuarter);
    MidiTrackWriter& sysEx(u32 delta, std::span<const u8> dataAfterF0);
    MidiTrackWriter& end(u32 delta);
    const std::vector<u8>& bytes() const { return bytes_; }

private:
    std::vector<u8> bytes_;
};
