#pragma once
// The sound manager's place among the input objects: the main window's periodic tick moves
// its fades on, one level a tick. Sound sits beneath the input layer, so the application
// registers this companion for the manager it made. User-interface thread only.
#include "framework/input/RInputObject.h"

namespace Ostrel {

class RSoundManager;

// The input events the manager asks for: the tick, and activation, which it leaves as it is.
constexpr u32 kSoundManagerInput = kInputTick | kInputActivation;

class SoundManagerTick : public RInputObject {
public:
    explicit SoundManagerTick(RSoundManager& manager);
    void HandleTick(u32 now) override;

private:
    RSoundManager& manager_;
};

}  // namespace Ostrel
