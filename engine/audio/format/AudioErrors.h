#pragma once
// Error codes of the audio module (band 107xx). Memory, INI and thread errors pass through.
#include "engine/base/EngineTypes.h"

constexpr EngineErr kAudioErrOutOfMemory = 2;
constexpr EngineErr kAudioErrDevice = 10700;
constexpr EngineErr kAudioErrAllocated = 10701;
constexpr EngineErr kAudioErrBadDevice = 10702;
constexpr EngineErr kAudioErrAtEnd = 10703;
constexpr EngineErr kAudioErrNotSound = 10704;
constexpr EngineErr kAudioErrUnsupported = 10705;
constexpr EngineErr kAudioErrRate = 10707;
constexpr EngineErr kAudioErrVolume = 10708;
constexpr EngineErr kAudioErrNoMarker = 10709;
constexpr EngineErr kAudioErrNotObject = 10751;
constexpr EngineErr kAudioErrReleased = 10752;
constexpr EngineErr kAudioErrNotPaused = 10753;
constexpr EngineErr kAudioErrNotPlaying = 10754;
constexpr EngineErr kAudioErrNotOpen = 10755;
constexpr EngineErr kAudioErrPaused = 10756;
constexpr EngineErr kAudioErrPlaying = 10757;
constexpr EngineErr kAudioErrOpen = 10758;
constexpr EngineErr kAudioErrStartup = 10759;
