#pragma once
// One mixing stream: the output device of one device id (or of one handle under device
// mixing), its output format, the ring of channels mixed into it and how far the output is
// mixed. Its refill runs on the device thread under the device lock; the other mixing
// operations are called by channel operations that hold the same lock.
#include <memory>

#include "engine/audio/MixerDevice.h"
#include "platform/audio/WaveTypes.h"

class PcmMixChannel;

struct PcmMixStream {
    ~PcmMixStream();

    // Opens the output device for the id and chooses the output format.
    u16 Open(u16 id, const plat::WaveFormat* clientFormat);
    // Opens the device stream (once).
    u16 Start();
    void AddChannel(PcmMixChannel* channel);
    void RemoveChannel(PcmMixChannel* channel);

    void Refill(u32 played, u32 written);
    u16 MixFrom(u32 p);
    void Remix(u32 p);
    // Adds one channel into the output already mixed, from p up to the mixed-up-to position.
    void RenderChannel(PcmMixChannel& channel, u32 p);
    u32 RestartPosition(u32 written) const;
    // The device's written position (asking for it also tops the device up).
    u32 WrittenPosition();
    void FillSilence(u8* destination, u32 frames) const;
    u32 FrameBytes() const { return format.blockAlign; }

    bool created = false;
    std::unique_ptr<MixerDevice> device;
    PcmMixStream* next = nullptr;
    PcmMixStream* prev = nullptr;
    PcmMixChannel* ring = nullptr;
    u16 channelCount = 0;
    u16 deviceId = 0;
    u16 capabilities = 0;
    plat::WaveFormat format;
    u32 formatBit = 0;
    bool started = false;
    bool remixPending = false;
    bool deviceMixing = false;
    u32 granularity = 1;
    u32 mixedTo = 0;
    // Nothing has been queued on any channel since the played position quietFrom.
    bool quiet = false;
    u32 quietFrom = 0;

private:
    void ChooseFormat();
    // Stops the device and starts the mixed-up-to mark again with its positions.
    void StopDevice();
    void MixRegion(u32 p, u8* destination, u32 frames);
};

// The lock of a stream's device for one scope.
class PcmMixDeviceLock {
public:
    explicit PcmMixDeviceLock(PcmMixStream& stream) : device_(*stream.device) { device_.Lock(); }
    ~PcmMixDeviceLock() { device_.Unlock(); }
    PcmMixDeviceLock(const PcmMixDeviceLock&) = delete;
    PcmMixDeviceLock& operator=(const PcmMixDeviceLock&) = delete;

private:
    MixerDevice& device_;
};
