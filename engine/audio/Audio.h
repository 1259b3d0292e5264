#pragma once
// The audio module: every playable engine sound, wave or MIDI, as an audio object (see
// AudioObject.h), created from a sound resource and driven through these flat calls. Each
// call on an object checks the object's magic, takes its lock, checks the state the call
// needs, runs the operation and leaves the result in the module's last error. The module
// also chooses the default devices from the engine INI, keeps the registry of wave
// decompressors, and releases and re-acquires every device when the program is deactivated
// and activated again. Calls come from the engine's threads.
#include "engine/audio/AudioObject.h"
#include "engine/audio/AudioSettings.h"
#include "engine/audio/WaveXDec.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"

constexpr u16 kAudioVersion = 0x0700;
constexpr u32 kAudioNameEndsWithNul = 0xFFFF;

struct AudioXDecRecord;

// Starts with the engine INI's settings, or with the given ones.
EngineErr audioInit();
EngineErr audioInit(const AudioSettings& settings);
void audioShutdown();
EngineErr audioGetLastError();
u16 audioGetDefaultMidiDevice();
u16 audioGetDefaultWaveDevice();
u16 audioGetVersion();

// From a sound resource's memory handle ('tWAV' or 'tMID'); null on failure.
AudioObject* audioNewFromHandle(memHandle handle);
// A wave that plays from memory when its resource is loaded and is streamed from its
// archive file otherwise, with the first `preloadMs` read ahead.
AudioObject* audioNewWaveStream(ResourceRef resource, u32 preloadMs);

EngineErr audioOpen(AudioObject* object, u16 deviceId);
EngineErr audioPlay(AudioObject* object, AudioCallback callback, uintptr_t datum);
EngineErr audioPause(AudioObject* object);
EngineErr audioResume(AudioObject* object);
EngineErr audioStop(AudioObject* object);
EngineErr audioBreakLoop(AudioObject* object);
EngineErr audioSetPosition(AudioObject* object, u32 ms);
EngineErr audioSeekMarker(AudioObject* object, const char* name, u32 length);
EngineErr audioSetRate(AudioObject* object, Fixed rate);
EngineErr audioSetVolume(AudioObject* object, Fixed volume);
EngineErr audioClose(AudioObject* object);
EngineErr audioDispose(AudioObject* object);
u32 audioGetDuration(AudioObject* object);
u16 audioGetStatus(AudioObject* object);
uintptr_t audioGetDeviceHandle(AudioObject* object);

EngineErr audioActivate(u16 on);

AudioXDecRecord* audioRegisterXDec(u16 formatTag, WaveXDecFactory factory);
EngineErr audioUnregisterXDec(AudioXDecRecord* record);
// The newest decompressor registered for the tag; null when none is.
WaveXDecFactory audioFindXDec(u16 formatTag);

// Module state the sound kinds consult.
bool audioMidiEnabled();
const AudioSettings& audioSettings();
