#include "text/measure/StyleFonts.h"

#include <array>
#include <cstring>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxModule.h"
#include "text/style/StyledText.h"

namespace {

constexpr int kInfoDescent = 1;
constexpr int kInfoLeading = 2;
constexpr int kInfoAscent = 4;
constexpr u16 kNotMeasured = 0xFFFF;

}  // namespace

struct StyleFonts::Entry {
    char name[kGfxFontNameSize];
    u16 size;
    u16 bits;
    GfxFont* font;
    bool infoRead = false;
    CharMetrics lineMetrics{};
    std::array<u16, 256> widths;
};

StyleFonts::StyleFonts() = default;

StyleFonts::~StyleFonts() {
    for (auto& entry : entries_) {
        if (gfxGetFont() == entry->font) gfxSetFont(nullptr);
        gfxDisposeFont(entry->font);
    }
}

StyleFonts::Entry& StyleFonts::EntryFor(const TextStyle& style) {
    const u16 bits = style.StyleBits();
    for (auto& entry : entries_)
        if (entry->size == style.size && entry->bits == bits && std::strncmp(entry->name, style.name, kGfxFontNameSize) == 0)
            return *entry;
    auto entry = std::make_unique<Entry>();
    std::memcpy(entry->name, style.name, kGfxFontNameSize);
    entry->size = style.size;
    entry->bits = bits;
    entry->font = style.CreateFont();
    entry->widths.fill(kNotMeasured);
    entries_.push_back(std::move(entry));
    return *entries_.back();
}

CharMetrics StyleFonts::Measure(u8 c, const TextStyle& style) {
    Entry& entry = EntryFor(style);
    if (!entry.font) return CharMetrics{};
    const bool needInfo = !entry.infoRead;
    const bool needWidth = c != kCharCR && entry.widths[c] == kNotMeasured;
    if (needInfo || needWidth) {
        GfxFont* previous = gfxSetFont(entry.font);
        if (needInfo) {
            GfxFontInfo info;
            if (gfxGetFontInfo(&info) == kErrNone) {
                entry.lineMetrics = CharMetrics{0, info.values[kInfoLeading], info.values[kInfoDescent], info.values[kInfoAscent]};
                entry.infoRead = true;
            }
        }
        if (needWidth) {
            const char text = char(c);
            const i32 width = gfxTextWidth(&text, 1);
            // A width measured without a port is not the font's: it is not kept.
            if (gfxGetLastError() != kErrNone) {
                gfxSetFont(previous);
                CharMetrics metrics = entry.lineMetrics;
                metrics.width = u16(width);
                return metrics;
            }
            entry.widths[c] = u16(width);
        }
        gfxSetFont(previous);
    }
    CharMetrics metrics = entry.lineMetrics;
    metrics.width = c == kCharCR ? 0 : entry.widths[c];
    return metrics;
}

GfxFont* StyleFonts::Select(const TextStyle& style) {
    Entry& entry = EntryFor(style);
    return gfxSetFont(entry.font);
}
