#pragma once
// The mixer's output over a platform push buffer: one looping ring (a fifth of a second, or a
// whole second on an emulated driver) that the polling thread (every 10 ms) follows by the
// buffer's cursors; the mixer writes straight into the ring ahead of the write cursor.
#include <memory>

#include "engine/audio/MixerDevice.h"
#include "engine/audio/PcmMixSettings.h"
#include "platform/audio/output/PushBuffer.h"

constexpr u32 kPushBufferPollMs = 10;

class PushBufferDevice : public MixerDevice {
public:
    explicit PushBufferDevice(const PcmMixSettings& settings);
    ~PushBufferDevice() override;

    u16 Init(u16 deviceId) override;
    u16 Open(const plat::WaveFormat& format, MixerRefillCallback callback, void* context) override;
    u16 Close() override;
    u16 Play() override;
    u16 Stop() override;
    void GetPositions(u32* played, u32* written) override;
    u16 GetBuffer(u32 from, MixerRegions* regions) override;
    u16 ReleaseBuffer() override;
    u16 Capabilities() const override { return kDevicePushBuffer | kDeviceCanMixStreams; }
    void FormatInfo(u32* baseRate, u32* formatMask) const override;
    u32 Latency(const plat::WaveFormat&) const override { return 20; }

    u32 RingFrames() const { return ringFrames_; }

private:
    // Positions from the cursors of a buffer that starts (again) from its beginning.
    void RestartPositions();
    void ReadCursors();

    const PcmMixSettings& settings_;
    bool initialised_ = false;
    u32 driver_ = 0;
    std::unique_ptr<plat::PushBuffer> buffer_;
    plat::WaveFormat format_;
    u32 ringFrames_ = 0;
    u32 playCursor_ = 0;
    u32 writeCursor_ = 0;
    u32 playWraps_ = 0;
    u32 writeWraps_ = 0;
    bool locked_ = false;
};
