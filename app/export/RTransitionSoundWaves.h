#pragma once
// The sounds of the slides' transitions as an exported slide show hears them: the archive the
// program's settings name ([Paths2] "TransitionSoundFile", in the program's data folder), open
// for as long as the object lives. The sound row's place i (1 and up) is the wave of id
// kTransitionWaveBase + i; place 0 is silence, and so is every place without the archive.
// User-interface thread only.
#include <vector>

#include "engine/resources/ResourceManager.h"

namespace Ostrel {

constexpr const char* kTransitionWaveSection = "Paths2";
constexpr const char* kTransitionWaveFileKey = "TransitionSoundFile";
constexpr u16 kTransitionWaveBase = 12030;

class RTransitionSoundWaves {
public:
    // The archive the running program's settings name.
    RTransitionSoundWaves();
    ~RTransitionSoundWaves();
    RTransitionSoundWaves(const RTransitionSoundWaves&) = delete;
    RTransitionSoundWaves& operator=(const RTransitionSoundWaves&) = delete;

    bool IsOpen() const { return archive_ != 0; }
    // The archive wave of the place; empty for silence.
    std::vector<u8> Wave(u16 place) const;

private:
    ResMapHandle archive_ = 0;
};

}  // namespace Ostrel
