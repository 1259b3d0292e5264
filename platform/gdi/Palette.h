#pragma once
// Logical palettes: up to 256 colour entries with their flag bytes. A device context refers
// to a palette it does not own; the owner keeps it alive while any context has it selected.
// There is no hardware palette behind our surfaces, so realising a palette only reports how
// many entries it holds.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/Color.h"

namespace plat::gdi {

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    Rgb rgb() const { return {red, green, blue}; }
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

class Palette {
public:
    explicit Palette(std::vector<PaletteEntry> entries);

    // The 20 static colours of the system palette: 10 at the start, 10 at the end.
    static const Palette& stockDefault();

    uint16_t size() const { return uint16_t(entries_.size()); }
    const PaletteEntry& entry(uint16_t index) const { return entries_[index]; }
    const std::vector<PaletteEntry>& entries() const { return entries_; }

    // Writes what fits from `first`; returns the number of entries written.
    uint16_t setEntries(uint16_t first, uint16_t count, const PaletteEntry* colors);
    uint16_t getEntries(uint16_t first, uint16_t count, PaletteEntry* out) const;
    // First entry with the smallest squared RGB distance.
    uint16_t nearestIndex(Rgb color) const;

private:
    std::vector<PaletteEntry> entries_;
};

// The first of the entries 0..count-1 that `searched` accepts with the smallest squared RGB
// distance to `color`; `rgbAt(i)` gives entry i's colour. An exact match ends the search.
template <typename RgbAt, typename Searched>
uint32_t nearestColorIndex(size_t count, Rgb color, RgbAt rgbAt, Searched searched) {
    uint32_t best = 0;
    int bestDistance = INT_MAX;
    for (size_t i = 0; i < count; ++i) {
        if (!searched(i)) continue;
        Rgb e = rgbAt(i);
        int dr = int(e.red) - color.red, dg = int(e.green) - color.green, db = int(e.blue) - color.blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = uint32_t(i);
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}

template <typename RgbAt>
uint32_t nearestColorIndex(size_t count, Rgb color, RgbAt rgbAt) {
    return nearestColorIndex(count, color, rgbAt, [](size_t) { return true; });
}

// The 20 static colours in system order; the first 10 and last 10 entries of an 8-bit system palette.
const PaletteEntry* staticColors();
constexpr int kStaticColorCount = 20;

// The 16-colour table of 4-bit surfaces, in red, green, blue order: the first 8 and last 8 static colours.
const Rgb* standardColors16();

}  // namespace plat::gdi
