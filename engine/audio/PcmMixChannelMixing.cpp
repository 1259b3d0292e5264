// The channel on the device thread: returning the records the played position has passed,
// and rendering the queue into a region of the output with the pass kernels.
#include <algorithm>

#include "engine/audio/PcmMixChannel.h"
#include "engine/audio/PcmMixModule.h"
#include "engine/audio/PcmMixStream.h"

u32 PcmMixChannel::SourceOffset(u32 outputOffset) const {
    // The quotient of the frame offset by the step, kept in 64 bits so that long buffers stay exact.
    return u32((u64(outputOffset) << 16) / u32(step_));
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
    finishedFrames_ += record->sourceFrames;
    position_ = finishedFrames_;
    // The done flag hands the buffer back: its client may free the record from here on, so
    // nothing of the record is read after it.
    header->flags.store((header->flags.load() & ~plat::kWaveHeaderInQueue) | plat::kWaveHeaderDone);
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
    // A callback may reset the queue or break its loop: the walk then stops, for the records
    // it holds are returned or re-timed already.
    const u32 edits = queueEdits_;
    const auto passLoops = [&](PcmMixRecord* record, u32 passes) {
        while (record->loopsPlayed < passes && queueEdits_ == edits) PassLoop(record);
        return queueEdits_ == edits;
    };
    // Every pass that the played position has left is reported, even when a poll came too
    // late to see it begin, so that the position counts each pass once.
    PcmMixRecord* r = head_;
    while (r) {
        if (pcmMixBefore(p, r->start)) return;
        PcmMixRecord* next = r->next;
        if (!pcmMixBefore(p, r->end)) {
            if (!passLoops(r, r->loopCount)) return;
            Finish(r);
            if (queueEdits_ != edits) return;
            r = next;
            continue;
        }
        if (r->loopCount == 0) {
            position_ = finishedFrames_ + SourceOffset(p - r->start);
            return;
        }
        const u32 pass = (p - r->loopBase) / r->loopOutputFrames;
        if (r->HasFlag(plat::kWaveHeaderBeginLoop) && r->HasFlag(plat::kWaveHeaderEndLoop)) {
            if (!passLoops(r, pass)) return;
        } else {
            const u32 pieceStart = r->start + pass * r->loopOutputFrames;
            if (!passLoops(r, pass)) return;
            if (pcmMixBefore(p, pieceStart + r->outputFrames)) {
                // The later records of the loop have played their pieces of the earlier passes too.
                for (PcmMixRecord* q = next; q && q->loopCount > 0 && q->loopBase == r->loopBase; q = q->next)
                    if (!passLoops(q, pass)) return;
                position_ = finishedFrames_ + (pcmMixBefore(p, pieceStart) ? 0 : SourceOffset(p - pieceStart));
                return;
            }
            if (!passLoops(r, pass + 1)) return;
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
