#pragma once
// Logical palettes: up to 256 colour entries with their flag bytes. A device context refers
// to a palette it does not own; the owner keeps it alive while any context has it selected.
// There is no hardware palette behind our surfaces, so realising a palette only reports how
// many entries it holds.
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

// The 20 static colours in system order; the first 10 and last 10 entries of an 8-bit system palette.
const PaletteEntry* staticColors();
constexpr int kStaticColorCount = 20;

// The 16-colour table of 4-bit surfaces, in red, green, blue order: the first 8 and last 8 static colours.
const Rgb* standardColors16();

}  // namespace plat::gdi
