#include "document/objects/TextRecordStyles.h"

#include <algorithm>
#include <cstdio>

namespace Ostrel {
namespace {

GfxColor colourOf(u32 rgb) { return GfxColor::rgb(u8(rgb >> 16), u8(rgb >> 8), u8(rgb)); }

u32 rgbOf(const GfxColor& colour) { return u32(colour.red) << 16 | u32(colour.green) << 8 | colour.blue; }

TextStyle styleOf(const TextRunRecord& run) {
    TextStyle style;
    std::snprintf(style.name, sizeof style.name, "%s", run.face.c_str());
    style.size = run.size;
    if (run.colourSet) style.color = colourOf(run.colour);
    style.bold = run.bold;
    style.underline = run.underline;
    style.italic = run.italic;
    return style;
}

TextRunRecord runOf(u16 from, u16 to, const TextStyle& style) {
    TextRunRecord run{from, to, style.name, style.size, style.color.GetKind() != -1, 0, u16(style.bold),
                      u16(style.underline), u16(style.italic)};
    if (run.colourSet) run.colour = rgbOf(style.color);
    return run;
}

bool changesNothing(const TextStyle& style) { return style == TextStyle{}; }

}  // namespace

StyledText styledTextOf(const TextRecord& record) {
    StyledText styled(record.text.data(), u16(std::min<size_t>(record.text.size(), kStyledTextMaxLength)));
    styled.Runs().defaultStyle.Set(record.face.c_str(), record.size, record.style, colourOf(record.colour));
    for (const TextRunRecord& run : record.runs)
        if (run.from < styled.Length()) styled.Runs().AddRun(run.from, std::min(run.to, styled.Length()), styleOf(run));
    styled.SetJustification(record.justification);
    return styled;
}

TextRecord textRecordOf(const StyledText& text) {
    TextStyle whole = currentTextStyle();
    whole.Merge(text.Runs().defaultStyle);
    TextRecord record{whole.name, whole.size, whole.StyleBits(), rgbOf(whole.color), text.Text(),
                      i16(text.Justification())};
    // The later run wins where runs overlap: what each character's runs make of it is stored
    // once per stretch, so the record never holds more runs than the text has characters.
    const StyleRuns& runs = text.Runs();
    if (runs.Runs().empty()) return record;
    TextStyle stretch;
    u16 start = 0;
    for (u32 i = 0; i <= text.Length(); ++i) {
        const TextStyle here = i < text.Length() ? runs.StyleAt(u16(i), false) : TextStyle{};
        if (i < text.Length() && here == stretch) continue;
        if (!changesNothing(stretch)) record.runs.push_back(runOf(start, u16(i), stretch));
        stretch = here;
        start = u16(i);
    }
    // A text styled whole is a text in one style.
    if (record.runs.size() == 1 && record.runs[0].from == 0 && record.runs[0].to == text.Length()) {
        whole.Merge(styleOf(record.runs[0]));
        record = TextRecord{whole.name, whole.size, whole.StyleBits(), rgbOf(whole.color), text.Text(), i16(text.Justification())};
    }
    return record;
}

}  // namespace Ostrel
