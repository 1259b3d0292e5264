#include "sound/SoundGain.h"

#include <atomic>

namespace {

constexpr Fixed kWhisperGain = 0x100;
constexpr Fixed kLevelGain = 0x1000;

std::atomic<u16> screenVolume{0};

}  // namespace

Fixed soundGainForLevel(u16 level) {
    if (level == 0) return 0;
    if (level == 1) return kWhisperGain;
    return Fixed(level > kSoundMaxLevel ? kSoundMaxLevel : level) * kLevelGain;
}

u16 soundScreenVolume() { return screenVolume.load(); }
void soundSetScreenVolume(u16 level) { screenVolume.store(level); }
