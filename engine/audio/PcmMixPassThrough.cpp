#include "engine/audio/PcmMixPassThrough.h"

#include <utility>

u16 PcmMixPassThrough::Open(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance,
                            u32 flags) {
    KeepCommon(format, callback, instance, flags);
    return plat::WaveOut::open(waveOut_, deviceId_, format, [this](plat::WaveOut&, u32 message, plat::WaveHeader* header) {
        Notify(message, reinterpret_cast<uintptr_t>(header));
    });
}

u16 PcmMixPassThrough::Close() {
    const u16 error = waveOut_->close();
    closed_ = error == plat::kMmNoError;
    return error;
}

void PcmMixPassThrough::Retire() {
    if (closed_) return;
    waveOut_->reset();
    Close();
}

u16 PcmMixPassThrough::GetID(u16* deviceId) { return Report(deviceId, deviceId_); }

u16 PcmMixPassThrough::GetPitch(u32* pitch) { return Report(pitch, kFixedOne); }

u16 PcmMixPassThrough::GetPlaybackRate(u32* rate) { return Report(rate, kFixedOne); }

u16 PcmMixPassThrough::GetVolume(u32* volume) { return Report(volume, kFixedOne); }

u16 PcmMixPassThrough::GetPosition(plat::TimeRecord* time, u32 size) {
    if (!time || size != kPcmMixTimeSize) return plat::kMmErrInvalidParam;
    return waveOut_->getPosition(time);
}

void PcmMixPassThrough::SwapSamples(plat::WaveHeader* header) {
    for (u32 i = 0; i + 1 < header->bufferLength; i += 2) std::swap(header->data[i], header->data[i + 1]);
}

u16 PcmMixPassThrough::PrepareHeader(plat::WaveHeader* header, u32 size) {
    if (!header || size != kPcmMixHeaderSize) return plat::kMmErrInvalidParam;
    if (SwapsSamples() && !(header->flags.load() & plat::kWaveHeaderPrepared)) SwapSamples(header);
    return waveOut_->prepare(header);
}

u16 PcmMixPassThrough::UnprepareHeader(plat::WaveHeader* header, u32 size) {
    if (!header || size != kPcmMixHeaderSize) return plat::kMmErrInvalidParam;
    const u32 flags = header->flags.load();
    if (SwapsSamples() && (flags & plat::kWaveHeaderPrepared) && !(flags & plat::kWaveHeaderInQueue))
        SwapSamples(header);
    return waveOut_->unprepare(header);
}

u16 PcmMixPassThrough::Write(plat::WaveHeader* header, u32 size) {
    if (!header || size != kPcmMixHeaderSize) return plat::kMmErrInvalidParam;
    return waveOut_->write(header);
}
