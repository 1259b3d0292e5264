#pragma once
// The base of every PcmMix handle: the tag, the links of the module's ring of open handles,
// the client's format, callback, instance and open flags, and the wave-out-shaped operations.
// Two kinds exist: the mixing channel and the pass-through to a platform device.
#include "engine/audio/PcmMix.h"

constexpr FourCC kPcmMixTag = fourCC("WMIX");

class PcmMixObject {
public:
    virtual ~PcmMixObject() { tag = 0; }

    virtual u16 Open(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance, u32 flags) = 0;
    virtual u16 BreakLoop() = 0;
    virtual u16 Close() = 0;
    virtual u16 DropUnwritten() = 0;
    virtual u16 GetBalance(u32* balance) = 0;
    virtual u16 GetID(u16* deviceId) = 0;
    virtual u16 GetPitch(u32* pitch) = 0;
    virtual u16 GetPlaybackRate(u32* rate) = 0;
    virtual u16 GetPosition(plat::TimeRecord* time, u32 size) = 0;
    virtual u16 GetVolume(u32* volume) = 0;
    virtual u16 Pause() = 0;
    virtual u16 PrepareHeader(plat::WaveHeader* header, u32 size) = 0;
    virtual u16 Reset() = 0;
    virtual u16 Restart() = 0;
    virtual u16 SetBalance(u32 balance) = 0;
    virtual u16 SetPitch(u32 pitch) = 0;
    virtual u16 SetPlaybackRate(u32 rate) = 0;
    virtual u16 SetVolume(u32 volume) = 0;
    virtual u16 UnprepareHeader(plat::WaveHeader* header, u32 size) = 0;
    virtual u16 Write(plat::WaveHeader* header, u32 size) = 0;

    void Notify(u32 message, uintptr_t param1 = 0) {
        if (callback_) callback_(this, message, instance_, param1, 0);
    }

    FourCC tag = kPcmMixTag;
    PcmMixObject* ringNext = nullptr;
    PcmMixObject* ringPrev = nullptr;

protected:
    template <typename T, typename V>
    static u16 Report(T* out, V value) {
        if (!out) return plat::kMmErrInvalidParam;
        *out = T(value);
        return plat::kMmNoError;
    }

    void KeepCommon(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance, u32 flags) {
        format_ = format;
        callback_ = callback;
        instance_ = instance;
        flags_ = flags;
    }

    plat::WaveFormat format_;
    PcmMixCallback callback_ = nullptr;
    uintptr_t instance_ = 0;
    u32 flags_ = 0;
};
