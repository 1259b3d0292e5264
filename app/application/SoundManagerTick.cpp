#include "app/application/SoundManagerTick.h"

#include "sound/RSoundManager.h"

namespace Ostrel {

SoundManagerTick::SoundManagerTick(RSoundManager& manager) : manager_(manager) { Register(kSoundManagerInput); }

void SoundManagerTick::HandleTick(u32 now) { manager_.HandleTick(now); }

}  // namespace Ostrel
