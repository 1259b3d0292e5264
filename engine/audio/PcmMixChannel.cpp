#include "engine/audio/PcmMixChannel.h"

#include <algorithm>
#include <new>

#include "engine/FixedPoint.h"
#include "engine/audio/PcmMixModule.h"
#include "engine/audio/PcmMixStream.h"

namespace {

constexpr u32 kMaxLoopSpan = 0x40000000;
constexpr u32 kFullBalance = 0xFFFFFFFF;

// Frames in output frames of `sourceFrames` at `step`; false when they do not fit.
bool outputFramesOf(u32 sourceFrames, Fixed step, u32* frames) {
    const u64 product = (u64(sourceFrames) * u64(u32(step))) >> 16;
    if (product > 0x7FFFFFFFu) return false;
    *frames = u32(product);
    return true;
}

u32 outputFramesOrMax(u32 sourceFrames, Fixed step) {
    u32 frames = 0x7FFFFFFF;
    outputFramesOf(sourceFrames, step, &frames);
    return frames;
}

}  // namespace

PcmMixChannel::~PcmMixChannel() {
    for (PcmMixRecord* record : prepared_) {
        record->header->link = nullptr;
        record->header->flags.fetch_and(~plat::kWaveHeaderPrepared);
        delete record;
    }
}

void PcmMixChannel::Retire() {
    if (head_) {
        Reset();
        Notify(plat::kWaveOutClosed);
    }
}

bool PcmMixChannel::ValidHeader(const plat::WaveHeader* header, u32 size) const {
    if (!header || size != kPcmMixHeaderSize || header->reserved != kPcmMixTag) return false;
    // A header prepared on another handle is not this channel's to queue or free.
    return !(header->flags.load() & plat::kWaveHeaderPrepared) ||
           std::find(prepared_.begin(), prepared_.end(), header->link) != prepared_.end();
}

u32 PcmMixChannel::SourceOffset(u32 outputOffset) const {
    // The quotient of the frame offset by the step, kept in 64 bits so that long buffers stay exact.
    return u32((u64(outputOffset) << 16) / u32(step_));
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
    SetPlaybackRate(kFixedOne);
    SetBalance(kFullBalance);
    SetVolume(kFixedOne);
    return plat::kMmNoError;
}

