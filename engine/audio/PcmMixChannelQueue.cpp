// The channel's time line: loops, timing of new records, moving and re-timing the queue.
#include <algorithm>

#include "engine/audio/PcmMixChannel.h"
#include "engine/audio/PcmMixStream.h"

namespace {

constexpr u32 kMaxLoopSpan = 0x40000000;

}  // namespace

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

void PcmMixChannel::Retime(u32 written) {
    u32 s = 0;
    PcmMixRecord* holder = FindRecordAt(written, &s);
    // With no record at the written position (a paused queue, or one that has not begun) the
    // queue keeps its start, but its lengths still follow the new step: the kernels read the
    // source by the step, so a length left from the old one would run past the buffer's end.
    u32 start = head_->start;
    if (holder) {
        const u64 fraction = holder->outputFrames ? (u64(written - s) << 16) / holder->outputFrames : 0;
        start = written - pcmMixOutputFramesOrMax(u32((u64(holder->sourceFrames) * fraction) >> 16), step_);
        // Once the loop's first record has gone back, the loop is in its last pass: what is left
        // of it plays once, from where it is, with no earlier passes before it.
        if (holder->loopCount > 0 && holder->loopsPlayed > 0 &&
            LoopFirstRecord(holder)->HasFlag(plat::kWaveHeaderBeginLoop))
            start -= pcmMixOutputFramesOrMax(holder->loopSourceFrames * holder->loopsPlayed, step_);
        for (PcmMixRecord* q = head_; q != holder; q = q->next)
            start -= pcmMixOutputFramesOrMax(q->sourceFrames, step_);
    }

    for (PcmMixRecord* r = head_; r; r = r->next) r->outputFrames = pcmMixOutputFramesOrMax(r->sourceFrames, step_);
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
        // With the loop's first record already done only the last pass is left: no more repeats.
        PcmMixRecord* first = LoopFirstRecord(r);
        const u32 count = first->HasFlag(plat::kWaveHeaderBeginLoop) ? LoopCountFor(first, loopOutput) : 0;
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
