// The channel's client operations: open, prepare, write, pause, restart, reset, break loop,
// volume, balance and rate, each under the device lock where it touches the queue.
#include "engine/audio/PcmMixChannel.h"

#include <algorithm>
#include <new>

#include "engine/base/FixedPoint.h"
#include "engine/audio/PcmMixModule.h"
#include "engine/audio/PcmMixStream.h"

namespace {

constexpr u32 kFullBalance = 0xFFFFFFFF;

}  // namespace

PcmMixChannel::~PcmMixChannel() {
    for (PcmMixRecord* record : prepared_) {
        record->header->link = nullptr;
        record->header->flags.fetch_and(~plat::kWaveHeaderPrepared);
        delete record;
    }
}

// A client must hear that its handle is gone even when nothing was queued: the address may
// be handed to a new channel later.
void PcmMixChannel::Retire() {
    if (closed_) return;
    if (head_) Reset();
    closed_ = true;
    Notify(plat::kWaveOutClosed);
}

bool PcmMixChannel::ValidHeader(const plat::WaveHeader* header, u32 size) const {
    if (!header || size != kPcmMixHeaderSize || header->reserved != kPcmMixTag) return false;
    // A header prepared on another handle is not this channel's to queue or free.
    return !(header->flags.load() & plat::kWaveHeaderPrepared) ||
           std::find(prepared_.begin(), prepared_.end(), header->link) != prepared_.end();
}

u16 PcmMixChannel::Open(const plat::WaveFormat& format, PcmMixCallback callback, uintptr_t instance, u32 flags) {
    if (!plat::isPlayablePcm(format)) return plat::kWaveErrBadFormat;
    KeepCommon(format, callback, instance, flags);
    head_ = tail_ = nullptr;
    finishedFrames_ = position_ = 0;
    balance_ = 0;
    volume_ = 0;
    rate_ = 0;
    nativeOrder_ = (flags & kPcmMixNativeOrder) != 0;
    passes_.passes = std::max(stream_.format.channels, format.channels);
    Reset();
    // A source rate that no step can map onto the output would leave the channel without one.
    if (SetPlaybackRate(kFixedOne) != plat::kMmNoError) return plat::kWaveErrBadFormat;
    SetBalance(kFullBalance);
    SetVolume(kFixedOne);
    return plat::kMmNoError;
}

u16 PcmMixChannel::Close() {
    if (head_) return plat::kWaveErrStillPlaying;
    closed_ = true;
    Notify(plat::kWaveOutClosed);
    return plat::kMmNoError;
}

u16 PcmMixChannel::GetBalance(u32* balance) { return Report(balance, balance_); }

u16 PcmMixChannel::GetID(u16* deviceId) { return Report(deviceId, stream_.deviceId); }

u16 PcmMixChannel::GetPitch(u32* pitch) { return Report(pitch, kFixedOne); }

u16 PcmMixChannel::GetPlaybackRate(u32* rate) { return Report(rate, rate_); }

u16 PcmMixChannel::GetVolume(u32* volume) { return Report(volume, volume_); }

u16 PcmMixChannel::SetPitch(u32) { return plat::kMmErrNotSupported; }

u16 PcmMixChannel::GetPosition(plat::TimeRecord* time, u32 size) {
    if (!time || size != kPcmMixTimeSize) return plat::kMmErrInvalidParam;
    PcmMixDeviceLock lock(stream_);
    switch (time->type) {
    case plat::kTimeSamples:
        time->value = position_;
        return plat::kMmNoError;
    case plat::kTimeMs:
        time->value = u32((u64(position_) * u32(fixedDiv(1000, Fixed(format_.samplesPerSec)))) >> 16);
        return plat::kMmNoError;
    case plat::kTimeBytes:
        time->value = position_ * format_.blockAlign;
        return plat::kMmNoError;
    default:
        return plat::kMmErrInvalidParam;
    }
}

u16 PcmMixChannel::PrepareHeader(plat::WaveHeader* header, u32 size) {
    if (!header || size != kPcmMixHeaderSize) return plat::kMmErrInvalidParam;
    if (header->flags.load() & plat::kWaveHeaderPrepared) return plat::kMmErrError;
    auto* record = new (std::nothrow) PcmMixRecord;
    if (!record) return plat::kMmErrNoMemory;
    record->header = header;
    record->data = header->data;
    prepared_.push_back(record);
    header->link = record;
    header->flags.fetch_or(plat::kWaveHeaderPrepared);
    header->reserved = kPcmMixTag;
    return plat::kMmNoError;
}

u16 PcmMixChannel::CheckIdleHeader(const plat::WaveHeader* header, u32 size) const {
    if (!ValidHeader(header, size)) return plat::kMmErrInvalidParam;
    const u32 flags = header->flags.load();
    if (!(flags & plat::kWaveHeaderPrepared)) return plat::kWaveErrUnprepared;
    if (flags & plat::kWaveHeaderInQueue) return plat::kWaveErrStillPlaying;
    return plat::kMmNoError;
}

