// The feeding side of a wave sound: buffers decoded ahead of the mixer, the cues and loop
// passes they carry, and the end of the sound.
#include <algorithm>

#include "engine/audio/WaveSound.h"
#include "engine/audio/format/AudioErrors.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

void WaveSound::MixerCallback(PcmMixHandle, u32 message, uintptr_t instance, uintptr_t, uintptr_t) {
    // On the device thread with the device locked: only wake the feeding thread.
    auto* self = reinterpret_cast<WaveSound*>(instance);
    if ((message == plat::kWaveOutDone || message == kPcmMixLoopPassed) && self->event_) osmSignalEvent(self->event_);
}

void WaveSound::Feed(void* argument) {
    auto* self = static_cast<WaveSound*>(argument);
    for (;;) {
        osmWaitForObject(self->event_, self->WaitLimit());
        if (self->quit_) return;
        osmResetEvent(self->event_);
        if (self->Lock(kOsmNoTimeout) != kErrNone) continue;
        if (!self->quit_ && self->FillPass() != kErrNone) {
            self->DeviceStop();
            self->playing = false;
            self->paused = false;
            self->Notify(kAudioNotifyStopped);
        }
        self->Unlock();
        if (self->quit_) return;
    }
}

u32 WaveSound::WaitLimit() const {
    if (!playing || paused || !queue_.empty() || writeFrame_ < info_.frames) return kOsmNoTimeout;
    const i32 left = i32(endTime_ - plat::clockMillis());
    return left > 0 ? u32(left) : 0;
}

void WaveSound::ReturnAllBuffers() {
    for (Buffer* buffer : queue_) {
        pcmMixUnprepareHeader(handle_, &buffer->header, kPcmMixHeaderSize);
        free_.push_back(buffer);
    }
    queue_.clear();
    segments_.clear();
}

void WaveSound::TakeBackDroppedBuffers() {
    // Dropped buffers are the latest ones, out of the mixer's queue but never done; decoding
    // starts again where the first of them began.
    const u32 inMixer = plat::kWaveHeaderInQueue | plat::kWaveHeaderDone;
    while (!queue_.empty() && !(queue_.back()->header.flags.load() & inMixer)) {
        Buffer* buffer = queue_.back();
        queue_.pop_back();
        segments_.pop_back();
        pcmMixUnprepareHeader(handle_, &buffer->header, kPcmMixHeaderSize);
        free_.push_back(buffer);
        writeFrame_ = buffer->firstFrame;
    }
}

void WaveSound::TakeDoneBuffers() {
    while (!queue_.empty() && (queue_.front()->header.flags.load() & plat::kWaveHeaderDone)) {
        Buffer* buffer = queue_.front();
        queue_.pop_front();
        pcmMixUnprepareHeader(handle_, &buffer->header, kPcmMixHeaderSize);
        free_.push_back(buffer);
        if (buffer->cue >= 0) {
            const WaveCue& cue = info_.cues[size_t(buffer->cue)];
            Notify(kAudioNotifyMarker, cue.name.data(), u32(cue.name.size()));
        }
    }
}

EngineErr WaveSound::FillPass() {
    if (!playing || paused || !handle_) return kErrNone;
    TakeDoneBuffers();
    // A cue's notification may have stopped, paused or closed the sound.
    if (!playing || paused || !handle_) return kErrNone;
    for (;;) {
        u64 queued = 0;
        for (const Buffer* buffer : queue_) queued += buffer->frames;
        if ((queued >= queueLimit_ && queue_.size() >= 2) || writeFrame_ >= info_.frames) break;
        if (EngineErr err = WriteBuffer()) return err;
    }
    if (queue_.empty() && writeFrame_ >= info_.frames && i32(plat::clockMillis() - endTime_) >= 0) {
        positionFrame_ = info_.frames;
        playing = false;
        outputStarted_ = false;
        segments_.clear();
        Notify(kAudioNotifyFinished);
    }
    return kErrNone;
}

EngineErr WaveSound::WriteBuffer() {
    const u32 first = writeFrame_;
    const bool inLoop = LoopRunning() && first < loopEnd_;
    u32 end = inLoop ? loopEnd_ : info_.frames;
    const bool wholeLoop = inLoop && first == loopStart_ && loopEnd_ - loopStart_ <= framesPerBuffer_;
    if (!wholeLoop) end = std::min<u32>(end, first + std::min(framesPerBuffer_, info_.frames - first));
    if (streamed_ && startFrame_ == 0 && !outputStarted_ && preloadLimit_ > first) end = std::min(end, preloadLimit_);
    int cue = -1;
    for (size_t i = 0; i < info_.cues.size(); ++i) {
        if (info_.cues[i].frame > first && info_.cues[i].frame <= end && (cue < 0 || info_.cues[i].frame < end)) {
            end = info_.cues[i].frame;
            cue = int(i);
        }
    }
    const u32 frames = end - first;

    Buffer* buffer = nullptr;
    if (!free_.empty()) {
        buffer = free_.back();
        free_.pop_back();
    } else {
        buffers_.push_back(std::make_unique<Buffer>());
        buffer = buffers_.back().get();
    }
    const size_t bytes = size_t(frames) * format_.blockAlign;
    if (buffer->data.size() < bytes) buffer->data.resize(bytes);
    buffer->firstFrame = first;
    buffer->frames = frames;
    buffer->cue = cue;
    if (EngineErr err = decoder_->Decode(buffer->data.data(), frames, first, state_.data())) {
        free_.push_back(buffer);
        return err;
    }

    plat::WaveHeader& header = buffer->header;
    header.data = buffer->data.data();
    header.bufferLength = u32(bytes);
    header.flags.store(0);
    header.loops = 0;
    pcmMixPrepareHeader(handle_, &header, kPcmMixHeaderSize);
    Segment segment{first, frames, 1};
    writeFrame_ = end;
    if (wholeLoop && end == loopEnd_ && frames > 0) {
        // The mixer repeats the section: once and then the passes still due.
        const bool endless = loopCount_ == kAudioLoopForever;
        header.flags.fetch_or(plat::kWaveHeaderBeginLoop | plat::kWaveHeaderEndLoop);
        header.loops = endless ? 0xFFFFFFFF : u32(loopCount_ - passesDone_) + 1;
        segment.plays = endless ? kEndlessPlays : header.loops;
        loopFinished_ = true;
    } else if (inLoop && end == loopEnd_) {
        if (loopCount_ != kAudioLoopForever) ++passesDone_;
        if (loopCount_ == kAudioLoopForever || passesDone_ <= loopCount_) writeFrame_ = loopStart_;
        if (passesDone_ >= loopCount_ && loopCount_ != kAudioLoopForever) loopFinished_ = true;
    }
    segments_.push_back(segment);
    queue_.push_back(buffer);
    return pcmMixWrite(handle_, &header, kPcmMixHeaderSize) == plat::kMmNoError ? kErrNone : kAudioErrDevice;
}
