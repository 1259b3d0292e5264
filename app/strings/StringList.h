#pragma once
// A packed list of names from a 'STRL' resource of the open archives: a count byte, then
// that many NUL-terminated strings back to back. The slide strip and the transition dialog
// take their timing texts and transition and sound names from such lists.
#include <optional>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr FourCC kStringListType = fourCC("STRL");

class StringList {
public:
    // 0 when loaded; 1 when no open archive has the list (the list is then empty).
    u16 Load(u16 id);
    u16 Reload() { return Load(id_); }
    void Release();

    u16 Count() const { return u16(strings_.size()); }
    // The string at `index` from 0; none when nothing is loaded or the index is past the end
    // of the list or of the resource's bytes.
    std::optional<std::string> CopyString(u16 index) const;
    // The 1-based position of the first string equal to `text` (byte for byte), 0 for none.
    u16 FindString(const char* text) const;

private:
    // The strings the resource really holds, at most its count byte: a list whose bytes run
    // out early, or whose last string has no terminator, ends before it.
    std::vector<std::string> strings_;
    u16 id_ = 0;
};

}  // namespace Ostrel
