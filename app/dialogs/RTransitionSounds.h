#pragma once
// The sounds heard with the slides' transitions: the archive the program's settings name
// ([Paths2] "TransitionSoundFile", in the program's data folder), open for as long as the
// object lives, and one sound of it playing at a time. The sound row's place i (1 and up)
// is the wave of id kTransSoundWaveBase + i; place 0 is silence. Without the archive every
// sound is silence. User-interface thread only.
#include <memory>

#include "engine/resources/ResourceManager.h"
#include "sound/RSound.h"

namespace Ostrel {

constexpr const char* kTransSoundSection = "Paths2";
constexpr const char* kTransSoundFileKey = "TransitionSoundFile";
constexpr u16 kTransSoundWaveBase = 12030;

class RTransitionSounds {
public:
    RTransitionSounds();
    ~RTransitionSounds();
    RTransitionSounds(const RTransitionSounds&) = delete;
    RTransitionSounds& operator=(const RTransitionSounds&) = delete;

    bool IsOpen() const { return archive_ != 0; }
    // Stops the sound playing and starts the sound of the place: true when one plays.
    bool Play(i16 place);
    void Stop();
    // The place of the sound playing, -1 when none plays.
    i32 Playing() const;

private:
    ResMapHandle archive_ = 0;
    std::unique_ptr<RSound> sound_;
    i32 place_ = -1;
};

}  // namespace Ostrel
