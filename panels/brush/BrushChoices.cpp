#include "panels/brush/BrushChoices.h"

#include <algorithm>

#include "panels/brush/RRealMediaToolPanel.h"

namespace Ostrel {
namespace {

constexpr i16 kDefaultSizeIndex = 1;

i16 either(i16 stored, u16 first, u16 second) { return stored == i16(second) ? i16(second) : i16(first); }

}  // namespace

tRealMediaSaveData ValidBrushChoices(const tRealMediaSaveData& stored) {
    tRealMediaSaveData valid{};
    valid[kBrushWordFamily] = 0;
    valid[kBrushWordSize] = kDefaultSizeIndex;
    valid[kBrushWordBrushMode] = i16(kBrushModeReal);
    valid[kBrushWordVoiceMode] = i16(kBrushModeVoice);
    valid[kBrushWordRollerMode] = i16(kBrushModeRoller);
    if (stored[kBrushWordFamily] == kPrefsNotStored) return valid;
    if (stored[kBrushWordFamily] >= 0 && stored[kBrushWordFamily] < kBrushFamilyCount)
        valid[kBrushWordFamily] = stored[kBrushWordFamily];
    if (stored[kBrushWordSize] >= 0 && stored[kBrushWordSize] < kBrushSizeCount) valid[kBrushWordSize] = stored[kBrushWordSize];
    valid[kBrushWordBrushMode] = either(stored[kBrushWordBrushMode], kBrushModeReal, kBrushModeWacky);
    valid[kBrushWordVoiceMode] = either(stored[kBrushWordVoiceMode], kBrushModeVoice, kBrushModeHandsFree);
    valid[kBrushWordRollerMode] = either(stored[kBrushWordRollerMode], kBrushModeRoller, kBrushModeSpray);
    // Items past a strip fall back on its first when the strip is shown.
    for (size_t i = kBrushWordFirstItem; i < valid.size(); ++i) valid[i] = std::max<i16>(stored[i], 0);
    return valid;
}

}  // namespace Ostrel
