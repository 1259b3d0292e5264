#pragma once
// The text panel's choices as the 24 words of [TextPanel] in the user's "user.ini" hold them:
// word 0 the voice (negative: nothing stored), words 1-16 the font's name (32 bytes, two a
// word, the lower byte first), word 17 the size in points, words 18-21 carried unread, words
// 22-23 the justification (-1 left, 0 centre, 1 right; word 22 the lower half).
#include <array>
#include <string>

#include "panels/base/PanelSaveData.h"

namespace Ostrel {

constexpr size_t kTextWordVoice = 0;
constexpr size_t kTextWordFont = 1;
constexpr size_t kTextFontBytes = 32;
constexpr size_t kTextWordSize = 17;
constexpr size_t kTextWordCarried = 18;
constexpr size_t kTextCarriedWords = 4;
constexpr size_t kTextWordJustify = 22;

struct TextPanelChoices {
    i16 voice = kPrefsNotStored;
    // At most kTextFontBytes - 1 bytes.
    std::string font;
    i16 size = 0;
    i32 justification = -1;
    std::array<i16, kTextCarriedWords> carried{kPrefsNotStored, kPrefsNotStored, kPrefsNotStored, kPrefsNotStored};
    bool operator==(const TextPanelChoices&) const = default;
};

// The name ends at its first NUL or after 31 bytes, whatever the file held; a justification
// other than -1, 0 or 1 reads as -1.
TextPanelChoices readTextPanelRecord(const tTextPanelSaveData& record);
tTextPanelSaveData writeTextPanelRecord(const TextPanelChoices& choices);

}  // namespace Ostrel
