#pragma once
// The application's one sound manager: groups of sounds whose fades it drives, one fade
// level per tick of the main window while its fading flag is set. It owns the groups once
// they are added (not the sounds, which belong to whoever made them) and stops every sound
// of every group when it goes. The input layer sits above sound, so the application's
// start-up registers an input object that calls HandleTick on every tick. User-interface
// thread only.
#include <algorithm>
#include <memory>
#include <vector>

#include "sound/RSound.h"

namespace Ostrel {

constexpr u16 kSoundGroupSetVolume = 1;
constexpr u16 kSoundGroupSetPan = 2;
constexpr u16 kSoundGroupSetRate = 3;
constexpr u16 kSoundGroupSetFade = 4;
constexpr u16 kSoundGroupFadeStep = 5;
constexpr size_t kSoundManagerGroups = 20;

struct RSoundGroup {
    std::vector<RSound*> sounds;
};

class RSoundManager {
public:
    RSoundManager() = default;
    ~RSoundManager();
    RSoundManager(const RSoundManager&) = delete;
    RSoundManager& operator=(const RSoundManager&) = delete;

    // The group's index; -1 when all places are taken.
    i32 AddGroup(std::unique_ptr<RSoundGroup> group);
    size_t GroupCount() const { return groups_.size(); }
    // Runs `operation` on one sound of a group; 1 when the index is not in the group.
    u16 GroupOperation(size_t group, size_t index, u16 operation, i32 value);

    void StartFading() { fading_ = true; }
    bool IsFading() const { return fading_; }
    // One fade step for every fading sound of every group while fading (a sound with no fade
    // mode keeps its volume); the fading goes on until every sound has reached its target,
    // then every fade mode is cleared.
    void HandleTick(u32 now);

private:
    std::vector<std::unique_ptr<RSoundGroup>> groups_;
    bool fading_ = false;
};

}  // namespace Ostrel
