#include "panels/alphabet/AlphabetSounds.h"

namespace Ostrel {

namespace {

constexpr int kLetters = 26;
constexpr int kLastSharedItem = 67;
constexpr int kSmallLetterShift = 21974;
constexpr int kPercentItem = 68;
constexpr u16 kPercentSound = 22092;
constexpr int kLastSignItem = 71;
constexpr int kSignShift = 22021;

}  // namespace

u16 AlphabetSoundId(int item) {
    if (item < 0) return kAlphabetSymbolSound;
    if (item < kLetters) return u16(kAlphabetFirstSound + item);
    if (item <= kLastSharedItem) return u16(kSmallLetterShift + item);
    if (item == kPercentItem) return kPercentSound;
    if (item <= kLastSignItem) return u16(kSignShift + item);
    return kAlphabetSymbolSound;
}

}  // namespace Ostrel
