#pragma once
// The engine's INI syntax, parsed in place over a profile's bytes. A line ends at CR LF, at LF
// or at CR, so that a file from any editor reads alike, even with its endings mixed; blanks (spaces and tabs) at a line's start are skipped; a
// line starting with "[" is a section header when a "]" follows on it; inside a section a line
// starting with ";" is a comment and any other line holding "=" is a key line. Names compare
// without regard to letter case; the first section and, in it, the first key of a name count.
//
// Positions are byte offsets into the text; the functions keep no state.
#include <string_view>

#include "engine/base/EngineTypes.h"

struct IniSpan {
    u32 start;
    u32 length;
};

struct IniKeyLine {
    u32 lineStart;
    IniSpan key;
    u32 valueStart;  // just after the "="
    u32 lineEnd;     // the line's CR or LF, or the end of the text
};

class IniText {
public:
    explicit IniText(std::string_view text) : text_(text) {}

    u32 size() const { return u32(text_.size()); }
    u32 lineEnd(u32 pos) const;
    u32 nextLine(u32 pos) const;
    u32 skipBlanks(u32 pos) const;

    // The next section header whose line starts at or after pos: the name and the header
    // line's start. False at the end.
    bool nextSection(u32* pos, IniSpan* name, u32* headerStart) const;
    // The section of the name: where its key lines begin (the line after the header) and the
    // header line's start.
    bool findSection(std::string_view name, u32* bodyStart, u32* headerStart) const;
    // The next key line of the section from pos (a line start), advancing pos past it.
    bool nextKey(u32* pos, IniKeyLine* key) const;
    bool findKey(u32 bodyStart, std::string_view name, IniKeyLine* key) const;
    // The start of the line after the section's last key line (the body start when none).
    u32 afterLastKey(u32 bodyStart) const;
    // Where the next section header line starts, or the end of the text.
    u32 nextHeaderStart(u32 pos) const;
    // The value of a key line: blanks around it removed, then matching quotes.
    IniSpan value(const IniKeyLine& key) const;

    std::string_view slice(IniSpan span) const { return text_.substr(span.start, span.length); }

private:
    // The start of the line after a line end found by lineEnd.
    u32 startAfter(u32 end) const;
    // The first c in [from, end), or end.
    u32 find(char c, u32 from, u32 end) const;
    std::string_view text_;
};

bool iniNamesEqual(std::string_view a, std::string_view b);
