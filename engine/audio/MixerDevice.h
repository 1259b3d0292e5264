#pragma once
// The output device behind one mixing stream: a ring of output frames that a device thread
// plays, with a lock under which that thread advances the positions and calls the refill
// callback, so that the mixer renders the next frames straight into the ring.
// The mixer's channel operations take the same lock (Lock/Unlock nest) on the client's thread.
// The lock is a critical section with the device's engine lock inside it: a refill is a
// notification posted to that engine lock, so one asked for while the lock is held runs when
// the outermost Unlock leaves the engine lock, still inside the critical section, and never
// interrupts a change half made. The engine lock is not registered: its notifications run
// on the device's threads, never on the user-interface thread.
// Positions are output frames counted in 32 bits; they wrap, so compare them by difference.
#include <memory>
#include <mutex>
#include <string>

#include "engine/base/EngineTypes.h"
#include "engine/os/OsLock.h"
#include "engine/audio/MixerDeviceThread.h"
#include "platform/audio/WaveTypes.h"

// Position a lies before position b on the wrapping 32-bit time line.
inline bool pcmMixBefore(u32 a, u32 b) { return i32(a - b) < 0; }

// (context, played frame, written frame); called under the device lock.
using MixerRefillCallback = void (*)(void* context, u32 played, u32 written);

constexpr u16 kDeviceCanMixStreams = 0x0001;
constexpr u16 kDeviceCanRemix = 0x0002;
constexpr u16 kDevicePushBuffer = 0x8000;

// Format bits of a device: each rate group holds 8-bit mono, 8-bit stereo, 16-bit mono and
// 16-bit stereo, from the lowest bit up.
constexpr u32 kFormats11k = 0x00F;
constexpr u32 kFormats22k = 0x0F0;
constexpr u32 kFormats44k = 0xF00;
constexpr u32 kFormats8Bit = 0x333;
constexpr u32 kFormats16Bit = 0xCCC;
constexpr u32 kFormatsStereo = 0xAAA;
constexpr u32 kFormatsAll = 0xFFF;

struct MixerRegions {
    u8* first = nullptr;
    u32 firstFrames = 0;
    u8* second = nullptr;
    u32 secondFrames = 0;
};

class MixerDevice {
public:
    MixerDevice();
    virtual ~MixerDevice() = default;

    virtual u16 Init(u16 deviceId) = 0;
    virtual u16 Open(const plat::WaveFormat& format, MixerRefillCallback callback, void* context) = 0;
    virtual u16 Close() = 0;
    virtual u16 Play() = 0;
    virtual u16 Stop() = 0;
    virtual void GetPositions(u32* played, u32* written) = 0;
    virtual u16 GetBuffer(u32 from, MixerRegions* regions) = 0;
    virtual u16 ReleaseBuffer() = 0;
    virtual u16 Capabilities() const = 0;
    virtual void FormatInfo(u32* baseRate, u32* formatMask) const = 0;
    virtual u32 Latency(const plat::WaveFormat& format) const = 0;

    // One pass of the device thread's loop: advance the positions and, when either moved,
    // refill. Tests call it directly instead of running the thread.
    void PollStep();

    void Lock();
    void Unlock();

    const std::string& ProductName() const { return productName_; }
    u16 DriverVersion() const { return driverVersion_; }

protected:
    // Asks for a refill with the present positions: at once when the lock is free, else at the last Unlock.
    void PostRefill();
    static void RunRefill(uintptr_t device);
    // The first fill when play starts: at once, so that the first buffers handed over hold
    // mixed frames; posted instead when a caller further up already holds the lock.
    void FillNow();
    // Starts the polling thread (suspended) unless the tests drive PollStep themselves.
    void CreateThread(u32 periodMs, bool run);

    std::recursive_mutex lock_;
    osmLock engineLock_;
    osmNotification refillNote_;
    std::string productName_;
    u16 driverVersion_ = 0;
    MixerRefillCallback refill_ = nullptr;
    void* refillContext_ = nullptr;
    bool open_ = false;
    bool playing_ = false;
    u32 played_ = 0;
    u32 written_ = 0;
    std::unique_ptr<MixerDeviceThread> thread_;
};
