#pragma once
// The application's playable sound: an archive wave from a resource, a memory handle or a
// stream, around one engine audio object played on the default wave device. The sound owns
// its audio object and, when it loaded or was handed one, its data handle; unloading or
// destroying a playing sound stops it first, so the audio object never outlives the data it
// plays nor calls back into a dead sound. Volume, rate and pan are kept while nothing is
// loaded and applied when the audio object opens. All operations run on the user-interface
// thread; only the completion callback, which writes the playing and finished flags, comes
// from the audio side.
#include <atomic>

#include "engine/audio/AudioObject.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"

namespace Ostrel {

constexpr u16 kSoundFadeNone = 0;
constexpr u16 kSoundFadeIn = 1;
constexpr u16 kSoundFadeOut = 0xFFFF;
constexpr i16 kSoundPanLeft = -256;
constexpr i16 kSoundPanRight = 256;
constexpr FourCC kSoundResourceType = fourCC("tWAV");
// Returned when there is nothing to load.
constexpr EngineErr kSoundErrNothing = 1;

// The balance word of a pan: left gain in the low 16 bits, right gain in the high 16.
u32 soundBalanceForPan(i16 pan);

class RSound {
public:
    RSound();
    // A sound with the "tWAV" resource `id` of `archive` (0: every open archive) as its source.
    RSound(u16 id, u32 preloadMs, ResMapHandle archive);
    virtual ~RSound();
    RSound(const RSound&) = delete;
    RSound& operator=(const RSound&) = delete;

    // Plays the archive wave in `handle`, which the sound frees when `owns` is above 0.
    virtual EngineErr LoadFromHandle(memHandle handle, i16 owns);
    // Creates and opens the audio object again from the kept source.
    virtual EngineErr Reopen();
    virtual void Unload();
    virtual EngineErr Play();
    virtual void Stop();
    virtual void Pause();
    virtual void Resume();
    virtual void SetVolume(Fixed gain);
    virtual void SetRate(Fixed rate);
    virtual void SetPan(i16 pan);
    virtual void SetFade(u16 mode);
    virtual EngineErr LoadResource(u16 id, u32 preloadMs, ResMapHandle archive);
    virtual void Reset();
    virtual void ClearPlaying();

    // One level of the fade toward its target; 1 while the gain has not reached it.
    u16 FadeStep();

    bool IsPlaying() const { return playing_.load() != 0; }
    bool IsPaused() const { return paused_ != 0; }
    bool IsFinished() const { return finished_.load() != 0; }
    bool IsLoaded() const { return loaded_ != 0; }
    Fixed GetVolume() const { return volume_; }
    Fixed GetRate() const { return rate_; }
    i16 GetPan() const { return pan_; }
    u16 GetFadeMode() const { return fadeMode_; }
    Fixed GetFadeGain() const { return fadeGain_; }
    u16 GetFadeLevel() const { return fadeLevel_; }
    u16 GetResourceId() const { return resourceId_; }
    AudioObject* GetAudioObject() const { return audio_; }

private:
    static void Completion(AudioObject* object, const AudioNotification* notification, uintptr_t datum);
    EngineErr OpenAudio();
    EngineErr SetSource(ResourceRef ref, u32 preloadMs);
    void ApplyPan();
    void ClearFields();

    memHandle dataHandle_ = 0;
    u32 preloadMs_ = 0;
    std::atomic<u16> playing_{0};
    u16 paused_ = 0;
    std::atomic<u16> finished_{1};
    u16 fadeMode_ = kSoundFadeNone;
    Fixed fadeGain_ = 0;
    Fixed fadeTarget_ = 0;
    Fixed volume_ = 0;
    bool volumeSet_ = false;  // asked for by the caller, so it is applied at every open
    Fixed rate_ = 0;
    i16 pan_ = 0;
    bool panSet_ = false;
    ResourceRef resourceRef_ = 0;
    u16 resourceId_ = 0;
    AudioObject* audio_ = nullptr;
    u16 loaded_ = 0;
    u16 fadeLevel_ = 0;
};

}  // namespace Ostrel
