// The flat calls on audio objects: each checks the object, takes its lock, refuses the
// states the call cannot run in (in the order given), runs the operation and sets the last
// error from its result.
#include <algorithm>
#include <cstring>

#include "engine/audio/AudioModule.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/os/OsThreads.h"

namespace {

bool isObject(const AudioObject* object) { return object && object->magic == kAudioObjectMagic; }

struct Refusal {
    bool when;
    EngineErr code;
};

template <typename Operation>
EngineErr call(AudioObject* object, std::initializer_list<Refusal> refusals, Operation operation) {
    if (!isObject(object)) return audioSetLastError(kAudioErrNotObject);
    if (EngineErr err = object->Lock(kOsmNoTimeout)) return audioSetLastError(err);
    EngineErr result = kErrNone;
    for (const Refusal& refusal : refusals) {
        if (refusal.when) {
            result = refusal.code;
            break;
        }
    }
    if (!result) result = operation();
    audioSetLastError(result);
    object->Unlock();
    return result;
}

}  // namespace

EngineErr audioOpen(AudioObject* o, u16 deviceId) {
    return call(o, {{isObject(o) && !o->acquired, kAudioErrReleased}, {isObject(o) && o->open, kAudioErrOpen}}, [&] {
        u16 device = deviceId;
        if (device == kAudioDefaultDevice)
            device = o->kind == kAudioKindWave ? audioGetDefaultWaveDevice() : audioGetDefaultMidiDevice();
        return o->Open(device);
    });
}

EngineErr audioPlay(AudioObject* o, AudioCallback callback, uintptr_t datum) {
    const bool ok = isObject(o);
    return call(o,
                {{ok && !o->acquired, kAudioErrReleased},
                 {ok && !o->open, kAudioErrNotOpen},
                 {ok && o->paused, kAudioErrPaused},
                 {ok && o->playing, kAudioErrPlaying}},
                [&] { return o->Play(callback, datum); });
}

EngineErr audioPause(AudioObject* o) {
    const bool ok = isObject(o);
    return call(o, {{ok && !o->acquired, kAudioErrReleased}, {ok && !o->playing, kAudioErrNotPlaying}},
                [&] { return o->Pause(); });
}

EngineErr audioResume(AudioObject* o) {
    const bool ok = isObject(o);
    return call(o, {{ok && !o->acquired, kAudioErrReleased}, {ok && !o->paused, kAudioErrNotPaused}},
                [&] { return o->Resume(); });
}

EngineErr audioStop(AudioObject* o) {
    return call(o, {{isObject(o) && !o->open, kAudioErrNotOpen}}, [&] { return o->Stop(); });
}

EngineErr audioBreakLoop(AudioObject* o) {
    const bool ok = isObject(o);
    return call(o, {{ok && !o->acquired, kAudioErrReleased}, {ok && !o->open, kAudioErrNotOpen}},
                [&] { return o->BreakLoop(); });
}

EngineErr audioSetPosition(AudioObject* o, u32 ms) {
    const bool ok = isObject(o);
    return call(o, {{ok && o->paused, kAudioErrPaused}, {ok && o->playing, kAudioErrPlaying}}, [&] {
        const EngineErr err = o->SetPosition(ms);
        if (!err && ms == 0) o->ResetLoop();
        return err;
    });
}

EngineErr audioSeekMarker(AudioObject* o, const char* name, u32 length) {
    const bool ok = isObject(o);
    return call(o, {{ok && o->paused, kAudioErrPaused}, {ok && o->playing, kAudioErrPlaying}}, [&] {
        const u32 n = length == kAudioNameEndsWithNul ? u32(std::strlen(name)) : length;
        return o->SeekMarker(name, u16(std::min<u32>(n, 0xFFFF)));
    });
}

EngineErr audioSetRate(AudioObject* o, Fixed rate) {
    return call(o, {}, [&] { return o->SetRate(rate); });
}

EngineErr audioSetVolume(AudioObject* o, Fixed volume) {
    return call(o, {}, [&] { return o->SetVolume(volume); });
}

EngineErr audioClose(AudioObject* o) {
    const bool ok = isObject(o);
    return call(o,
                {{ok && !o->open, kAudioErrNotOpen}, {ok && o->paused, kAudioErrPaused}, {ok && o->playing, kAudioErrPlaying}},
                [&] { return o->Close(); });
}

EngineErr audioDispose(AudioObject* o) {
    if (!isObject(o)) return audioSetLastError(kAudioErrNotObject);
    if (EngineErr err = o->Lock(kOsmNoTimeout)) return audioSetLastError(err);
    if (o->open) {
        o->Unlock();
        return audioSetLastError(kAudioErrOpen);
    }
    o->Unlock();
    audioUnlinkObject(o);
    delete o;
    return audioSetLastError(kErrNone);
}

u32 audioGetDuration(AudioObject* o) {
    u32 duration = 0xFFFFFFFF;
    call(o, {}, [&] {
        duration = o->duration;
        return kErrNone;
    });
    return duration;
}

u16 audioGetStatus(AudioObject* o) {
    u16 status = 0xFFFF;
    call(o, {}, [&] {
        status = o->Status();
        return kErrNone;
    });
    return status;
}

uintptr_t audioGetDeviceHandle(AudioObject* o) {
    uintptr_t handle = 0;
    const bool ok = isObject(o);
    call(o, {{ok && !o->acquired, kAudioErrReleased}, {ok && !o->open, kAudioErrNotOpen}}, [&] {
        handle = o->GetDeviceHandle();
        return kErrNone;
    });
    return handle;
}
