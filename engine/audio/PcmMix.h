#pragma once
// PcmMix, the engine's software wave mixer. To its clients it is the wave-out interface:
// each open handle is a mixer channel, and every channel of one output device is resampled,
// scaled and mixed in software into the one stream that device plays. With the mixer off,
// or for a device that refuses mixing, the same calls pass straight through to the platform
// wave-out device. Results are the wave-out codes of platform/audio/WaveTypes.h.
//
// Threads: clients call from the program's threads; the device thread refills under the
// device lock and calls back (done, loop passed) with that lock held, so a callback must
// not block. Open and close run on the caller's thread and send the open and close messages.
#include <cstdint>

#include "engine/base/EngineTypes.h"
#include "engine/audio/PcmMixSettings.h"
#include "platform/audio/WaveTypes.h"

class PcmMixObject;
using PcmMixHandle = PcmMixObject*;
// (handle, message, instance, parameter 1, parameter 2)
using PcmMixCallback = void (*)(PcmMixHandle handle, u32 message, uintptr_t instance, uintptr_t param1,
                                uintptr_t param2);

// Sent each time the played position passes from one pass of a loop into the next.
constexpr u32 kPcmMixLoopPassed = 32768;
constexpr u16 kPcmMixVersion = 0x0700;

// Open flags.
constexpr u32 kPcmMixFormatQuery = 0x00000001;
constexpr u32 kPcmMixCallbackTypeMask = 0x00070000;
constexpr u32 kPcmMixCallbackFunction = 0x00030000;
constexpr u32 kPcmMixSwapSides = 0x20000000;
constexpr u32 kPcmMixNativeOrder = 0x40000000;
constexpr u32 kPcmMixNoLoopMessages = 0x80000000;

// Sizes callers pass with headers and time records.
constexpr u32 kPcmMixHeaderSize = sizeof(plat::WaveHeader);
constexpr u32 kPcmMixTimeSize = sizeof(plat::TimeRecord);

// Device capabilities; callers that pass kPcmMixDevCapsExtendedSize also get the three extras.
constexpr u32 kPcmMixDevCapsSize = 52;
constexpr u32 kPcmMixDevCapsExtendedSize = 64;
constexpr u32 kPcmMixSupportVolume = 0x0004;
constexpr u32 kPcmMixSupportLeftRightVolume = 0x0008;
constexpr u32 kPcmMixSupportPlaybackRate = 0x0002;
constexpr u32 kPcmMixSupportExtended = 0x80000000;
constexpr u32 kPcmMixSupportPushBuffer = 0x40000000;

struct PcmMixDevCaps {
    u16 manufacturerId = 0;
    u16 productId = 0;
    u16 driverVersion = 0;
    char productName[32] = {};
    u32 formats = 0;
    u16 channels = 0;
    u32 support = 0;
    u32 baseRate = 0;
    u32 chosenFormat = 0;
    u32 latencyMs = 0;
};

// Starts the mixer with the settings of the engine INI (which must be started).
EngineErr pcmMixInit();
EngineErr pcmMixInit(const PcmMixSettings& settings);
void pcmMixShutdown();

u16 pcmMixBreakLoop(PcmMixHandle handle);
// Takes back every queued buffer of which the output device holds nothing yet, so that a
// client can replace what is still to come; what the device holds plays on unchanged. The
// buffers leave the queue neither done nor reported, and stay prepared. Handles passed
// straight to a platform device cannot take buffers back: kMmErrNotSupported.
u16 pcmMixDropUnwritten(PcmMixHandle handle);
u16 pcmMixClose(PcmMixHandle handle);
u16 pcmMixEnable(u16 enable);
u16 pcmMixEnableRemix(u16 enable);
u16 pcmMixGetBalance(PcmMixHandle handle, u32* balance);
u16 pcmMixGetDevCaps(u16 deviceId, PcmMixDevCaps* caps, u32 size);
u16 pcmMixGetID(PcmMixHandle handle, u16* deviceId);
u16 pcmMixGetNumDevs();
u16 pcmMixGetPlaybackRate(PcmMixHandle handle, u32* rate);
u16 pcmMixGetPitch(PcmMixHandle handle, u32* pitch);
u16 pcmMixGetPosition(PcmMixHandle handle, plat::TimeRecord* time, u32 size);
u16 pcmMixGetVolume(PcmMixHandle handle, u32* volume);
u16 pcmMixOpen(PcmMixHandle* handle, u16 deviceId, const plat::WaveFormat* format, PcmMixCallback callback,
               uintptr_t instance, u32 flags);
u16 pcmMixPause(PcmMixHandle handle);
u16 pcmMixPrepareHeader(PcmMixHandle handle, plat::WaveHeader* header, u32 size);
void pcmMixPurge();
u16 pcmMixIsEnabled();
u16 pcmMixGetVersion();
u16 pcmMixReset(PcmMixHandle handle);
u16 pcmMixRestart(PcmMixHandle handle);
u16 pcmMixSetBalance(PcmMixHandle handle, u32 balance);
u16 pcmMixSetPitch(PcmMixHandle handle, u32 pitch);
u16 pcmMixSetPlaybackRate(PcmMixHandle handle, u32 rate);
u16 pcmMixSetVolume(PcmMixHandle handle, u32 volume);
u16 pcmMixUnprepareHeader(PcmMixHandle handle, plat::WaveHeader* header, u32 size);
u16 pcmMixWrite(PcmMixHandle handle, plat::WaveHeader* header, u32 size);

// Runs one polling step of every started stream's device, for tests that drive the devices
// by hand (settings.runDeviceThreads off).
void pcmMixPollDevices();