u16 PcmMixChannel::UnprepareHeader(plat::WaveHeader* header, u32 size) {
    // A client that saw the done flag may come here while the device thread is still in the
    // walk that set it: the record is freed only once that walk has let go of the lock.
    PcmMixDeviceLock lock(stream_);
    if (const u16 error = CheckIdleHeader(header, size)) return error;
    auto* record = static_cast<PcmMixRecord*>(header->link);
    prepared_.erase(std::remove(prepared_.begin(), prepared_.end(), record), prepared_.end());
    delete record;
    header->link = nullptr;
    header->flags.fetch_and(~plat::kWaveHeaderPrepared);
    return plat::kMmNoError;
}

u16 PcmMixChannel::Write(plat::WaveHeader* header, u32 size) {
    if (const u16 error = CheckIdleHeader(header, size)) return error;
    auto* record = static_cast<PcmMixRecord*>(header->link);
    const u32 sourceFrames = header->bufferLength / format_.blockAlign;
    u32 outputFrames = 0;
    if (!pcmMixOutputFrames(sourceFrames, step_, &outputFrames)) return plat::kMmErrInvalidParam;
    *record = PcmMixRecord{};
    record->header = header;
    record->data = header->data;
    record->sourceFrames = sourceFrames;
    record->outputFrames = outputFrames;
    {
        PcmMixDeviceLock lock(stream_);
        const u32 written = stream_.WrittenPosition();
        if (SetupLoop(record) != plat::kMmNoError) return plat::kMmErrInvalidParam;
        header->flags.store((header->flags.load() & ~plat::kWaveHeaderDone) | plat::kWaveHeaderInQueue);
        record->prev = tail_;
        if (tail_)
            tail_->next = record;
        else
            head_ = record;
        tail_ = record;
        TimeRecord(record, written);
        if (!paused_) {
            if (pcmMixModule().settings.enableRemix) playing_ = true;
            if (playing_) {
                // What the device already holds cannot change: a record that began before the
                // written position is added from there.
                stream_.RenderChannel(*this, pcmMixBefore(record->start, written) ? written : record->start);
                stream_.MixFrom(stream_.mixedTo);
            } else {
                stream_.remixPending = true;
            }
        }
    }
    stream_.device->Play();
    return plat::kMmNoError;
}

void PcmMixChannel::RemixFromWritten() {
    if (pcmMixModule().settings.enableRemix)
        stream_.MixFrom(stream_.WrittenPosition());
    else
        stream_.remixPending = true;
}

void PcmMixChannel::ApplyGains() {
    PcmMixDeviceLock lock(stream_);
    pcmMixSetPassGains(passes_, volume_, balance_);
    pcmMixBuildPassTables(passes_, format_.bitsPerSample);
    pcmMixChooseKernels(passes_, stream_.format, format_, step_, nativeOrder_, (flags_ & kPcmMixSwapSides) != 0);
    if (head_) RemixFromWritten();
}

u16 PcmMixChannel::SetVolume(u32 volume) {
    if (i32(volume) < 0) return plat::kMmErrInvalidParam;
    if (Fixed(volume) == volume_) return plat::kMmNoError;
    volume_ = Fixed(volume);
    ApplyGains();
    return plat::kMmNoError;
}

u16 PcmMixChannel::SetBalance(u32 balance) {
    if (balance == balance_) return plat::kMmNoError;
    balance_ = balance;
    // The gains follow the balance even when the volume stays as it is.
    ApplyGains();
    return plat::kMmNoError;
}

u16 PcmMixChannel::SetPlaybackRate(u32 rate) {
    if (i32(rate) < 0) return plat::kMmErrInvalidParam;
    if (Fixed(rate) == rate_) return plat::kMmNoError;
    const Fixed sourceRate = fixedMul(Fixed(format_.samplesPerSec), Fixed(rate));
    const Fixed step = fixedDiv(Fixed(stream_.format.samplesPerSec), sourceRate);
    // A step of 0, or one that does not fit, would stall or overrun the source.
    if (sourceRate <= 0 || step <= 0) return plat::kMmErrInvalidParam;
    PcmMixDeviceLock lock(stream_);
    rate_ = Fixed(rate);
    // What the device held at the pause is kept in output frames: the same source frames at the new step.
    if (handedBeforePause_ != 0) handedBeforePause_ = pcmMixOutputFramesOrMax(SourceOffset(handedBeforePause_), step);
    step_ = step;
    pcmMixChooseKernels(passes_, stream_.format, format_, step_, nativeOrder_, (flags_ & kPcmMixSwapSides) != 0);
    if (head_) {
        const u32 written = stream_.WrittenPosition();
        Retime(written);
        if (head_) RemixFromWritten();
    }
    return plat::kMmNoError;
}

