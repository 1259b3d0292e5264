#include "engine/audio/PcmMix.h"

#include <cstring>

#include "engine/audio/PcmMixChannel.h"
#include "engine/audio/PcmMixModule.h"
#include "engine/audio/PcmMixPassThrough.h"
#include "engine/audio/PcmMixStream.h"
#include "platform/audio/output/WaveOut.h"

namespace {

constexpr u32 kBaseRate = 11025;
constexpr u16 kMixedChannels = 2;

PcmMixModule module;

bool isValid(PcmMixHandle handle) {
    if (!handle || !module.handles) return false;
    PcmMixObject* object = module.handles;
    do {
        if (object == handle) return object->tag == kPcmMixTag;
        object = object->ringNext;
    } while (object != module.handles);
    return false;
}

void linkHandle(PcmMixObject* object) {
    if (!module.handles) {
        module.handles = object;
        object->ringNext = object->ringPrev = object;
        return;
    }
    object->ringNext = module.handles;
    object->ringPrev = module.handles->ringPrev;
    module.handles->ringPrev->ringNext = object;
    module.handles->ringPrev = object;
}

void unlinkHandle(PcmMixObject* object) {
    if (object->ringNext == object) {
        module.handles = nullptr;
    } else {
        object->ringPrev->ringNext = object->ringNext;
        object->ringNext->ringPrev = object->ringPrev;
        if (module.handles == object) module.handles = object->ringNext;
    }
    object->ringNext = object->ringPrev = nullptr;
}

void linkStream(PcmMixStream* stream) {
    stream->next = module.streams;
    stream->prev = nullptr;
    if (module.streams) module.streams->prev = stream;
    module.streams = stream;
}

void destroyStream(PcmMixStream* stream) {
    if (stream->prev)
        stream->prev->next = stream->next;
    else
        module.streams = stream->next;
    if (stream->next) stream->next->prev = stream->prev;
    delete stream;
}

PcmMixStream* findStream(u16 deviceId) {
    for (PcmMixStream* s = module.streams; s; s = s->next)
        if (s->deviceId == deviceId) return s;
    return nullptr;
}

// Destroys a handle whatever its state: queued buffers come back to the client first.
void destroyHandle(PcmMixObject* object) {
    unlinkHandle(object);
    if (auto* channel = dynamic_cast<PcmMixChannel*>(object)) {
        PcmMixStream& stream = channel->Stream();
        channel->Retire();
        stream.RemoveChannel(channel);
        delete channel;
        if (stream.deviceMixing && stream.channelCount == 0) destroyStream(&stream);
        return;
    }
    auto* passThrough = static_cast<PcmMixPassThrough*>(object);
    passThrough->Retire();
    delete passThrough;
}

u16 fromBcd(u8 digits) { return u16((digits >> 4) * 10 + (digits & 0xF)); }

bool isPcm(const plat::WaveFormat* format) { return format && format->formatTag == plat::kWaveFormatPcm; }

u16 openPassThrough(PcmMixHandle* handle, u16 deviceId, const plat::WaveFormat* format, PcmMixCallback callback,
                    uintptr_t instance, u32 flags) {
    if (flags & kPcmMixFormatQuery) {
        std::unique_ptr<plat::WaveOut> probe;
        const u16 error = plat::WaveOut::open(probe, deviceId, *format, nullptr);
        if (probe) probe->close();
        return error;
    }
    auto* passThrough = new PcmMixPassThrough(deviceId);
    const u16 error = passThrough->Open(*format, callback, instance, flags);
    if (error) {
        delete passThrough;
        return error;
    }
    linkHandle(passThrough);
    *handle = passThrough;
    return plat::kMmNoError;
}

template <typename Operation>
u16 withHandle(PcmMixHandle handle, Operation operation) {
    if (!isValid(handle)) return plat::kMmErrInvalidHandle;
    return operation(*handle);
}

}  // namespace

PcmMixModule& pcmMixModule() { return module; }

EngineErr pcmMixInit() {
    PcmMixSettings settings;
    pcmMixReadSettings(nullptr, &settings);
    return pcmMixInit(settings);
}

EngineErr pcmMixInit(const PcmMixSettings& settings) {
    if (module.initialised) pcmMixShutdown();
    module = PcmMixModule{};
    module.kernels = pcmMixBuiltInKernels();
    module.settings = settings;
    if (settings.enable) {
        const u32 rate = settings.frameRate;
        if ((rate != 11025 && rate != 22050 && rate != 44100) || (settings.sampleSize != 8 && settings.sampleSize != 16))
            return plat::kMmErrError;
    }
    pcmMixInitOutput();
    module.initialised = true;
    module.enabledAtStart = settings.enable;
    return kErrNone;
}

void pcmMixShutdown() {
    while (module.handles) destroyHandle(module.handles);
    while (module.streams) destroyStream(module.streams);
    pcmMixShutdownOutput();
    module.initialised = false;
}

