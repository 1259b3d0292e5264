#include "engine/audio/WaveOutDevice.h"

#include <cstring>

#include "engine/base/FixedPoint.h"

namespace {

u16 bcd(u32 value) { return u16(((value / 10 % 10) << 4) | (value % 10)); }

}  // namespace

WaveOutDevice::WaveOutDevice(const PcmMixSettings& settings) : settings_(settings) {}

WaveOutDevice::~WaveOutDevice() { Close(); }

u16 WaveOutDevice::Init(u16 deviceId) {
    deviceId_ = deviceId == plat::kWaveMapper ? 0 : deviceId;
    const u16 error = plat::waveOutGetCaps(deviceId_, &caps_);
    if (error) return error;
    productName_ = caps_.productName;
    driverVersion_ = u16((bcd(caps_.driverVersion >> 8) << 8) | bcd(caps_.driverVersion & 0xFF));
    info_ = mixerFindDeviceInfo(settings_.deviceInfo, productName_);
    if (info_.notSupported) return plat::kMmErrNotSupported;
    formats_ = caps_.formats;
    if (info_.sizeOverride == 8) formats_ &= kFormats8Bit;
    if (info_.sizeOverride == 16) formats_ &= kFormats16Bit;
    if (info_.rateOverride == 11025) formats_ &= kFormats11k;
    if (info_.rateOverride == 22050) formats_ &= kFormats22k;
    if (info_.rateOverride == 44100) formats_ &= kFormats44k;
    return plat::kMmNoError;
}

void WaveOutDevice::FormatInfo(u32* baseRate, u32* formatMask) const {
    *baseRate = 11025;
    *formatMask = formats_;
}

u32 WaveOutDevice::Latency(const plat::WaveFormat& format) const {
    if (format.samplesPerSec == 0) return 0;
    return u32(fixedMul(fixedDiv(Fixed(info_.leadFrames), Fixed(format.samplesPerSec)), 1000));
}

u16 WaveOutDevice::Open(const plat::WaveFormat& format, MixerRefillCallback callback, void* context) {
    if (open_) return plat::kMmErrError;
    const u16 error = plat::WaveOut::open(waveOut_, deviceId_, format, [this](plat::WaveOut&, u32 message, plat::WaveHeader* header) {
        if (message != plat::kWaveOutDone) return;
        const u32 end = u32(header->user);
        u32 seen = completed_.load();
        while (pcmMixBefore(seen, end) && !completed_.compare_exchange_weak(seen, end)) {
        }
    });
    if (error) return error;
    mixerClampDeviceInfo(&info_, format.blockAlign);
    ringFrames_ = info_.buffers * info_.framesPerBuffer;
    samples_.assign(size_t(ringFrames_) * format.blockAlign, 0);
    headers_.clear();
    const u32 bufferBytes = info_.framesPerBuffer * format.blockAlign;
    for (u32 i = 0; i < info_.buffers; ++i) {
        auto header = std::make_unique<plat::WaveHeader>();
        header->data = samples_.data() + size_t(i) * bufferBytes;
        header->bufferLength = bufferBytes;
        waveOut_->prepare(header.get());
        header->flags.fetch_or(plat::kWaveHeaderDone);
        headers_.push_back(std::move(header));
    }
    format_ = format;
    refill_ = callback;
    refillContext_ = context;
    FillSilence();
    bufferLocks_ = 0;
    completed_ = 0;
    played_ = written_ = 0;
    open_ = true;
    CreateThread(kWaveOutPollMs, settings_.runDeviceThreads);
    return plat::kMmNoError;
}

u16 WaveOutDevice::Close() {
    if (!open_) return plat::kMmErrNoDriver;
    if (playing_) Stop();
    thread_.reset();
    for (auto& header : headers_) waveOut_->unprepare(header.get());
    waveOut_->close();
    waveOut_.reset();
    headers_.clear();
    refill_ = nullptr;
    open_ = false;
    return plat::kMmNoError;
}

