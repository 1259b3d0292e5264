#include "sound/record/VoiceCapture.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/os/OsThreads.h"

namespace Ostrel {
namespace {

constexpr u16 kWorkerStackBytes = 0x8000;
constexpr i32 kStartFailed = -1;

std::weak_ptr<VoiceCapture>& shared() {
    static std::weak_ptr<VoiceCapture> machinery;
    return machinery;
}

}  // namespace

std::shared_ptr<VoiceCapture> VoiceCapture::Acquire() {
    if (auto existing = shared().lock()) return existing;
    std::shared_ptr<VoiceCapture> made(new VoiceCapture());
    if (!made->event_ || !made->mutex_ || !made->worker_) return nullptr;
    shared() = made;
    return made;
}

VoiceCapture::VoiceCapture() : samples_(kVoiceBuffers * kVoiceBufferBytes, 0), copy_(kVoiceBufferBytes / 2, 0) {
    event_ = osmCreateEvent(1);
    mutex_ = osmCreateMutex(1);
    if (event_ && mutex_) worker_ = osmCreateThread(&VoiceCapture::WorkerEntry, this, kWorkerStackBytes, kOsmDefaultPriority);
    if (worker_) osmResumeThread(worker_);
}

VoiceCapture::~VoiceCapture() {
    Stop();
    if (worker_) {
        quit_ = true;
        osmSignalEvent(event_);
        osmWaitForObject(worker_, kOsmNoTimeout);
        osmDeleteObject(worker_);
    }
    if (mutex_) osmDeleteObject(mutex_);
    if (event_) osmDeleteObject(event_);
}

i32 VoiceCapture::Start() {
    if (input_) return 0;
    const plat::WaveFormat format = plat::makePcmFormat(kVoiceRate, 1, 16);
    stopping_ = false;
    auto callback = [this](plat::WaveIn&, u32 message, plat::WaveHeader*) {
        if (message == plat::kWaveInData && !stopping_) osmSignalEvent(event_);
    };
    if (plat::WaveIn::open(input_, plat::kWaveMapper, format, nullptr, true) != plat::kMmNoError ||
        plat::WaveIn::open(input_, plat::kWaveMapper, format, callback) != plat::kMmNoError) {
        input_.reset();
        return kStartFailed;
    }
    next_ = 0;
    for (u32 i = 0; i < kVoiceBuffers; ++i) {
        plat::WaveHeader& h = headers_[i];
        h.data = samples_.data() + i * kVoiceBufferBytes;
        h.bufferLength = kVoiceBufferBytes;
        h.flags = 0;
        if (input_->prepare(&h) != plat::kMmNoError || input_->addBuffer(&h) != plat::kMmNoError) {
            Stop();
            return kStartFailed;
        }
    }
    if (input_->start() != plat::kMmNoError) {
        Stop();
        return kStartFailed;
    }
    return 0;
}

void VoiceCapture::Stop() {
    if (!input_) return;
    stopping_ = true;
    // Taken so that the worker is not halfway through a buffer that reset hands back.
    osmWaitForObject(mutex_, kOsmNoTimeout);
    input_->reset();
    for (plat::WaveHeader& h : headers_) input_->unprepare(&h);
    input_->close();
    input_.reset();
    osmReleaseMutex(mutex_);
}

u16 VoiceCapture::GetSpectrum(u16* out, u32 capacity, u16* peak, u16* peakIndex) {
    const u16 result = analyser_.Spectrum(out, capacity, peak, peakIndex);
    osmSleep(0);
    return result;
}

u32 VoiceCapture::QueuedBuffers() const {
    u32 queued = 0;
    for (const plat::WaveHeader& h : headers_)
        if (h.flags & plat::kWaveHeaderInQueue) ++queued;
    return queued;
}

void VoiceCapture::WorkerEntry(void* self) { static_cast<VoiceCapture*>(self)->Work(); }

void VoiceCapture::Work() {
    for (;;) {
        osmWaitForObject(event_, kOsmNoTimeout);
        osmResetEvent(event_);
        if (quit_) return;
        osmWaitForObject(mutex_, kOsmNoTimeout);
        // Every buffer that is done, oldest first: a late wake-up finds several.
        while (input_ && !stopping_ && (headers_[next_].flags & plat::kWaveHeaderDone)) {
            plat::WaveHeader& header = headers_[next_];
            Analyse(header);
            if (!input_ || stopping_) break;
            input_->addBuffer(&header);
            next_ = (next_ + 1) % kVoiceBuffers;
        }
        osmReleaseMutex(mutex_);
    }
}

void VoiceCapture::Analyse(plat::WaveHeader& header) {
    for (u32 i = 0; i < copy_.size(); ++i) copy_[i] = i16(readLE16(header.data + 2 * i));
    for (u32 part = 0; part < copy_.size() / kVoiceFeed; ++part) {
        analyser_.Feed(copy_.data() + part * kVoiceFeed, kVoiceFeed);
        analyser_.Transform();
        osmSleep(0);
    }
    ++analysed_;
}

}  // namespace Ostrel