u16 pcmMixOpen(PcmMixHandle* handle, u16 deviceId, const plat::WaveFormat* format, PcmMixCallback callback,
               uintptr_t instance, u32 flags) {
    if (!module.initialised) return plat::kMmErrError;
    if (!handle || !format) return plat::kMmErrInvalidParam;
    if (module.settings.enable) {
        if (!isPcm(format)) return plat::kWaveErrBadFormat;
        if (flags & kPcmMixFormatQuery) return plat::kMmNoError;
        const u32 callbackType = flags & kPcmMixCallbackTypeMask;
        if (callbackType != 0 && callbackType != kPcmMixCallbackFunction) return plat::kMmErrInvalidParam;

        PcmMixStream* stream = findStream(deviceId);
        bool created = false;
        if (!stream || stream->deviceMixing) {
            if (deviceId != plat::kWaveMapper && deviceId >= pcmMixGetOutputDeviceCount())
                return plat::kMmErrBadDeviceId;
            stream = new PcmMixStream;
            const u16 error = stream->Open(deviceId, format);
            if (error) {
                delete stream;
                return error;
            }
            linkStream(stream);
            created = true;
        }
        const u16 error = stream->Start();
        if (error == plat::kMmNoError) {
            // The channel joins the stream once it is set up: the device thread may mix it at once.
            auto* channel = new PcmMixChannel(*stream);
            const u16 openError = channel->Open(*format, callback, instance, flags);
            if (openError) {
                delete channel;
                if (created) destroyStream(stream);
                return openError;
            }
            stream->AddChannel(channel);
            linkHandle(channel);
            *handle = channel;
            channel->Notify(plat::kWaveOutOpened);
            return plat::kMmNoError;
        }
        if (created) destroyStream(stream);
        if (!created || error != plat::kMmErrNotSupported) return error;
    } else {
        for (PcmMixStream* s = module.streams; s; s = s->next)
            if (s->channelCount != 0) return plat::kMmErrAllocated;
    }
    return openPassThrough(handle, deviceId, format, callback, instance, flags);
}

u16 pcmMixClose(PcmMixHandle handle) {
    if (!isValid(handle)) return plat::kMmErrInvalidHandle;
    const u16 error = handle->Close();
    if (error) return error;
    destroyHandle(handle);
    return plat::kMmNoError;
}

u16 pcmMixEnable(u16 enable) {
    const u16 old = module.settings.enable ? 1 : 0;
    if (enable && !module.enabledAtStart) return 0;
    if ((enable != 0) == module.settings.enable) return old;
    // Handles that refuse to close (buffers still queued) are destroyed all the same, as at shutdown.
    while (module.handles) {
        PcmMixObject* object = module.handles;
        if (object->Close() != plat::kMmNoError) {
            object->Reset();
            object->Close();
        }
        destroyHandle(object);
    }
    pcmMixPurge();
    module.settings.enable = enable != 0;
    return old;
}

u16 pcmMixEnableRemix(u16 enable) {
    const u16 old = module.settings.enableRemix ? 1 : 0;
    module.settings.enableRemix = enable != 0;
    if (!enable) return old;
    for (PcmMixStream* s = module.streams; s; s = s->next) {
        if (!s->started || !s->remixPending || !(s->capabilities & kDeviceCanRemix)) continue;
        PcmMixDeviceLock lock(*s);
        s->Remix(s->WrittenPosition());
    }
    return old;
}

u16 pcmMixGetDevCaps(u16 deviceId, PcmMixDevCaps* caps, u32 size) {
    if (!caps || (size != kPcmMixDevCapsSize && size != kPcmMixDevCapsExtendedSize)) return plat::kMmErrInvalidParam;
    *caps = PcmMixDevCaps{};
    const bool extended = size == kPcmMixDevCapsExtendedSize;
    const auto systemCaps = [&]() -> u16 {
        plat::WaveOutCaps system;
        const u16 error = plat::waveOutGetCaps(deviceId, &system);
        if (error) return error;
        caps->manufacturerId = system.manufacturerId;
        caps->productId = system.productId;
        caps->driverVersion = u16(system.driverVersion);
        std::strncpy(caps->productName, system.productName.c_str(), sizeof(caps->productName) - 1);
        caps->formats = system.formats;
        caps->channels = system.channels;
        if (extended) {
            caps->baseRate = kBaseRate;
            caps->chosenFormat = system.formats;
            caps->support |= kPcmMixSupportExtended;
        }
        return plat::kMmNoError;
    };
    if (!module.initialised || !module.settings.enable) return systemCaps();

    PcmMixStream* stream = findStream(deviceId);
    PcmMixStream* opened = nullptr;
    if (!stream) {
        opened = new PcmMixStream;
        const u16 error = opened->Open(deviceId, nullptr);
        if (error) {
            delete opened;
            return error == plat::kMmErrNotSupported ? systemCaps() : error;
        }
        linkStream(opened);
        stream = opened;
    }
    const u16 version = stream->device->DriverVersion();
    caps->driverVersion = u16((fromBcd(u8(version >> 8)) << 8) | fromBcd(u8(version)));
    std::strncpy(caps->productName, stream->device->ProductName().c_str(), sizeof(caps->productName) - 1);
    caps->channels = kMixedChannels;
    caps->formats = kFormatsAll;
    caps->support = kPcmMixSupportVolume | kPcmMixSupportLeftRightVolume | kPcmMixSupportPlaybackRate;
    if (extended) {
        caps->baseRate = kBaseRate;
        caps->chosenFormat = stream->formatBit;
        caps->latencyMs = stream->device->Latency(stream->format);
        caps->support |= kPcmMixSupportExtended;
        if (stream->capabilities & kDevicePushBuffer) caps->support |= kPcmMixSupportPushBuffer;
    }
    return plat::kMmNoError;
}

