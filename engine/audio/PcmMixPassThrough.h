#pragma once
// A PcmMix handle that hands every call straight to a platform wave-out device, for when the
// mixer is off or the device refuses mixing. Volume, balance, pitch and rate are not offered
// beyond unity. A 16-bit client that did not open with native order has its samples swapped
// in place while a header is prepared, since the device plays little-endian samples.
#include <memory>

#include "engine/audio/PcmMixObject.h"
#include "platform/audio/output/WaveOut.h"

class PcmMixPassThrough : public PcmMixObject {
public:
    explicit PcmMixPassThrough(u16 deviceId) : deviceId_(deviceId) {}
    // Returns every queued buffer and closes the device.
    void Retire();

    u16 Open(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance, u32 flags) override;
    u16 BreakLoop() override { return waveOut_->breakLoop(); }
    u16 Close() override;
    u16 DropUnwritten() override { return plat::kMmErrNotSupported; }
    u16 GetBalance(u32*) override { return plat::kMmErrNotSupported; }
    u16 GetID(u16* deviceId) override;
    u16 GetPitch(u32* pitch) override;
    u16 GetPlaybackRate(u32* rate) override;
    u16 GetPosition(plat::TimeRecord* time, u32 size) override;
    u16 GetVolume(u32* volume) override;
    u16 Pause() override { return waveOut_->pause(); }
    u16 PrepareHeader(plat::WaveHeader* header, u32 size) override;
    u16 Reset() override { return waveOut_->reset(); }
    u16 Restart() override { return waveOut_->restart(); }
    u16 SetBalance(u32) override { return plat::kMmErrNotSupported; }
    u16 SetPitch(u32 pitch) override { return OnlyUnity(pitch); }
    u16 SetPlaybackRate(u32 rate) override { return OnlyUnity(rate); }
    u16 SetVolume(u32 volume) override { return OnlyUnity(volume); }
    u16 UnprepareHeader(plat::WaveHeader* header, u32 size) override;
    u16 Write(plat::WaveHeader* header, u32 size) override;

private:
    static u16 OnlyUnity(u32 value) { return value == u32(kFixedOne) ? plat::kMmNoError : plat::kMmErrNotSupported; }
    bool SwapsSamples() const { return format_.bitsPerSample == 16 && !(flags_ & kPcmMixNativeOrder); }
    static void SwapSamples(plat::WaveHeader* header);

    u16 deviceId_;
    std::unique_ptr<plat::WaveOut> waveOut_;
    bool closed_ = false;
};
