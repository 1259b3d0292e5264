#include "platform/gdi/DisplayPalette.h"

namespace plat::gdi {

DisplayPalette& DisplayPalette::instance() {
    static DisplayPalette display;
    return display;
}

SystemPaletteUse DisplayPalette::setUse(SystemPaletteUse use) {
    SystemPaletteUse previous = use_;
    use_ = use;
    return previous;
}

uint32_t DisplayPalette::realize(const Palette&, bool writeEntries) {
    ++counters_.realizations;
    if (writeEntries) ++counters_.fullRealizations;
    return 0;
}

void DisplayPalette::animate(const Palette&, uint16_t first, uint16_t count) {
    ++counters_.animations;
    counters_.lastAnimatedFirst = first;
    counters_.lastAnimatedCount = count;
}

void DisplayPalette::reset(const Palette&) { ++counters_.resets; }

void DisplayPalette::restoreDefaults() {
    bits_ = 16;
    foregroundIsOurs_ = true;
    use_ = SystemPaletteUse::Static;
    counters_ = {};
    // A light grey desktop scheme: windows white, text black, faces grey.
    constexpr ColorRef white = rgbColor(255, 255, 255), black = rgbColor(0, 0, 0), grey = rgbColor(192, 192, 192),
                       dark = rgbColor(128, 128, 128), navy = rgbColor(0, 0, 128);
    sysColors_ = {grey, rgbColor(0, 128, 128), navy, dark, grey, white, black, black, black, white, grey, grey, dark,
                  navy, white, grey, dark, dark, black, grey, white, black, grey, black, rgbColor(255, 255, 225)};
}

}  // namespace plat::gdi