u16 pcmMixGetNumDevs() {
    if (!module.settings.enable) return u16(plat::waveOutDeviceCount());
    return pcmMixGetOutputDeviceCount();
}

void pcmMixPurge() {
    for (PcmMixStream* s = module.streams; s;) {
        PcmMixStream* next = s->next;
        if (s->channelCount == 0) destroyStream(s);
        s = next;
    }
}

u16 pcmMixIsEnabled() { return module.settings.enable ? 1 : 0; }

u16 pcmMixGetVersion() { return module.initialised ? kPcmMixVersion : 0; }

void pcmMixPollDevices() {
    for (PcmMixStream* s = module.streams; s; s = s->next)
        if (s->started) s->device->PollStep();
}

u16 pcmMixBreakLoop(PcmMixHandle h) { return withHandle(h, [](PcmMixObject& o) { return o.BreakLoop(); }); }
u16 pcmMixDropUnwritten(PcmMixHandle h) { return withHandle(h, [](PcmMixObject& o) { return o.DropUnwritten(); }); }
u16 pcmMixGetBalance(PcmMixHandle h, u32* v) { return withHandle(h, [v](PcmMixObject& o) { return o.GetBalance(v); }); }
u16 pcmMixGetID(PcmMixHandle h, u16* v) { return withHandle(h, [v](PcmMixObject& o) { return o.GetID(v); }); }
u16 pcmMixGetPlaybackRate(PcmMixHandle h, u32* v) {
    return withHandle(h, [v](PcmMixObject& o) { return o.GetPlaybackRate(v); });
}
u16 pcmMixGetPitch(PcmMixHandle h, u32* v) { return withHandle(h, [v](PcmMixObject& o) { return o.GetPitch(v); }); }
u16 pcmMixGetPosition(PcmMixHandle h, plat::TimeRecord* t, u32 size) {
    return withHandle(h, [t, size](PcmMixObject& o) { return o.GetPosition(t, size); });
}
u16 pcmMixGetVolume(PcmMixHandle h, u32* v) { return withHandle(h, [v](PcmMixObject& o) { return o.GetVolume(v); }); }
u16 pcmMixPause(PcmMixHandle h) { return withHandle(h, [](PcmMixObject& o) { return o.Pause(); }); }
u16 pcmMixPrepareHeader(PcmMixHandle h, plat::WaveHeader* header, u32 size) {
    return withHandle(h, [header, size](PcmMixObject& o) { return o.PrepareHeader(header, size); });
}
u16 pcmMixReset(PcmMixHandle h) { return withHandle(h, [](PcmMixObject& o) { return o.Reset(); }); }
u16 pcmMixRestart(PcmMixHandle h) { return withHandle(h, [](PcmMixObject& o) { return o.Restart(); }); }
u16 pcmMixSetBalance(PcmMixHandle h, u32 v) { return withHandle(h, [v](PcmMixObject& o) { return o.SetBalance(v); }); }
u16 pcmMixSetPitch(PcmMixHandle h, u32 v) { return withHandle(h, [v](PcmMixObject& o) { return o.SetPitch(v); }); }
u16 pcmMixSetPlaybackRate(PcmMixHandle h, u32 v) {
    return withHandle(h, [v](PcmMixObject& o) { return o.SetPlaybackRate(v); });
}
u16 pcmMixSetVolume(PcmMixHandle h, u32 v) { return withHandle(h, [v](PcmMixObject& o) { return o.SetVolume(v); }); }
u16 pcmMixUnprepareHeader(PcmMixHandle h, plat::WaveHeader* header, u32 size) {
    return withHandle(h, [header, size](PcmMixObject& o) { return o.UnprepareHeader(header, size); });
}
u16 pcmMixWrite(PcmMixHandle h, plat::WaveHeader* header, u32 size) {
    return withHandle(h, [header, size](PcmMixObject& o) { return o.Write(header, size); });
}
