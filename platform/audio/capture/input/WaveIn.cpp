#include "platform/audio/capture/input/WaveIn.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/capture/choice/CaptureChoice.h"

namespace plat {

uint16_t WaveIn::open(std::unique_ptr<WaveIn>& in, uint32_t device, const WaveFormat& format, Callback callback,
                      bool queryOnly) {
    CaptureBackend& backend = captureBackend();
    const uint32_t chosen = device == kWaveMapper ? 0 : device;
    if (chosen >= backend.deviceCount()) return kMmErrBadDeviceId;
    if (!isPlayablePcm(format) || !backend.supports(chosen, format)) return kWaveErrBadFormat;
    if (queryOnly) return kMmNoError;
    std::unique_ptr<WaveIn> opened(new WaveIn(format, std::move(callback)));
    WaveIn* self = opened.get();
    opened->source_ = backend.openSource(chosen, format, [self](const uint8_t* data, uint32_t frames) { self->push(data, frames); });
    if (!opened->source_) return kMmErrAllocated;
    in = std::move(opened);
    if (in->callback_) in->callback_(*in, kWaveInOpened, nullptr);
    return kMmNoError;
}

WaveIn::WaveIn(const WaveFormat& format, Callback callback) : format_(format), callback_(std::move(callback)) {}

WaveIn::~WaveIn() {
    if (source_) source_->stop();
}

uint16_t WaveIn::prepare(WaveHeader* header) {
    if (!header || !header->data) return kMmErrInvalidParam;
    header->flags |= kWaveHeaderPrepared;
    return kMmNoError;
}

uint16_t WaveIn::unprepare(WaveHeader* header) {
    if (!header) return kMmErrInvalidParam;
    if (header->flags & kWaveHeaderInQueue) return kWaveErrStillPlaying;
    header->flags &= ~kWaveHeaderPrepared;
    return kMmNoError;
}

uint16_t WaveIn::addBuffer(WaveHeader* header) {
    if (!header) return kMmErrInvalidParam;
    if (!(header->flags & kWaveHeaderPrepared)) return kWaveErrUnprepared;
    std::lock_guard lock(mutex_);
    if (closed_) return kMmErrInvalidHandle;
    if (header->flags & kWaveHeaderInQueue) return kWaveErrStillPlaying;
    header->bytesRecorded = 0;
    header->flags = (header->flags & ~kWaveHeaderDone) | kWaveHeaderInQueue;
    queue_.push_back(header);
    return kMmNoError;
}

uint16_t WaveIn::start() {
    source_->start();
    return kMmNoError;
}

uint16_t WaveIn::stop() {
    source_->stop();
    std::vector<WaveHeader*> done;
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty() && queue_.front()->bytesRecorded > 0) finishFront(done);
    }
    deliver(done);
    return kMmNoError;
}

uint16_t WaveIn::reset() {
    source_->stop();
    std::vector<WaveHeader*> done;
    {
        std::lock_guard lock(mutex_);
        while (!queue_.empty()) finishFront(done);
    }
    deliver(done);
    return kMmNoError;
}

uint16_t WaveIn::close() {
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty()) return kWaveErrStillPlaying;
        closed_ = true;
    }
    source_->stop();
    if (callback_) callback_(*this, kWaveInClosed, nullptr);
    return kMmNoError;
}

void WaveIn::finishFront(std::vector<WaveHeader*>& done) {
    WaveHeader* header = queue_.front();
    queue_.pop_front();
    header->flags = (header->flags & ~kWaveHeaderInQueue) | kWaveHeaderDone;
    done.push_back(header);
}

void WaveIn::push(const uint8_t* data, uint32_t frames) {
    std::lock_guard delivery(deliveryMutex_);
    std::vector<WaveHeader*> done;
    {
        std::lock_guard lock(mutex_);
        size_t bytes = size_t(frames) * format_.blockAlign;
        while (bytes > 0 && !queue_.empty()) {
            WaveHeader* header = queue_.front();
            const size_t room = header->bufferLength - header->bytesRecorded;
            const size_t n = std::min(room, bytes);
            std::memcpy(header->data + header->bytesRecorded, data, n);
            header->bytesRecorded += uint32_t(n);
            data += n;
            bytes -= n;
            if (header->bytesRecorded == header->bufferLength) finishFront(done);
        }
    }
    deliver(done);
}

void WaveIn::deliver(const std::vector<WaveHeader*>& done) {
    std::lock_guard delivery(deliveryMutex_);
    for (WaveHeader* header : done)
        if (callback_) callback_(*this, kWaveInData, header);
}

}  // namespace plat
