#pragma once
// An audio object: one playable engine sound, a wave played through the mixer or a MIDI
// sound played through the MIDI map. It carries the magic 'AOBJ' while it lives, sits in the
// audio module's list of live objects, and is driven through the flat audio calls, which
// check its state and take its lock around each operation. The device operations are the
// kind's own; open, close, stop, rate, volume, play and device release are common.
#include <cstdint>

#include "engine/base/EngineTypes.h"

class AudioObject;

constexpr u32 kAudioObjectMagic = 0x4A424F41;  // 'AOBJ' as it lies in memory
constexpr u32 kAudioKindMidi = 0;
constexpr u32 kAudioKindWave = 1;

// Notification codes.
constexpr u16 kAudioNotifyMarker = 0;
constexpr u16 kAudioNotifyFinished = 1;
constexpr u16 kAudioNotifyPaused = 2;
constexpr u16 kAudioNotifyResumed = 3;
constexpr u16 kAudioNotifyStarted = 4;
constexpr u16 kAudioNotifyStopped = 5;

// Status bits.
constexpr u16 kAudioStatusOpen = 0x01;
constexpr u16 kAudioStatusPaused = 0x02;
constexpr u16 kAudioStatusPlaying = 0x04;
constexpr u16 kAudioStatusLoopBroken = 0x08;
constexpr u16 kAudioStatusLooping = 0x10;

constexpr u32 kAudioPositionEnd = 0xFFFFFFFF;
constexpr u16 kAudioDefaultDevice = 0xFFFF;
constexpr u16 kAudioLoopForever = 0xFFFF;

struct AudioNotification {
    u32 code = 0;
    u32 nameLength = 0;  // for a marker
    const char* name = nullptr;  // not NUL-terminated
};

// (object, notification, the datum given to audioPlay). Runs on the thread that saw the event.
using AudioCallback = void (*)(AudioObject* object, const AudioNotification* notification, uintptr_t datum);

class AudioObject {
public:
    explicit AudioObject(u32 kind);
    virtual ~AudioObject();
    AudioObject(const AudioObject&) = delete;
    AudioObject& operator=(const AudioObject&) = delete;

    // Common operations.
    EngineErr Acquire(bool on);
    EngineErr Open(u16 device);
    EngineErr SetRate(Fixed rate);
    EngineErr SetVolume(Fixed volume);
    EngineErr Play(AudioCallback callback, uintptr_t datum);
    EngineErr Stop();
    EngineErr Close();

    // The kind's operations.
    virtual EngineErr DeviceOpen() = 0;
    virtual EngineErr DeviceSetRate(Fixed rate) = 0;
    virtual EngineErr DeviceSetVolume(Fixed volume) = 0;
    virtual EngineErr DeviceStart(bool paused) = 0;
    virtual void DeviceStop() = 0;
    virtual void DeviceClose() = 0;
    virtual uintptr_t GetDeviceHandle() = 0;
    virtual u32 GetPosition() = 0;
    virtual u32 GetSampleRate() = 0;
    virtual EngineErr Pause() = 0;
    virtual EngineErr Resume() = 0;
    virtual EngineErr BreakLoop() = 0;
    virtual void ResetLoop() = 0;
    virtual EngineErr SetPosition(u32 ms) = 0;
    virtual EngineErr SeekMarker(const char* name, u16 length) = 0;
    virtual void SetLoop(u16 count, u32 startMs, u32 endMs) = 0;
    virtual EngineErr Lock(u32 limitMs) = 0;
    virtual void Unlock() = 0;
    // True when the position is at the end, so that playing has nothing to play.
    virtual bool AtEnd() = 0;

    u16 Status() const;
    void Notify(u16 code, const char* name = nullptr, u32 nameLength = 0);

    u32 magic = kAudioObjectMagic;
    u32 kind;
    AudioObject* next = nullptr;
    AudioObject* prev = nullptr;
    Fixed rate = kFixedOne;
    Fixed volume = kFixedOne;
    u32 duration = 0;
    bool acquired = false;
    bool looping = false;
    bool loopBroken = false;
    bool paused = false;
    bool playing = false;
    bool open = false;
    u16 deviceId = 0;
    AudioCallback callback = nullptr;
    uintptr_t datum = 0;
};
