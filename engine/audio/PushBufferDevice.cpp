#include "engine/audio/PushBufferDevice.h"

namespace {

constexpr u32 kRingRounding = 256;
constexpr u32 kCursorRounding = 8;

}  // namespace

PushBufferDevice::PushBufferDevice(const PcmMixSettings& settings) : settings_(settings) {}

PushBufferDevice::~PushBufferDevice() { Close(); }

u16 PushBufferDevice::Init(u16 deviceId) {
    const u32 count = plat::pushBufferDriverCount();
    driver_ = deviceId == plat::kWaveMapper ? 0 : deviceId;
    if (driver_ >= count) return plat::kMmErrBadDeviceId;
    productName_ = plat::pushBufferDriverName(driver_);
    driverVersion_ = 0x0100;
    initialised_ = true;
    return plat::kMmNoError;
}

void PushBufferDevice::FormatInfo(u32* baseRate, u32* formatMask) const {
    *baseRate = 11025;
    *formatMask = kFormatsAll;
}

u16 PushBufferDevice::Open(const plat::WaveFormat& format, MixerRefillCallback callback, void* context) {
    if (!initialised_ || open_) return plat::kMmErrNoDriver;
    const u32 frames = plat::pushBufferDriverEmulated(driver_) ? format.samplesPerSec : format.samplesPerSec / 5;
    ringFrames_ = (frames + kRingRounding - 1) / kRingRounding * kRingRounding;
    const u16 error = plat::PushBuffer::create(buffer_, driver_, format, ringFrames_ * format.blockAlign);
    if (error) return error;
    format_ = format;
    refill_ = callback;
    refillContext_ = context;
    RestartPositions();
    open_ = true;
    CreateThread(kPushBufferPollMs, settings_.runDeviceThreads);
    return plat::kMmNoError;
}

u16 PushBufferDevice::Close() {
    if (!open_) return plat::kMmErrNoDriver;
    if (playing_) Stop();
    thread_.reset();
    buffer_.reset();
    refill_ = nullptr;
    open_ = false;
    return plat::kMmNoError;
}

u16 PushBufferDevice::Play() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    if (!playing_) {
        playing_ = true;
        FillNow();
        buffer_->play();
        if (thread_) thread_->Resume();
    }
    Unlock();
    return plat::kMmNoError;
}

u16 PushBufferDevice::Stop() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    u16 result = plat::kMmNoError;
    if (locked_) {
        result = plat::kMmErrError;
    } else if (playing_) {
        if (thread_) thread_->Suspend();
        buffer_->stop();
        buffer_->setCurrentPosition(0);
        RestartPositions();
        playing_ = false;
    }
    Unlock();
    return result;
}

void PushBufferDevice::RestartPositions() {
    playWraps_ = writeWraps_ = 0;
    playCursor_ = writeCursor_ = 0;
    ReadCursors();
    played_ = playCursor_ / format_.blockAlign;
    written_ = writeCursor_ / format_.blockAlign;
}

void PushBufferDevice::ReadCursors() {
    u32 play = 0;
    u32 write = 0;
    buffer_->getCurrentPosition(&play, &write);
    const u32 ringBytes = buffer_->size();
    play = play / kCursorRounding * kCursorRounding;
    write = (write + kCursorRounding - 1) / kCursorRounding * kCursorRounding % ringBytes;
    if (play < playCursor_) ++playWraps_;
    // The write cursor is never behind the play cursor's pass and at most one pass ahead of it.
    writeWraps_ = write < play ? playWraps_ + 1 : playWraps_;
    playCursor_ = play;
    writeCursor_ = write;
}

void PushBufferDevice::GetPositions(u32* played, u32* written) {
    Lock();
    if (playing_) {
        ReadCursors();
        played_ = playWraps_ * ringFrames_ + playCursor_ / format_.blockAlign;
        written_ = writeWraps_ * ringFrames_ + writeCursor_ / format_.blockAlign;
    }
    if (played) *played = played_;
    if (written) *written = written_;
    Unlock();
}

u16 PushBufferDevice::GetBuffer(u32 from, MixerRegions* regions) {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    *regions = MixerRegions{};
    u16 result = plat::kMmErrError;
    if (!locked_ && !pcmMixBefore(from, written_) && pcmMixBefore(from, played_ + ringFrames_)) {
        const u32 align = format_.blockAlign;
        plat::PushBufferRegions bytes;
        if (buffer_->lock((from % ringFrames_) * align, (played_ + ringFrames_ - from) * align, &bytes) ==
            plat::kMmNoError) {
            regions->first = bytes.first;
            regions->firstFrames = bytes.firstBytes / align;
            regions->second = bytes.second;
            regions->secondFrames = bytes.secondBytes / align;
            locked_ = true;
            result = plat::kMmNoError;
        }
    }
    Unlock();
    return result;
}

u16 PushBufferDevice::ReleaseBuffer() {
    if (!open_) return plat::kMmErrNoDriver;
    Lock();
    const u16 result = locked_ ? buffer_->unlock() : plat::kMmErrError;
    locked_ = false;
    Unlock();
    return result;
}
