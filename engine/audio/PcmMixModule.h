#pragma once
// The mixer's module-wide state: settings, the ring of open handles, the list of streams,
// the kernel slots and the output side (which device kind the streams use). Changed only
// by start-up, shutdown, open and close on the caller's thread.
#include <memory>

#include "engine/audio/MixerDevice.h"
#include "engine/audio/PcmMixKernels.h"
#include "engine/audio/PcmMixObject.h"
#include "engine/audio/PcmMixSettings.h"

struct PcmMixStream;

struct PcmMixModule {
    PcmMixSettings settings;
    bool initialised = false;
    bool enabledAtStart = false;
    PcmMixObject* handles = nullptr;
    PcmMixStream* streams = nullptr;
    PcmMixKernelTable kernels{};
    bool pushBufferInUse = false;
};

PcmMixModule& pcmMixModule();

// Output side.
void pcmMixInitOutput();
void pcmMixShutdownOutput();
u16 pcmMixGetOutputDeviceCount();
u16 pcmMixOpenDevice(u16 deviceId, std::unique_ptr<MixerDevice>* device);