void WaveOutDevice::FillSilence() {
    std::memset(samples_.data(), format_.bitsPerSample == 8 ? 0x80 : 0, samples_.size());
}

u16 WaveOutDevice::Play() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    if (!playing_) {
        waveOut_->pause();
        playing_ = true;
        FillNow();
        TopUp(info_.startupFillFrames);
        waveOut_->restart();
        if (thread_) thread_->Resume();
    }
    Unlock();
    return plat::kMmNoError;
}

u16 WaveOutDevice::Stop() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    u16 result = plat::kMmNoError;
    if (bufferLocks_ != 0) {
        result = plat::kMmErrError;
    } else if (playing_) {
        if (thread_) thread_->Suspend();
        waveOut_->reset();
        FillSilence();
        bufferLocks_ = 0;
        completed_ = 0;
        played_ = written_ = 0;
        playing_ = false;
    }
    Unlock();
    return result;
}

void WaveOutDevice::GetPositions(u32* played, u32* written) {
    Lock();
    if (playing_) {
        plat::TimeRecord time;
        time.type = plat::kTimeSamples;
        waveOut_->getPosition(&time);
        u32 driver = time.value;
        if (time.type == plat::kTimeMs) driver = u32(u64(format_.samplesPerSec) * time.value / 1000);
        if (time.type == plat::kTimeBytes) driver = time.value / format_.blockAlign;
        if (pcmMixBefore(played_, driver)) played_ = driver;
        TopUp(0);
    }
    if (played) *played = played_;
    if (written) *written = written_;
    Unlock();
}

void WaveOutDevice::TopUp(u32 minimum) {
    u32 count = 0;
    bool wrote = false;
    while (pcmMixBefore(written_ - played_, info_.leadFrames) || count < minimum) {
        plat::WaveHeader* header = headers_[(written_ % ringFrames_) / info_.framesPerBuffer].get();
        if (!(header->flags.load() & plat::kWaveHeaderDone)) break;
        header->flags.fetch_and(~plat::kWaveHeaderDone);
        header->user = written_ + info_.framesPerBuffer;
        header->reserved = reinterpret_cast<uintptr_t>(this);
        if (waveOut_->write(header) != plat::kMmNoError) {
            header->flags.fetch_or(plat::kWaveHeaderDone);
            break;
        }
        written_ += info_.framesPerBuffer;
        count += info_.framesPerBuffer;
        wrote = true;
    }
    if (wrote) PostRefill();
}

u16 WaveOutDevice::GetBuffer(u32 from, MixerRegions* regions) {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    *regions = MixerRegions{};
    if (bufferLocks_ != 0 || pcmMixBefore(from, written_) || !pcmMixBefore(from - written_, ringFrames_)) {
        Unlock();
        return plat::kMmErrError;
    }
    const u32 align = format_.blockAlign;
    u32 frame = from;
    const u32 limit = written_ + ringFrames_;
    while (pcmMixBefore(frame, limit)) {
        const u32 index = (frame % ringFrames_) / info_.framesPerBuffer;
        plat::WaveHeader* header = headers_[index].get();
        if (!(header->flags.load() & plat::kWaveHeaderDone)) break;
        const u32 offset = frame % info_.framesPerBuffer;
        const u32 frames = info_.framesPerBuffer - offset;
        u8* data = header->data + size_t(offset) * align;
        if (bufferLocks_ == 0) {
            regions->first = data;
        } else if (index == 0 && regions->first != samples_.data()) {
            regions->second = data;
        }
        (regions->second ? regions->secondFrames : regions->firstFrames) += frames;
        ++bufferLocks_;
        frame += frames;
    }
    const u16 result = bufferLocks_ != 0 ? plat::kMmNoError : plat::kMmErrError;
    Unlock();
    return result;
}

u16 WaveOutDevice::ReleaseBuffer() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    const u16 result = bufferLocks_ != 0 ? plat::kMmNoError : plat::kMmErrError;
    bufferLocks_ = 0;
    Unlock();
    return result;
}
