#pragma once
// Measures and draws through engine fonts, keeping one font per style for as long as it
// lives, with its line metrics and the widths of its characters, instead of making a font
// for every character measured. Needs a current port, whose device the widths belong to.
#include <memory>
#include <vector>

#include "text/measure/CharMeasurer.h"

class StyleFonts : public CharMeasurer {
public:
    StyleFonts();
    ~StyleFonts() override;
    StyleFonts(const StyleFonts&) = delete;
    StyleFonts& operator=(const StyleFonts&) = delete;

    CharMetrics Measure(u8 c, const TextStyle& style) override;
    GfxFont* Select(const TextStyle& style) override;

private:
    struct Entry;
    Entry& EntryFor(const TextStyle& style);

    std::vector<std::unique_ptr<Entry>> entries_;
};
