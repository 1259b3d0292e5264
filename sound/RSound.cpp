#include "sound/RSound.h"

#include <algorithm>

#include "engine/audio/Audio.h"
#include "engine/audio/PcmMix.h"
#include "sound/SoundGain.h"

namespace Ostrel {
namespace {

constexpr Fixed kFadeTopGain = 0x11000;
constexpr u16 kOwnsHandle = 1;

}  // namespace

u32 soundBalanceForPan(i16 pan) {
    const u32 q = u32(256 - std::clamp<i32>(pan, kSoundPanLeft, kSoundPanRight));
    const u32 left = q * 128 - q / 512;
    const u32 right = 0xFFFF - left;
    return left | (right << 16);
}

RSound::RSound() { ClearFields(); }

RSound::RSound(u16 id, u32 preloadMs, ResMapHandle archive) {
    ClearFields();
    LoadResource(id, preloadMs, archive);
    fadeMode_ = kSoundFadeNone;
    fadeTarget_ = 0;
    fadeLevel_ = 0;
}

RSound::~RSound() { Unload(); }

void RSound::ClearFields() {
    dataHandle_ = 0;
    preloadMs_ = 0;
    playing_ = 0;
    paused_ = 0;
    finished_ = 1;
    fadeMode_ = kSoundFadeNone;
    fadeGain_ = kFadeTopGain;
    fadeTarget_ = 0;
    volume_ = kFadeTopGain;
    volumeSet_ = false;
    rate_ = 0;
    pan_ = 0;
    panSet_ = false;
    resourceRef_ = 0;
    resourceId_ = 0;
    audio_ = nullptr;
    loaded_ = 0;
    fadeLevel_ = 0;
}

EngineErr RSound::LoadFromHandle(memHandle handle, i16 owns) {
    // A sound already loaded lets go of its source first, so that no handle leaks.
    if (audio_ || dataHandle_) {
        Unload();
        Reset();
    }
    dataHandle_ = owns >= kOwnsHandle ? handle : 0;
    audio_ = audioNewFromHandle(handle);
    return OpenAudio();
}

EngineErr RSound::Reopen() {
    if (!loaded_ && resourceRef_ != 0 && !audio_) {
        if (preloadMs_ != 0) {
            audio_ = audioNewWaveStream(resourceRef_, preloadMs_);
        } else if (dataHandle_ != 0) {
            audio_ = audioNewFromHandle(dataHandle_);
        }
    }
    return OpenAudio();
}

EngineErr RSound::OpenAudio() {
    if (!audio_ || loaded_) {
        const EngineErr last = audioGetLastError();
        return last != kErrNone ? last : kSoundErrNothing;
    }
    if (const EngineErr err = audioOpen(audio_, kAudioDefaultDevice)) {
        audioDispose(audio_);
        audio_ = nullptr;
        return err;
    }
    loaded_ = 1;
    // The program-wide level first, then what was asked of this sound before it opened.
    const u16 screen = soundScreenVolume();
    if (screen >= 1 && screen <= kSoundMaxLevel) audioSetVolume(audio_, soundGainForLevel(screen));
    if (volumeSet_) audioSetVolume(audio_, volume_);
    if (rate_ != 0) audioSetRate(audio_, rate_);
    if (panSet_) ApplyPan();
    return kErrNone;
}

void RSound::Unload() {
    finished_ = 0;
    if (audio_) {
        // Stopped before it is closed: the mixer must let go of the data before it is freed.
        if (playing_ || paused_) audioStop(audio_);
        if (loaded_) audioClose(audio_);
        audioDispose(audio_);
        audio_ = nullptr;
    }
    playing_ = 0;
    paused_ = 0;
    if (dataHandle_ != 0) {
        memUnlockHandle(dataHandle_);
        memFreeHandle(dataHandle_);
        dataHandle_ = 0;
    }
    loaded_ = 0;
}

EngineErr RSound::Play() {
    if (!loaded_) {
        if (const EngineErr err = Reopen()) {
            finished_ = 1;
            return err;
        }
    }
    if (playing_ && !paused_) return kErrNone;
    if (paused_) {
        Resume();
        return kErrNone;
    }
    audioSetPosition(audio_, 0);
    // Flags first: a short sound may end, and call back, before audioPlay returns.
    finished_ = 0;
    playing_ = 1;
    if (const EngineErr err = audioPlay(audio_, &RSound::Completion, reinterpret_cast<uintptr_t>(this))) {
        playing_ = 0;
        finished_ = 1;
        return err;
    }
    return kErrNone;
}

void RSound::Stop() {
    if (loaded_ && (playing_ || paused_)) {
        audioStop(audio_);
        playing_ = 0;
        paused_ = 0;
    }
}

void RSound::Pause() {
    if (loaded_ && playing_ && audioPause(audio_) == kErrNone) {
        playing_ = 0;
        paused_ = 1;
    }
}

void RSound::Resume() {
    if (loaded_ && paused_ && audioResume(audio_) == kErrNone) {
        playing_ = 1;
        paused_ = 0;
    }
}

void RSound::SetVolume(Fixed gain) {
    volume_ = gain;
    volumeSet_ = true;
    if (loaded_) audioSetVolume(audio_, gain);
}

void RSound::SetRate(Fixed rate) {
    rate_ = rate;
    if (loaded_ && rate != 0) audioSetRate(audio_, rate);
}

void RSound::SetPan(i16 pan) {
    pan_ = i16(std::clamp<i32>(pan, kSoundPanLeft, kSoundPanRight));
    panSet_ = true;
    if (loaded_) ApplyPan();
}

void RSound::ApplyPan() {
    const uintptr_t mixer = audioGetDeviceHandle(audio_);
    if (mixer != 0) pcmMixSetBalance(reinterpret_cast<PcmMixHandle>(mixer), soundBalanceForPan(pan_));
}

void RSound::SetFade(u16 mode) {
    if (mode == kSoundFadeIn) {
        fadeLevel_ = 0;
        fadeGain_ = 0;
        fadeTarget_ = kFadeTopGain;
    } else if (mode == kSoundFadeOut) {
        fadeLevel_ = kSoundFadeTopLevel;
        fadeGain_ = kFadeTopGain;
        fadeTarget_ = 0;
    }
    fadeMode_ = mode;
}

u16 RSound::FadeStep() {
    if (fadeGain_ > fadeTarget_ && fadeLevel_ > 0) --fadeLevel_;
    else if (fadeGain_ < fadeTarget_ && fadeLevel_ < kSoundMaxLevel) ++fadeLevel_;
    fadeGain_ = soundGainForLevel(fadeLevel_);
    if (loaded_) audioSetVolume(audio_, fadeGain_);
    return fadeGain_ != fadeTarget_ ? 1 : 0;
}

EngineErr RSound::LoadResource(u16 id, u32 preloadMs, ResMapHandle archive) {
    resourceId_ = id;
    return SetSource(resFindResource(kSoundResourceType, id, archive), preloadMs);
}

EngineErr RSound::SetSource(ResourceRef ref, u32 preloadMs) {
    if (loaded_ || audio_ || dataHandle_) {
        const u16 id = resourceId_;
        Unload();
        Reset();
        resourceId_ = id;
    }
    if (ref == 0) return kSoundErrNothing;
    resourceRef_ = ref;
    preloadMs_ = preloadMs;
    if (preloadMs == 0) {
        resLoadResource(ref, 0);
        const memHandle data = resGetResourceData(ref, 0);
        if (data == 0 || data == kResRefused) {
            const EngineErr err = resGetLastError();
            return err != kErrNone ? err : kSoundErrNothing;
        }
        memLockHandle(data);
        dataHandle_ = data;
    }
    return Reopen();
}

void RSound::Reset() {
    const u16 level = fadeLevel_;
    ClearFields();
    fadeGain_ = 0;
    volume_ = 0;
    fadeLevel_ = level;
}

void RSound::ClearPlaying() { playing_ = 0; }

void RSound::Completion(AudioObject*, const AudioNotification* notification, uintptr_t datum) {
    if (notification->code != kAudioNotifyFinished) return;
    auto* sound = reinterpret_cast<RSound*>(datum);
    sound->finished_ = 1;
    sound->ClearPlaying();
}

}  // namespace Ostrel
