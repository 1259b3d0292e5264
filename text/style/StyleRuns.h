#pragma once
// The style runs of a text: a default style and a list of partial styles laid over ranges of
// characters. The list keeps the order in which runs were added; where runs overlap the later
// one wins. A run whose ends are equal marks a style chosen at a caret for what is typed next.
#include <vector>

#include "text/style/TextStyle.h"

struct StyleRun {
    u16 from;
    u16 to;
    TextStyle style;
};

class StyleRuns {
public:
    TextStyle defaultStyle;

    // A reversed pair is swapped. A run with the same ends as the last one is merged into it.
    void AddRun(u16 from, u16 to, const TextStyle& style);
    // The style of the character at `index`, over the default style or over an unset style.
    TextStyle StyleAt(u16 index, bool withDefault = true) const;
    // What a selection shows: at a caret, the style of the character before it changed by a
    // style chosen at the caret; over a range, what all its characters have in common.
    TextStyle StyleOfRange(u16 from, u16 to) const;
    // After the range [start, end) was replaced by `inserted` characters.
    void Adjust(u16 start, u16 end, u16 inserted);
    void DropEmptyRuns();
    // The runs of `source` cut to [from, to] and shifted to start at 0.
    void CopyRange(const StyleRuns& source, u16 from, u16 to);

    const std::vector<StyleRun>& Runs() const { return runs_; }

private:
    std::vector<StyleRun> runs_;
};
