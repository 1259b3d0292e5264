#pragma once
// The archive MIDI sound ('tMID'), big-endian: "KVRW", length L (the image ends at L + 8),
// "MIDI", a standard "MThd" header (format 0 or 1, track count, ticks per quarter note),
// then chunks padded to even lengths that end exactly at the image end: "MTrk" tracks, at
// most one "Prg#" (programs) and one "Key#" (percussion keys), others skipped.
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"

constexpr FourCC kMidiForm = fourCC("MIDI");
constexpr FourCC kMidiHeaderChunk = fourCC("MThd");
constexpr FourCC kMidiTrackChunk = fourCC("MTrk");
constexpr FourCC kMidiProgramChunk = fourCC("Prg#");
constexpr FourCC kMidiKeyChunk = fourCC("Key#");

// A program or percussion key (low 7 bits) and the mask of MIDI channels that use it.
struct MidiPatchUse {
    u16 number = 0;
    u16 channelMask = 0;
    bool operator==(const MidiPatchUse&) const = default;
};

struct MidiTrackSpan {
    u32 offset = 0;  // of the track's first event in the image
    u32 length = 0;
};

struct ArchiveMidiInfo {
    u16 format = 0;
    u16 trackCount = 0;
    u16 division = 0;
    std::vector<MidiTrackSpan> tracks;
    bool hasPrograms = false;
    bool hasKeys = false;
    std::vector<MidiPatchUse> programs;
    std::vector<MidiPatchUse> keys;
    u32 imageEnd = 0;
};

// 10704 for a wrong magic or form, a chunk walk that leaves the image or does not end at its
// end, or a second "Prg#" or "Key#"; 10705 for a header the sequencer cannot play (format
// above 1, no tracks, a division of 0 or with its top bit set).
EngineErr readArchiveMidi(std::span<const u8> image, ArchiveMidiInfo* info);

struct ArchiveMidiContent {
    u16 format = 0;
    u16 division = 480;
    std::vector<std::vector<u8>> tracks;  // each a track's event bytes
    std::vector<MidiPatchUse> programs;   // written when not empty
    std::vector<MidiPatchUse> keys;
};

std::vector<u8> writeArchiveMidi(const ArchiveMidiContent& content);
