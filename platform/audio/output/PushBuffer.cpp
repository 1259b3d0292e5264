#include "platform/audio/output/PushBuffer.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/choice/AudioChoice.h"

namespace plat {

uint32_t pushBufferDriverCount() { return audioBackend().deviceCount(); }

std::string pushBufferDriverName(uint32_t driver) { return audioBackend().deviceName(driver); }

bool pushBufferDriverEmulated(uint32_t) { return audioBackend().emulated(); }

PushBuffer::PushBuffer(const WaveFormat& format, uint32_t bytes)
    : format_(format), ring_(bytes, format.bitsPerSample == 8 ? 0x80 : 0) {}

uint16_t PushBuffer::create(std::unique_ptr<PushBuffer>& out, uint32_t driver, const WaveFormat& format,
                            uint32_t bytes) {
    AudioBackend& backend = audioBackend();
    if (driver == kWaveMapper) driver = 0;
    if (driver >= backend.deviceCount()) return kMmErrBadDeviceId;
    if (format.blockAlign == 0 || bytes == 0 || bytes % format.blockAlign != 0) return kWaveErrBadFormat;
    std::unique_ptr<PushBuffer> buffer(new PushBuffer(format, bytes));
    PushBuffer* self = buffer.get();
    buffer->sink_ = backend.openSink(driver, format, [self](uint8_t* data, uint32_t frames) { self->pull(data, frames); });
    if (!buffer->sink_) return kMmErrAllocated;
    buffer->sink_->start();
    out = std::move(buffer);
    return kMmNoError;
}

PushBuffer::~PushBuffer() {
    {
        // A pull waiting for a region the client never unlocked must not hold up the stop.
        std::lock_guard guard(mutex_);
        playing_ = false;
        locked_ = false;
    }
    unlocked_.notify_all();
    if (sink_) sink_->stop();
}

uint16_t PushBuffer::lock(uint32_t offset, uint32_t bytes, PushBufferRegions* regions) {
    std::lock_guard guard(mutex_);
    const uint32_t size = uint32_t(ring_.size());
    if (!regions || locked_ || offset >= size || bytes > size) return kMmErrInvalidParam;
    const uint32_t first = std::min(bytes, size - offset);
    regions->first = ring_.data() + offset;
    regions->firstBytes = first;
    regions->second = bytes > first ? ring_.data() : nullptr;
    regions->secondBytes = bytes - first;
    locked_ = true;
    return kMmNoError;
}

uint16_t PushBuffer::unlock() {
    {
        std::lock_guard guard(mutex_);
        if (!locked_) return kMmErrInvalidParam;
        locked_ = false;
    }
    unlocked_.notify_all();
    return kMmNoError;
}

void PushBuffer::play() {
    {
        std::lock_guard guard(mutex_);
        playing_ = true;
    }
    sink_->start();
}

void PushBuffer::stop() {
    {
        std::lock_guard guard(mutex_);
        playing_ = false;
    }
    // A pull waiting for a locked region gives up (it plays silence), so the sink can stop.
    unlocked_.notify_all();
    sink_->stop();
}

void PushBuffer::setCurrentPosition(uint32_t offset) {
    std::lock_guard guard(mutex_);
    playCursor_ = (offset / format_.blockAlign * format_.blockAlign) % uint32_t(ring_.size());
}

void PushBuffer::getCurrentPosition(uint32_t* play, uint32_t* write) {
    std::lock_guard guard(mutex_);
    // What the backend has taken is already out of the ring: the write cursor is the play cursor.
    if (play) *play = playCursor_;
    if (write) *write = playCursor_;
}

void PushBuffer::pull(uint8_t* out, uint32_t frames) {
    std::unique_lock guard(mutex_);
    unlocked_.wait(guard, [this] { return !locked_ || !playing_; });
    size_t bytes = size_t(frames) * format_.blockAlign;
    if (!playing_) {
        std::memset(out, format_.bitsPerSample == 8 ? 0x80 : 0, bytes);
        return;
    }
    const size_t size = ring_.size();
    while (bytes > 0) {
        const size_t n = std::min(bytes, size - playCursor_);
        std::memcpy(out, ring_.data() + playCursor_, n);
        out += n;
        bytes -= n;
        playCursor_ = uint32_t((playCursor_ + n) % size);
    }
}

}  // namespace plat