u16 PcmMixChannel::Close() {
    if (head_) return plat::kWaveErrStillPlaying;
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
    if (!outputFramesOf(sourceFrames, step_, &outputFrames)) return plat::kMmErrInvalidParam;
    *record = PcmMixRecord{};
    record->header = header;
    record->data = header->data;
    record->sourceFrames = sourceFrames;
    record->outputFrames = outputFrames;
    {
        PcmMixDeviceLock lock(stream_);
        u32 played = 0;
        u32 written = 0;
        stream_.device->GetPositions(&played, &written);
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

u16 PcmMixChannel::SetupLoop(PcmMixRecord* record) {
    if (!record->HasFlag(plat::kWaveHeaderEndLoop)) return plat::kMmNoError;
    u32 loopSource = record->sourceFrames;
    u32 loopOutput = record->outputFrames;
    PcmMixRecord* first = record;
    if (!record->HasFlag(plat::kWaveHeaderBeginLoop)) {
        first = nullptr;
        for (PcmMixRecord* q = tail_; q; q = q->prev) {
            if (q->HasFlag(plat::kWaveHeaderEndLoop)) return plat::kMmErrInvalidParam;
            loopSource += q->sourceFrames;
            loopOutput += q->outputFrames;
            if (q->HasFlag(plat::kWaveHeaderBeginLoop)) {
                first = q;
                break;
            }
        }
        if (!first) return plat::kMmErrInvalidParam;
    }
    record->loopSourceFrames = loopSource;
    record->loopOutputFrames = loopOutput;
    record->loopCount = LoopCountFor(first, loopOutput);
    record->loopBase = first->start;
    if (record->loopCount == 0) return plat::kMmNoError;
    record->loopsPlayed = 0;
    record->loopSpan = (record->loopCount + 1) * loopOutput;
    for (PcmMixRecord* q = first; q && q != record; q = q->next) {
        q->loopCount = record->loopCount;
        q->loopsPlayed = 0;
        q->loopSourceFrames = loopSource;
        q->loopOutputFrames = loopOutput;
        q->loopBase = first->start;
        q->loopSpan = record->loopSpan;
        q->end += record->loopCount * loopOutput;
    }
    return plat::kMmNoError;
}

u32 PcmMixChannel::LoopCountFor(const PcmMixRecord* first, u32 loopOutputFrames) const {
    // A loop without output frames would never end a pass: it plays as no loop.
    if (loopOutputFrames == 0) return 0;
    const u32 loops = first->header->loops;
    const u32 count = loops > 0 ? loops - 1 : 0;
    const u32 limit = kMaxLoopSpan / loopOutputFrames;
    return std::min(count, limit > 0 ? limit - 1 : 0);
}

void PcmMixChannel::TimeRecord(PcmMixRecord* record, u32 written) {
    PcmMixRecord* previous = record->prev;
    if (!previous) {
        playing_ = false;
        record->start = paused_ ? 0 : stream_.RestartPosition(written);
    } else if (record->loopCount > 0 && !record->HasFlag(plat::kWaveHeaderBeginLoop)) {
        record->start = previous->start + previous->outputFrames;
    } else {
        record->start = previous->end;
    }
    if (record->loopCount > 0 && record->HasFlag(plat::kWaveHeaderBeginLoop)) record->loopBase = record->start;
    record->end = record->loopCount > 0 ? record->loopBase + record->loopSpan : record->start + record->outputFrames;
}

void PcmMixChannel::ShiftQueue(u32 delta) {
    for (PcmMixRecord* r = head_; r; r = r->next) {
        r->start += delta;
        r->end += delta;
        r->loopBase += delta;
    }
}

void PcmMixChannel::StartQueueAt(u32 p) {
    playing_ = true;
    if (head_) ShiftQueue(p - head_->start);
}

PcmMixRecord* PcmMixChannel::FindRecordAt(u32 p, u32* pieceStart) const {
    for (PcmMixRecord* r = head_; r; r = r->next) {
        if (pcmMixBefore(p, r->start) || !pcmMixBefore(p, r->end)) continue;
        const u32 s = r->PassStart(p);
        if (pcmMixBefore(p, s + r->outputFrames)) {
            *pieceStart = s;
            return r;
        }
    }
    return nullptr;
}

PcmMixRecord* PcmMixChannel::LoopFirstRecord(PcmMixRecord* record) const {
    for (PcmMixRecord* q = record; q; q = q->prev)
        if (q->HasFlag(plat::kWaveHeaderBeginLoop)) return q;
    return record;
}

void PcmMixChannel::Finish(PcmMixRecord* record) {
    head_ = record->next;
    if (head_)
        head_->prev = nullptr;
    else
        tail_ = nullptr;
    if (!head_) playing_ = false;
    record->next = record->prev = nullptr;
    plat::WaveHeader* header = record->header;
    header->flags.store((header->flags.load() & ~plat::kWaveHeaderInQueue) | plat::kWaveHeaderDone);
    finishedFrames_ += record->sourceFrames;
    position_ = finishedFrames_;
    Notify(plat::kWaveOutDone, reinterpret_cast<uintptr_t>(header));
}

void PcmMixChannel::PassLoop(PcmMixRecord* record) {
    ++record->loopsPlayed;
    finishedFrames_ += record->sourceFrames;
    position_ = finishedFrames_;
    if (!(flags_ & kPcmMixNoLoopMessages)) Notify(kPcmMixLoopPassed, reinterpret_cast<uintptr_t>(record->header));
}

void PcmMixChannel::Advance(u32 p) {
    if (paused_) return;
    // Every pass that the played position has left is reported, even when a poll came too
    // late to see it begin, so that the position counts each pass once.
    PcmMixRecord* r = head_;
    while (r) {
        if (pcmMixBefore(p, r->start)) return;
        PcmMixRecord* next = r->next;
        if (!pcmMixBefore(p, r->end)) {
            while (r->loopsPlayed < r->loopCount) PassLoop(r);
            Finish(r);
            r = next;
            continue;
        }
        if (r->loopCount == 0) {
            position_ = finishedFrames_ + SourceOffset(p - r->start);
            return;
        }
        const u32 pass = (p - r->loopBase) / r->loopOutputFrames;
        if (r->HasFlag(plat::kWaveHeaderBeginLoop) && r->HasFlag(plat::kWaveHeaderEndLoop)) {
            while (r->loopsPlayed < pass) PassLoop(r);
        } else {
            const u32 pieceStart = r->start + pass * r->loopOutputFrames;
            while (r->loopsPlayed < pass) PassLoop(r);
            if (pcmMixBefore(p, pieceStart + r->outputFrames)) {
                // The later records of the loop have played their pieces of the earlier passes too.
                for (PcmMixRecord* q = next; q && q->loopCount > 0 && q->loopBase == r->loopBase; q = q->next)
                    while (q->loopsPlayed < pass) PassLoop(q);
                position_ = finishedFrames_ + (pcmMixBefore(p, pieceStart) ? 0 : SourceOffset(p - pieceStart));
                return;
            }
            while (r->loopsPlayed <= pass) PassLoop(r);
        }
        r = next;
    }
}

bool PcmMixChannel::Render(u32 p, u8* destination, u32 frames, bool first) {
    if (paused_ || !playing_ || !head_) return false;
    const u32 frameBytes = stream_.FrameBytes();
    if (pcmMixBefore(p, head_->start)) {
        const u32 gap = head_->start - p;
        if (gap >= frames) return false;
        if (first) stream_.FillSilence(destination, gap);
        destination += size_t(gap) * frameBytes;
        frames -= gap;
        p = head_->start;
    }
    u32 s = 0;
    PcmMixRecord* r = FindRecordAt(p, &s);
    if (!r) return false;
    const PcmMixKernelTable& kernels = pcmMixModule().kernels;
    while (frames != 0) {
        const u32 offset = p - s;
        const u32 f = std::min(frames, r->outputFrames - offset);
        if (f != 0) {
            const u8* source = r->data + size_t(SourceOffset(offset)) * format_.blockAlign;
            for (u16 i = 0; i < passes_.passesInUse; ++i) {
                const PcmMixPass& pass = passes_.pass[i];
                const u32 count = f * pass.countMultiplier;
                if (first) {
                    kernels.sample[pass.copyKernel](destination + pass.copyOffset, source + pass.sourceOffset, count,
                                                    pass.destinationStride, pass.sourceStride, step_, pass.gain,
                                                    pass.identity, pass.table);
                } else if (pass.gain != 0) {
                    kernels.sample[pass.mixKernel](destination + pass.mixOffset, source + pass.sourceOffset, count,
                                                   pass.destinationStride, pass.sourceStride, step_, pass.gain,
                                                   pass.identity, pass.table);
                }
            }
        }
        destination += size_t(f) * frameBytes;
        frames -= f;
        p += f;
        if (p == s + r->outputFrames) {
            s = p;
            if (r->HasFlag(plat::kWaveHeaderEndLoop) && pcmMixBefore(p, r->end)) {
                r = LoopFirstRecord(r);
            } else {
                r = r->next;
                if (!r) {
                    if (first && frames != 0) stream_.FillSilence(destination, frames);
                    return true;
                }
            }
        }
    }
    return true;
}

void PcmMixChannel::RemixQueued() {
    if (!head_) return;
    if (pcmMixModule().settings.enableRemix) {
        u32 played = 0;
        u32 written = 0;
        stream_.device->GetPositions(&played, &written);
        stream_.MixFrom(written);
    } else {
        stream_.remixPending = true;
    }
}

void PcmMixChannel::ApplyGains() {
    PcmMixDeviceLock lock(stream_);
    pcmMixSetPassGains(passes_, volume_, balance_);
    pcmMixBuildPassTables(passes_, format_.bitsPerSample);
    pcmMixChooseKernels(passes_, stream_.format, format_, step_, nativeOrder_, (flags_ & kPcmMixSwapSides) != 0);
    RemixQueued();
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
    step_ = step;
    pcmMixChooseKernels(passes_, stream_.format, format_, step_, nativeOrder_, (flags_ & kPcmMixSwapSides) != 0);
    if (head_) {
        u32 played = 0;
        u32 written = 0;
        stream_.device->GetPositions(&played, &written);
        Retime(written);
        RemixQueued();
    }
    return plat::kMmNoError;
}

void PcmMixChannel::Retime(u32 written) {
    u32 s = 0;
    PcmMixRecord* holder = FindRecordAt(written, &s);
    if (!holder) return;
    const u64 fraction = holder->outputFrames ? (u64(written - s) << 16) / holder->outputFrames : 0;
    u32 start = written - outputFramesOrMax(u32((u64(holder->sourceFrames) * fraction) >> 16), step_);
    if (holder->loopCount > 0 && holder->loopsPlayed > 0)
        start -= outputFramesOrMax(holder->loopSourceFrames * holder->loopsPlayed, step_);
    for (PcmMixRecord* q = head_; q != holder; q = q->next) start -= outputFramesOrMax(q->sourceFrames, step_);

    for (PcmMixRecord* r = head_; r; r = r->next) r->outputFrames = outputFramesOrMax(r->sourceFrames, step_);
    PcmMixRecord* r = head_;
    while (r) {
        if (r->loopCount == 0) {
            r->start = start;
            r->end = start + r->outputFrames;
            start = r->end;
            r = r->next;
            continue;
        }
        // A loop, from its first record (or the part of it still queued) to the record that closes it.
        PcmMixRecord* last = r;
        u32 loopOutput = r->outputFrames;
        while (last->next && !last->HasFlag(plat::kWaveHeaderEndLoop)) {
            last = last->next;
            loopOutput += last->outputFrames;
        }
        // With the loop's first record already done, the count it gave stays as it was.
        PcmMixRecord* first = LoopFirstRecord(r);
        const u32 count = first->HasFlag(plat::kWaveHeaderBeginLoop) ? LoopCountFor(first, loopOutput) : r->loopCount;
        const u32 base = start;
        for (PcmMixRecord* q = r;; q = q->next) {
            q->start = start;
            start += q->outputFrames;
            q->loopOutputFrames = loopOutput;
            q->loopBase = base;
            q->loopCount = count;
            q->loopSpan = (count + 1) * loopOutput;
            q->end = q->start + q->outputFrames + count * loopOutput;
            if (q == last) break;
        }
        start = last->end;
        r = last->next;
    }
}

u16 PcmMixChannel::Pause() {
    if (paused_) return plat::kMmNoError;
    PcmMixDeviceLock lock(stream_);
    paused_ = true;
    handedBeforePause_ = 0;
    if (playing_ && head_) {
        u32 played = 0;
        u32 written = 0;
        stream_.device->GetPositions(&played, &written);
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
        u32 played = 0;
        u32 written = 0;
        stream_.device->GetPositions(&played, &written);
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
    const bool mixedAlready = head_ && pcmMixBefore(head_->start, stream_.mixedTo);
    while (head_) Finish(head_);
    if (mixedAlready) {
        if (pcmMixModule().settings.enableRemix) {
            u32 played = 0;
            u32 written = 0;
            stream_.device->GetPositions(&played, &written);
            stream_.MixFrom(written);
        } else {
            stream_.remixPending = true;
        }
    }
    finishedFrames_ = position_ = 0;
    paused_ = playing_ = false;
    return plat::kMmNoError;
}

u16 PcmMixChannel::BreakLoop() {
    PcmMixDeviceLock lock(stream_);
    u32 played = 0;
    u32 written = 0;
    stream_.device->GetPositions(&played, &written);
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
    if (hadLoop) stream_.MixFrom(written);
    return plat::kMmNoError;
}
