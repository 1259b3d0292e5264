#include "engine/audio/AudioObject.h"

#include "engine/audio/format/AudioErrors.h"

AudioObject::AudioObject(u32 objectKind) : kind(objectKind) {}

AudioObject::~AudioObject() { magic = 0; }

u16 AudioObject::Status() const {
    return u16((open ? kAudioStatusOpen : 0) | (paused ? kAudioStatusPaused : 0) | (playing ? kAudioStatusPlaying : 0) |
               (loopBroken ? kAudioStatusLoopBroken : 0) | (looping ? kAudioStatusLooping : 0));
}

void AudioObject::Notify(u16 code, const char* name, u32 nameLength) {
    if (!callback) return;
    AudioNotification notification{code, nameLength, name};
    callback(this, &notification, datum);
}

EngineErr AudioObject::Acquire(bool on) {
    if (!on && acquired) {
        if (playing || paused) DeviceStop();
        if (open) DeviceClose();
    } else if (on && !acquired && open) {
        EngineErr err = DeviceOpen();
        if (!err) err = DeviceSetRate(rate);
        if (!err) err = DeviceSetVolume(volume);
        if (!err && (playing || paused)) err = DeviceStart(paused);
        if (err) {
            DeviceClose();
            return err;
        }
    }
    acquired = on;
    return kErrNone;
}

EngineErr AudioObject::Open(u16 device) {
    deviceId = device;
    EngineErr err = DeviceOpen();
    if (!err) err = DeviceSetRate(rate);
    if (!err) err = DeviceSetVolume(volume);
    if (err) {
        DeviceClose();
        return err;
    }
    open = true;
    return kErrNone;
}

EngineErr AudioObject::SetRate(Fixed newRate) {
    if (open && acquired) {
        if (EngineErr err = DeviceSetRate(newRate)) return err;
    }
    rate = newRate;
    return kErrNone;
}

EngineErr AudioObject::SetVolume(Fixed newVolume) {
    if (open && acquired) {
        if (EngineErr err = DeviceSetVolume(newVolume)) return err;
    }
    volume = newVolume;
    return kErrNone;
}

EngineErr AudioObject::Play(AudioCallback newCallback, uintptr_t newDatum) {
    if (AtEnd()) return kAudioErrAtEnd;
    callback = newCallback;
    datum = newDatum;
    playing = true;
    if (EngineErr err = DeviceStart(false)) {
        playing = false;
        return err;
    }
    Notify(kAudioNotifyStarted);
    return kErrNone;
}

EngineErr AudioObject::Stop() {
    const bool wasRunning = playing || paused;
    if (wasRunning) DeviceStop();
    playing = false;
    paused = false;
    if (wasRunning) Notify(kAudioNotifyStopped);
    return kErrNone;
}

EngineErr AudioObject::Close() {
    DeviceClose();
    open = false;
    return kErrNone;
}
