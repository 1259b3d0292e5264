#pragma once
// The mixer's output over a platform wave-out device: a ring of equal buffers that the
// polling thread (every 20 ms) keeps written a lead of frames ahead of the played position.
// The mixer renders into the buffers that the device has returned; a buffer the device still
// holds is never touched. The completion callback runs on the platform's thread and only
// raises one counter.
#include <atomic>
#include <memory>
#include <vector>

#include "engine/audio/MixerDevice.h"
#include "engine/audio/MixerDeviceInfo.h"
#include "engine/audio/PcmMixSettings.h"
#include "platform/audio/output/WaveOut.h"

constexpr u32 kWaveOutPollMs = 20;

class WaveOutDevice : public MixerDevice {
public:
    explicit WaveOutDevice(const PcmMixSettings& settings);
    ~WaveOutDevice() override;

    u16 Init(u16 deviceId) override;
    u16 Open(const plat::WaveFormat& format, MixerRefillCallback callback, void* context) override;
    u16 Close() override;
    u16 Play() override;
    u16 Stop() override;
    void GetPositions(u32* played, u32* written) override;
    u16 GetBuffer(u32 from, MixerRegions* regions) override;
    u16 ReleaseBuffer() override;
    u16 Capabilities() const override { return kDeviceCanRemix; }
    void FormatInfo(u32* baseRate, u32* formatMask) const override;
    u32 Latency(const plat::WaveFormat& format) const override;

    const MixerDeviceInfo& Info() const { return info_; }

private:
    void TopUp(u32 minimum);
    void FillSilence();

    const PcmMixSettings& settings_;
    u32 deviceId_ = 0;
    plat::WaveOutCaps caps_;
    MixerDeviceInfo info_;
    u32 formats_ = 0;
    std::unique_ptr<plat::WaveOut> waveOut_;
    std::vector<std::unique_ptr<plat::WaveHeader>> headers_;
    std::vector<u8> samples_;
    plat::WaveFormat format_;
    u32 ringFrames_ = 0;
    u32 bufferLocks_ = 0;
    std::atomic<u32> completed_{0};
};
