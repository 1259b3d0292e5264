#include "platform/audio/output/WaveOut.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/choice/AudioChoice.h"

namespace plat {

uint32_t waveOutDeviceCount() { return audioBackend().deviceCount(); }

uint16_t waveOutGetCaps(uint32_t device, WaveOutCaps* caps) {
    AudioBackend& backend = audioBackend();
    if (device == kWaveMapper) device = 0;
    if (device >= backend.deviceCount()) return kMmErrBadDeviceId;
    if (!caps) return kMmErrInvalidParam;
    *caps = WaveOutCaps{};
    caps->productName = backend.deviceName(device);
    caps->driverVersion = 0x0100;
    caps->formats = kWaveFormatsAll;
    return kMmNoError;
}

WaveOut::WaveOut(const WaveFormat& format, Callback callback) : format_(format), callback_(std::move(callback)) {}

uint16_t WaveOut::open(std::unique_ptr<WaveOut>& out, uint32_t device, const WaveFormat& format,
                       Callback callback) {
    AudioBackend& backend = audioBackend();
    if (device == kWaveMapper) device = 0;
    if (device >= backend.deviceCount()) return kMmErrBadDeviceId;
    if (!isPlayablePcm(format)) return kWaveErrBadFormat;
    std::unique_ptr<WaveOut> waveOut(new WaveOut(format, std::move(callback)));
    WaveOut* self = waveOut.get();
    waveOut->sink_ = backend.openSink(device, format, [self](uint8_t* data, uint32_t frames) { self->pull(data, frames); });
    if (!waveOut->sink_) return kMmErrAllocated;
    out = std::move(waveOut);
    if (out->callback_) out->callback_(*out, kWaveOutOpened, nullptr);
    out->sink_->start();
    return kMmNoError;
}

WaveOut::~WaveOut() {
    if (sink_) sink_->stop();
}

uint16_t WaveOut::close() {
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) return kWaveErrStillPlaying;
        closed_ = true;
    }
    sink_->stop();
    if (callback_) callback_(*this, kWaveOutClosed, nullptr);
    return kMmNoError;
}

uint16_t WaveOut::prepare(WaveHeader* header) {
    if (!header) return kMmErrInvalidParam;
    header->flags.fetch_or(kWaveHeaderPrepared);
    return kMmNoError;
}

uint16_t WaveOut::unprepare(WaveHeader* header) {
    if (!header) return kMmErrInvalidParam;
    if (header->flags.load() & kWaveHeaderInQueue) return kWaveErrStillPlaying;
    header->flags.fetch_and(~kWaveHeaderPrepared);
    return kMmNoError;
}

uint16_t WaveOut::write(WaveHeader* header) {
    if (!header) return kMmErrInvalidParam;
    const uint32_t flags = header->flags.load();
    if (!(flags & kWaveHeaderPrepared)) return kWaveErrUnprepared;
    if (flags & kWaveHeaderInQueue) return kWaveErrStillPlaying;
    std::lock_guard lock(mutex_);
    if (closed_) return kMmErrInvalidHandle;
    header->flags.store((flags & ~kWaveHeaderDone) | kWaveHeaderInQueue);
    queue_.push_back(header);
    return kMmNoError;
}

uint16_t WaveOut::pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
    return kMmNoError;
}

uint16_t WaveOut::restart() {
    std::lock_guard lock(mutex_);
    paused_ = false;
    return kMmNoError;
}

uint16_t WaveOut::breakLoop() {
    std::lock_guard lock(mutex_);
    loopsLeft_ = 0;
    return kMmNoError;
}

uint16_t WaveOut::reset() {
    std::lock_guard delivery(deliveryMutex_);
    std::vector<WaveHeader*> done;
    {
        std::lock_guard lock(mutex_);
        done.assign(queue_.begin(), queue_.end());
        queue_.clear();
        cursor_ = 0;
        cursorBytes_ = 0;
        loopStart_ = SIZE_MAX;
        loopsLeft_ = 0;
        framesPlayed_ = 0;
    }
    deliver(done);
    return kMmNoError;
}

uint16_t WaveOut::getPosition(TimeRecord* time) {
    if (!time) return kMmErrInvalidParam;
    std::lock_guard lock(mutex_);
    switch (time->type) {
    case kTimeBytes:
        time->value = uint32_t(framesPlayed_ * format_.blockAlign);
        break;
    case kTimeMs:
        time->value = uint32_t(framesPlayed_ * 1000 / format_.samplesPerSec);
        break;
    default:
        time->type = kTimeSamples;
        time->value = uint32_t(framesPlayed_);
        break;
    }
    return kMmNoError;
}

void WaveOut::pull(uint8_t* out, uint32_t frames) {
    const uint32_t align = format_.blockAlign;
    const int silence = format_.bitsPerSample == 8 ? 0x80 : 0;
    std::lock_guard delivery(deliveryMutex_);
    std::vector<WaveHeader*> done;
    {
        std::lock_guard lock(mutex_);
        while (frames > 0) {
            if (paused_ || closed_ || cursor_ >= queue_.size()) {
                std::memset(out, silence, size_t(frames) * align);
                break;
            }
            WaveHeader* header = queue_[cursor_];
            if (cursorBytes_ == 0 && (header->flags.load() & kWaveHeaderBeginLoop) && loopStart_ == SIZE_MAX) {
                loopStart_ = cursor_;
                loopsLeft_ = header->loops > 1 ? header->loops - 1 : 0;
            }
            const uint32_t available = (header->bufferLength - std::min(cursorBytes_, header->bufferLength)) / align;
            const uint32_t n = std::min(available, frames);
            if (n != 0) std::memcpy(out, header->data + cursorBytes_, size_t(n) * align);
            out += size_t(n) * align;
            cursorBytes_ += n * align;
            framesPlayed_ += n;
            frames -= n;
            if (n == available) {
                cursorBytes_ = 0;
                finishCurrent(done);
            }
        }
    }
    deliver(done);
}

void WaveOut::finishCurrent(std::vector<WaveHeader*>& done) {
    WaveHeader* header = queue_[cursor_];
    if (loopStart_ == SIZE_MAX) {
        done.push_back(header);
        queue_.erase(queue_.begin() + ptrdiff_t(cursor_));
        return;
    }
    if (!(header->flags.load() & kWaveHeaderEndLoop)) {
        ++cursor_;
        return;
    }
    uint64_t loopFrames = 0;
    for (size_t i = loopStart_; i <= cursor_; ++i) loopFrames += queue_[i]->bufferLength / format_.blockAlign;
    // A loop without a single frame would spin without playing: it ends at once.
    if (loopsLeft_ > 0 && loopFrames > 0) {
        --loopsLeft_;
        cursor_ = loopStart_;
        return;
    }
    for (size_t i = 0; i <= cursor_; ++i) done.push_back(queue_[i]);
    queue_.erase(queue_.begin(), queue_.begin() + ptrdiff_t(cursor_ + 1));
    cursor_ = 0;
    loopStart_ = SIZE_MAX;
}

void WaveOut::deliver(const std::vector<WaveHeader*>& done) {
    for (WaveHeader* header : done) {
        header->flags.store((header->flags.load() & ~kWaveHeaderInQueue) | kWaveHeaderDone);
        if (callback_) callback_(*this, kWaveOutDone, header);
    }
}

}  // namespace plat
