#pragma once
// Stand-ins for the screen and the fonts, so that the editors can be driven on their own:
// the host records what the editor asked of the screen; the measurer gives every character
// a fixed width in lines of a fixed height.
#include <vector>

#include "text/host/TextHost.h"
#include "text/measure/CharMeasurer.h"
#include "text/style/StyledText.h"

namespace text_test {

constexpr u16 kCharWidth = 6;
constexpr u16 kWideWidth = 10;  // 'W'
constexpr u16 kLeading = 1;
constexpr u16 kAscent = 8;
constexpr u16 kDescent = 3;
constexpr u16 kLineHeight = kLeading + kAscent + kDescent;

class RecordingTextHost : public TextHost {
public:
    void PlaySound(u16 soundId) override { sounds.push_back(soundId); }
    void MarkStale() override { ++staleMarks; }
    void Invalidate(const Rect16& rect) override { invalidated.push_back(rect); }
    void TellPasteTooLong() override { ++toldTooLong; }

    std::vector<u16> sounds;
    int staleMarks = 0;
    int toldTooLong = 0;
    std::vector<Rect16> invalidated;
};

// Sizes scale the widths: a style of size 2 × s is twice as wide as one of size s, so runs
// of different sizes lay out differently. Size 0 (not set) counts as 12.
class FixedMeasurer : public CharMeasurer {
public:
    CharMetrics Measure(u8 c, const TextStyle& style) override {
        ++measured;
        const u16 scale = style.size ? style.size : 12;
        const u16 width = c == kCharCR ? 0 : c == 'W' ? kWideWidth : kCharWidth;
        return CharMetrics{u16(width * scale / 12), u16(kLeading * scale / 12), u16(kDescent * scale / 12),
                           u16(kAscent * scale / 12)};
    }
    GfxFont* Select(const TextStyle&) override { return nullptr; }
    int measured = 0;
};

}  // namespace text_test
