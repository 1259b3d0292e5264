#pragma once
// The display's hardware palette and interface colours as the program drives them. Our
// displays are never palette-based: realising or animating a palette changes no pixel. The
// state is still kept, so that the program's decisions (static or no-static use, full
// realisation or animation, replaced interface colours) are made the same way and can be
// observed. One display, used from the user-interface thread.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Palette.h"

namespace plat::gdi {

enum class SystemPaletteUse { Static = 1, NoStatic = 2 };

// The interface colour elements the program may replace, in the system's numbering.
enum SysColor : int {
    kSysScrollBar = 0,
    kSysDesktop = 1,
    kSysActiveCaption = 2,
    kSysInactiveCaption = 3,
    kSysMenu = 4,
    kSysWindow = 5,
    kSysWindowFrame = 6,
    kSysMenuText = 7,
    kSysWindowText = 8,
    kSysCaptionText = 9,
    kSysActiveBorder = 10,
    kSysInactiveBorder = 11,
    kSysAppWorkspace = 12,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysButtonFace = 15,
    kSysButtonShadow = 16,
    kSysGrayText = 17,
    kSysButtonText = 18,
    kSysInactiveCaptionText = 19,
    kSysButtonHighlight = 20,
    kSys3dDarkShadow = 21,
    kSys3dLight = 22,
    kSysInfoText = 23,
    kSysInfoBackground = 24,
    kSysColorCount = 25,
};

struct DisplayPaletteCounters {
    uint32_t realizations = 0;
    uint32_t fullRealizations = 0;  // entries written before realising
    uint32_t animations = 0;
    uint32_t resets = 0;
    uint16_t lastAnimatedFirst = 0;
    uint16_t lastAnimatedCount = 0;
};

class DisplayPalette {
public:
    static DisplayPalette& instance();

    int bitsPerPixel() const { return bits_; }
    void setBitsPerPixel(int bits) { bits_ = bits; }
    bool foregroundIsOurs() const { return foregroundIsOurs_; }
    void setForegroundIsOurs(bool ours) { foregroundIsOurs_ = ours; }

    SystemPaletteUse use() const { return use_; }
    SystemPaletteUse setUse(SystemPaletteUse use);

    // Returns the number of entries that would change in a hardware palette: 0 on our displays.
    uint32_t realize(const Palette& palette, bool writeEntries);
    void animate(const Palette& palette, uint16_t first, uint16_t count);
    void reset(const Palette& palette);

    // Elements outside the table read as black and ignore writes.
    ColorRef sysColor(int element) const { return valid(element) ? sysColors_[std::size_t(element)] : 0; }
    void setSysColor(int element, ColorRef color) {
        if (valid(element)) sysColors_[std::size_t(element)] = color;
    }

    const DisplayPaletteCounters& counters() const { return counters_; }
    // Back to the start-up state: 16 bits, static use, the default interface colours.
    void restoreDefaults();

private:
    DisplayPalette() { restoreDefaults(); }
    static bool valid(int element) { return element >= 0 && element < kSysColorCount; }

    int bits_ = 16;
    bool foregroundIsOurs_ = true;
    SystemPaletteUse use_ = SystemPaletteUse::Static;
    std::array<ColorRef, kSysColorCount> sysColors_{};
    DisplayPaletteCounters counters_;
};

}  // namespace plat::gdi
