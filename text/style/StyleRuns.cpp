#include "text/style/StyleRuns.h"

#include <algorithm>
#include <utility>

void StyleRuns::AddRun(u16 from, u16 to, const TextStyle& style) {
    if (from > to) std::swap(from, to);
    if (!runs_.empty() && runs_.back().from == from && runs_.back().to == to) {
        runs_.back().style.Merge(style);
        return;
    }
    runs_.push_back(StyleRun{from, to, style});
}

TextStyle StyleRuns::StyleAt(u16 index, bool withDefault) const {
    TextStyle style = withDefault ? defaultStyle : TextStyle{};
    for (const StyleRun& run : runs_)
        if (run.from <= index && index < run.to) style.Merge(run.style);
    return style;
}

TextStyle StyleRuns::StyleOfRange(u16 from, u16 to) const {
    if (from == to) {
        const u16 before = from ? u16(from - 1) : u16(0);
        TextStyle style = defaultStyle;
        for (const StyleRun& run : runs_) {
            const bool chosenHere = run.from == from && run.to == from;
            if (chosenHere || (run.from <= before && before < run.to)) style.Merge(run.style);
        }
        return style;
    }
    TextStyle style = StyleAt(from);
    for (u32 i = u32(from) + 1; i < to; ++i) style.Intersect(StyleAt(u16(i)));
    return style;
}

void StyleRuns::Adjust(u16 start, u16 end, u16 inserted) {
    const i32 s = start, e = end, n = inserted;
    if (s < e) {
        const i32 d = n - (e - s);
        std::erase_if(runs_, [&](StyleRun& run) {
            const i32 a = run.from, b = run.to;
            if (s >= b) return false;
            if (e <= a) {
                run.from = u16(a + d);
                run.to = u16(b + d);
            } else if (a <= s) {
                run.to = u16(e < b ? b + d : s + n);
            } else if (e < b) {
                run.from = u16(s + n);
                run.to = u16(b + d);
            } else {
                return true;
            }
            return false;
        });
        return;
    }
    const i32 p = s;
    for (StyleRun& run : runs_) {
        const i32 a = run.from, b = run.to;
        if (p > b) continue;
        if (p == b) {
            run.to = u16(b + n);
        } else if (p <= a) {
            run.from = u16(a + n);
            run.to = u16(b + n);
        } else {
            run.to = u16(b + n);
        }
    }
}

void StyleRuns::DropEmptyRuns() {
    std::erase_if(runs_, [](const StyleRun& run) { return run.from == run.to; });
}

void StyleRuns::CopyRange(const StyleRuns& source, u16 from, u16 to) {
    defaultStyle = source.defaultStyle;
    runs_.clear();
    for (const StyleRun& run : source.runs_) {
        const u16 a = std::max(run.from, from);
        const u16 b = std::min(run.to, to);
        if (a <= b) runs_.push_back(StyleRun{u16(a - from), u16(b - from), run.style});
    }
}
