#pragma once
// The MIDI map: clients of MIDI output devices. Every client of one device shares the
// device's one open port; the map moves channels (and the percussion channel) as the
// settings say for that device, scales note velocities by the client's volume, counts the
// notes each client holds so that a stop turns exactly those off, and mutes channels on
// request, also through the engine's own system-exclusive message F0 00 00 34 d c [ch] F7.
// Results are the multimedia codes of platform/audio/WaveTypes.h (2, 5, 7, 8, 11).
#include <array>
#include <span>

#include "engine/audio/AudioSettings.h"
#include "engine/base/EngineTypes.h"
#include "platform/midi/MidiOut.h"

struct MidiMapClient;
using MidiMap = MidiMapClient*;

constexpr u32 kMidiMapMagic = fourCC("MMAP");
// Open flag: the handle only keeps the device open; its other operations answer 8.
constexpr u32 kMidiMapPassive = 0x80000000;
constexpr u32 kMidiMapCallbackMask = 0x00070000;
constexpr u8 kMidiDefaultPercussion = 9;

// Starts the mixer and, with MIDI enabled, the device settings; nested starts only count.
u16 midiMapStart(bool enableMidi, const MidiMapSettings& settings, const PcmMixSettings& mixer);
void midiMapRelease();

u16 midiMapGetNumDevs();
u16 midiMapGetDevCaps(u16 deviceId, plat::MidiOutCaps* caps);
u16 midiMapOpen(MidiMap* map, u16 deviceId, uintptr_t callback, uintptr_t instance, u32 flags);
u16 midiMapClose(MidiMap map);
u16 midiMapShortMsg(MidiMap map, u32 packed);
u16 midiMapLongMsg(MidiMap map, std::span<const u8> bytes);
u16 midiMapAllNotesOff(MidiMap map, u8 channel);
u16 midiMapReset(MidiMap map);
u16 midiMapSetVolume(MidiMap map, Fixed volume);

// Patch caching on devices that cache patches (else 8): bank must be 0 (else 11); `masks`
// holds, for each program (or percussion key), the channels that use it. kMidiCache and
// kMidiCacheAll add the request to the client's and load the device's; kMidiCacheQuery copies
// the client's; kMidiUncache removes the request from the client's and lets go of what no
// other client still uses. The cache answers put the client's masks into `masks`.
constexpr u16 kMidiCache = 1;
constexpr u16 kMidiCacheAll = 2;
constexpr u16 kMidiCacheQuery = 3;
constexpr u16 kMidiUncache = 4;
using MidiPatchMasks = std::array<u16, plat::kMidiPatchCount>;
u16 midiMapCachePatches(MidiMap map, u16 bank, MidiPatchMasks* masks, u16 flags);
u16 midiMapCacheDrumPatches(MidiMap map, u16 bank, MidiPatchMasks* masks, u16 flags);
// The device's percussion channel (0-based), as the settings give it for the device model.
u16 midiMapGetPercussionChannel(u16 deviceId, u8* channel);

// How the settings describe a device: the channel map ("X" mutes), the percussion channel.
struct MidiDeviceSetup {
    u8 channelMap[16];
    bool muted[16] = {};
    u8 percussion = kMidiDefaultPercussion;
    i32 targetId = 0;
};
MidiDeviceSetup midiMapDeviceSetup(const MidiMapSettings& settings, const plat::MidiOutCaps& caps);
// One [MidiMap.TargetDeviceInfo] value: 16 channel characters, a separator, the percussion
// channel 1-16, then optionally the open and close message ids. False leaves `setup` alone.
bool midiMapParseDeviceInfo(std::string_view value, MidiDeviceSetup* setup);