u16 PcmMixChannel::Pause() {
    if (paused_) return plat::kMmNoError;
    PcmMixDeviceLock lock(stream_);
    paused_ = true;
    handedBeforePause_ = 0;
    if (playing_ && head_) {
        const u32 written = stream_.WrittenPosition();
        const i32 handed = i32(written - head_->start);
        handedBeforePause_ = handed >= 1 ? u32(handed) : 0;
        // Only what the device does not hold yet can change: the later of the record's start and the written position.
        stream_.MixFrom(pcmMixBefore(head_->start, written) ? written : head_->start);
    }
    return plat::kMmNoError;
}

u16 PcmMixChannel::Restart() {
    if (!paused_) return plat::kMmNoError;
    {
        PcmMixDeviceLock lock(stream_);
        const u32 written = stream_.WrittenPosition();
        paused_ = false;
        if (head_) {
            if (pcmMixModule().settings.enableRemix) {
                const u32 restart = stream_.RestartPosition(written);
                StartQueueAt(restart - handedBeforePause_);
                stream_.RenderChannel(*this, restart);
                stream_.MixFrom(stream_.mixedTo);
            } else {
                playing_ = false;
                stream_.remixPending = true;
            }
        }
    }
    stream_.device->Play();
    return plat::kMmNoError;
}

u16 PcmMixChannel::Reset() {
    PcmMixDeviceLock lock(stream_);
    ++queueEdits_;
    const bool mixedAlready = head_ && pcmMixBefore(head_->start, stream_.mixedTo);
    while (head_) Finish(head_);
    if (mixedAlready) RemixFromWritten();
    finishedFrames_ = position_ = 0;
    paused_ = playing_ = false;
    return plat::kMmNoError;
}

u16 PcmMixChannel::BreakLoop() {
    PcmMixDeviceLock lock(stream_);
    ++queueEdits_;
    u32 played = 0;
    u32 written = 0;
    stream_.device->GetPositions(&played, &written);
    const u32 deviceWritten = written;
    if (paused_) {
        // The queue stands where the pause left it: the pass under way is the one holding the
        // last frame the device was handed, and nothing is over until the channel plays again.
        if (!head_) return plat::kMmNoError;
        written = head_->start + handedBeforePause_;
        played = head_->start;
    }
    u32 s = 0;
    PcmMixRecord* r = FindRecordAt(written, &s);
    if (!r) return plat::kMmNoError;
    if (r->loopCount > 0) {
        const u32 pass = (written - r->loopBase) / r->loopOutputFrames;
        r = LoopFirstRecord(r);
        s = r->start + pass * r->loopOutputFrames;
    }
    bool hadLoop = false;
    for (PcmMixRecord* q = r; q;) {
        PcmMixRecord* next = q->next;
        hadLoop = hadLoop || q->loopCount > 0;
        q->loopCount = 0;
        q->start = s;
        q->end = s + q->outputFrames;
        s = q->end;
        q = next;
    }
    // Records that now end before the played position are over: they go back in queue order.
    while (head_ && !pcmMixBefore(played, head_->end)) Finish(head_);
    // What the device was handed before the pause is counted from the head, which may have moved.
    if (paused_ && head_) handedBeforePause_ = written - head_->start;
    if (hadLoop) stream_.MixFrom(deviceWritten);
    return plat::kMmNoError;
}

u16 PcmMixChannel::DropUnwritten() {
    PcmMixDeviceLock lock(stream_);
    if (!head_) return plat::kMmNoError;
    // Where the device's share of the queue ends: the written position while playing; paused,
    // what it was handed before the pause; not yet placed on the output, nothing at all.
    const bool placed = playing_ || (paused_ && handedBeforePause_ != 0);
    const u32 held = paused_ ? head_->start + handedBeforePause_ : stream_.WrittenPosition();
    const auto unheard = [&](const PcmMixRecord* r) { return !placed || !pcmMixBefore(r->start, held); };
    if (!unheard(tail_)) return plat::kMmNoError;
    ++queueEdits_;
    PcmMixRecord* first = tail_;
    while (first->prev && unheard(first->prev)) first = first->prev;
    const bool mixedAlready = playing_ && !paused_ && pcmMixBefore(first->start, stream_.mixedTo);
    tail_ = first->prev;
    if (tail_)
        tail_->next = nullptr;
    else
        head_ = nullptr;
    for (PcmMixRecord* r = first; r;) {
        PcmMixRecord* next = r->next;
        r->next = r->prev = nullptr;
        r->header->flags.fetch_and(~plat::kWaveHeaderInQueue);
        r = next;
    }
    if (!head_) playing_ = false;
    if (mixedAlready) RemixFromWritten();
    return plat::kMmNoError;
}
