#include "platform/gdi/Palette.h"

#include <algorithm>

namespace plat::gdi {

namespace {

constexpr PaletteEntry kStatic[kStaticColorCount] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

Rgb staticRgb(int i) { return kStatic[i].rgb(); }

const Rgb kStandard16[16] = {
    staticRgb(0),  staticRgb(1),  staticRgb(2),  staticRgb(3),  staticRgb(4),  staticRgb(5),
    staticRgb(6),  staticRgb(7),  staticRgb(12), staticRgb(13), staticRgb(14), staticRgb(15),
    staticRgb(16), staticRgb(17), staticRgb(18), staticRgb(19),
};

}  // namespace

const PaletteEntry* staticColors() { return kStatic; }
const Rgb* standardColors16() { return kStandard16; }

Palette::Palette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {
    if (entries_.size() > 256) entries_.resize(256);
}

const Palette& Palette::stockDefault() {
    static const Palette palette(std::vector<PaletteEntry>(kStatic, kStatic + kStaticColorCount));
    return palette;
}

uint16_t Palette::setEntries(uint16_t first, uint16_t count, const PaletteEntry* colors) {
    if (first >= entries_.size()) return 0;
    uint16_t n = uint16_t(std::min<size_t>(count, entries_.size() - first));
    std::copy(colors, colors + n, entries_.begin() + first);
    return n;
}

uint16_t Palette::getEntries(uint16_t first, uint16_t count, PaletteEntry* out) const {
    if (first >= entries_.size()) return 0;
    uint16_t n = uint16_t(std::min<size_t>(count, entries_.size() - first));
    std::copy(entries_.begin() + first, entries_.begin() + first + n, out);
    return n;
}

uint16_t Palette::nearestIndex(Rgb color) const {
    return uint16_t(nearestColorIndex(entries_.size(), color, [&](size_t i) { return entries_[i].rgb(); }));
}

}  // namespace plat::gdi
