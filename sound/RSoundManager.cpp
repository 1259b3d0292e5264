#include "sound/RSoundManager.h"

namespace Ostrel {

RSoundManager::~RSoundManager() {
    for (const auto& group : groups_)
        for (RSound* sound : group->sounds) sound->Stop();
}

i32 RSoundManager::AddGroup(std::unique_ptr<RSoundGroup> group) {
    if (groups_.size() >= kSoundManagerGroups) return -1;
    groups_.push_back(std::move(group));
    return i32(groups_.size() - 1);
}

u16 RSoundManager::GroupOperation(size_t group, size_t index, u16 operation, i32 value) {
    if (group >= groups_.size() || index >= groups_[group]->sounds.size()) return 1;
    RSound* sound = groups_[group]->sounds[index];
    switch (operation) {
    case kSoundGroupSetVolume: sound->SetVolume(value); return 0;
    case kSoundGroupSetPan: sound->SetPan(i16(std::clamp<i32>(value, -32768, 32767))); return 0;
    case kSoundGroupSetRate: sound->SetRate(value); return 0;
    case kSoundGroupSetFade: sound->SetFade(u16(value)); return 0;
    case kSoundGroupFadeStep: return sound->FadeStep();
    default: return 0;
    }
}

void RSoundManager::HandleTick(u32) {
    if (!fading_) return;
    fading_ = false;
    bool moving = false;
    for (const auto& group : groups_)
        for (RSound* sound : group->sounds)
            if (sound->GetFadeMode() != kSoundFadeNone) moving |= sound->FadeStep() != 0;
    if (moving) {
        fading_ = true;
        return;
    }
    for (const auto& group : groups_)
        for (RSound* sound : group->sounds) sound->SetFade(kSoundFadeNone);
}

}  // namespace Ostrel
