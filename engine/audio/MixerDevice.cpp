#include "engine/audio/MixerDevice.h"

void MixerDevice::Lock() {
    lock_.lock();
    ++lockDepth_;
}

void MixerDevice::Unlock() {
    // A refill may post another one (it tops the ring up); each runs in turn before the lock is left.
    while (lockDepth_ == 1 && refillPosted_) {
        refillPosted_ = false;
        if (refill_) refill_(refillContext_, played_, written_);
    }
    --lockDepth_;
    lock_.unlock();
}

void MixerDevice::PostRefill() {
    Lock();
    refillPosted_ = true;
    Unlock();
}

void MixerDevice::FillNow() {
    if (lockDepth_ == 1 && refill_)
        refill_(refillContext_, played_, written_);
    else
        refillPosted_ = true;
}

void MixerDevice::PollStep() {
    Lock();
    if (playing_) {
        const u32 played = played_;
        const u32 written = written_;
        GetPositions(nullptr, nullptr);
        if (played_ != played || written_ != written) refillPosted_ = true;
    }
    Unlock();
}

void MixerDevice::CreateThread(u32 periodMs, bool run) {
    if (run) thread_ = std::make_unique<MixerDeviceThread>(periodMs, [this] { PollStep(); });
}
