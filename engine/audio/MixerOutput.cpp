#include "engine/audio/PcmMixModule.h"
#include "engine/audio/PushBufferDevice.h"
#include "engine/audio/WaveOutDevice.h"
#include "platform/audio/output/PushBuffer.h"
#include "platform/audio/output/WaveOut.h"

void pcmMixInitOutput() {
    PcmMixModule& module = pcmMixModule();
    module.pushBufferInUse = module.settings.pushBufferEnable && plat::pushBufferDriverCount() > 0;
}

void pcmMixShutdownOutput() { pcmMixModule().pushBufferInUse = false; }

u16 pcmMixGetOutputDeviceCount() {
    return u16(pcmMixModule().pushBufferInUse ? plat::pushBufferDriverCount() : plat::waveOutDeviceCount());
}

u16 pcmMixOpenDevice(u16 deviceId, std::unique_ptr<MixerDevice>* device) {
    PcmMixModule& module = pcmMixModule();
    if (deviceId != plat::kWaveMapper && deviceId >= pcmMixGetOutputDeviceCount()) return plat::kMmErrBadDeviceId;
    std::unique_ptr<MixerDevice> made;
    if (module.pushBufferInUse)
        made = std::make_unique<PushBufferDevice>(module.settings);
    else
        made = std::make_unique<WaveOutDevice>(module.settings);
    const u16 error = made->Init(deviceId);
    if (error) return error;
    *device = std::move(made);
    return plat::kMmNoError;
}
