#include "engine/audio/MixerDevice.h"

MixerDevice::MixerDevice() {
    osmLockInit(&engineLock_, 0);
    refillNote_.function = &MixerDevice::RunRefill;
    refillNote_.argument = reinterpret_cast<uintptr_t>(this);
}

void MixerDevice::Lock() {
    lock_.lock();
    osmEnterLock(&engineLock_);
}

void MixerDevice::Unlock() {
    // A refill may post another one (it tops the ring up); each runs in turn before the lock is left.
    osmLeaveLock(&engineLock_);
    lock_.unlock();
}

void MixerDevice::RunRefill(uintptr_t device) {
    auto* self = reinterpret_cast<MixerDevice*>(device);
    if (self->refill_) self->refill_(self->refillContext_, self->played_, self->written_);
}

void MixerDevice::PostRefill() {
    Lock();
    osmPostNotification(&engineLock_, &refillNote_);
    Unlock();
}

void MixerDevice::FillNow() {
    if (engineLock_.depth.load() == 1)
        RunRefill(reinterpret_cast<uintptr_t>(this));
    else
        osmPostNotification(&engineLock_, &refillNote_);
}

void MixerDevice::PollStep() {
    Lock();
    if (playing_) {
        const u32 played = played_;
        const u32 written = written_;
        GetPositions(nullptr, nullptr);
        if (played_ != played || written_ != written) osmPostNotification(&engineLock_, &refillNote_);
    }
    Unlock();
}

void MixerDevice::CreateThread(u32 periodMs, bool run) {
    if (run) thread_ = std::make_unique<MixerDeviceThread>(periodMs, [this] { PollStep(); });
}
