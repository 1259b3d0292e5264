#include "engine/ini/IniText.h"

#include <cstring>

#include "platform/charset/Characters.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool iniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (plat::charUpper(u8(a[i])) != plat::charUpper(u8(b[i]))) return false;
    }
    return true;
}

u32 IniText::lineEnd(u32 pos) const {
    if (pos >= size()) return size();
    const u32 cr = find(kCR, pos, size());
    return find(kLF, pos, cr);
}

u32 IniText::nextLine(u32 pos) const { return startAfter(lineEnd(pos)); }

u32 IniText::startAfter(u32 end) const {
    if (end >= size()) return size();
    const bool cr = text_[end] == kCR;
    ++end;
    if (cr && end < size() && text_[end] == kLF) ++end;
    return end;
}

u32 IniText::find(char c, u32 from, u32 end) const {
    if (from >= end) return end;
    const void* hit = std::memchr(text_.data() + from, c, end - from);
    return hit ? u32(static_cast<const char*>(hit) - text_.data()) : end;
}

u32 IniText::skipBlanks(u32 pos) const {
    while (pos < size() && isBlank(text_[pos])) ++pos;
    return pos;
}

bool IniText::nextSection(u32* pos, IniSpan* name, u32* headerStart) const {
    while (*pos < size()) {
        const u32 line = *pos;
        const u32 first = skipBlanks(line);
        const u32 end = lineEnd(line);
        *pos = startAfter(end);
        if (first >= end || text_[first] != '[') continue;
        const u32 close = find(']', first + 1, end);
        if (close == end) continue;
        *name = IniSpan{first + 1, close - first - 1};
        *headerStart = line;
        return true;
    }
    return false;
}

bool IniText::findSection(std::string_view wanted, u32* bodyStart, u32* headerStart) const {
    u32 pos = 0;
    IniSpan name{};
    while (nextSection(&pos, &name, headerStart)) {
        if (iniNamesEqual(slice(name), wanted)) {
            *bodyStart = pos;
            return true;
        }
    }
    return false;
}

bool IniText::nextKey(u32* pos, IniKeyLine* key) const {
    while (*pos < size()) {
        const u32 line = *pos;
        const u32 first = skipBlanks(line);
        if (first < size() && text_[first] == '[') return false;
        const u32 end = lineEnd(line);
        *pos = startAfter(end);
        if (first >= end || text_[first] == ';') continue;
        const u32 equals = find('=', first, end);
        if (equals == end) continue;
        u32 keyEnd = equals;
        while (keyEnd > first && isBlank(text_[keyEnd - 1])) --keyEnd;
        *key = IniKeyLine{line, IniSpan{first, keyEnd - first}, equals + 1, end};
        return true;
    }
    return false;
}

bool IniText::findKey(u32 bodyStart, std::string_view wanted, IniKeyLine* key) const {
    u32 pos = bodyStart;
    while (nextKey(&pos, key)) {
        if (iniNamesEqual(slice(key->key), wanted)) return true;
    }
    return false;
}

u32 IniText::afterLastKey(u32 bodyStart) const {
    u32 pos = bodyStart;
    u32 after = bodyStart;
    IniKeyLine key{};
    while (nextKey(&pos, &key)) after = pos;
    return after;
}

u32 IniText::nextHeaderStart(u32 pos) const {
    IniSpan name{};
    u32 header = size();
    return nextSection(&pos, &name, &header) ? header : size();
}

IniSpan IniText::value(const IniKeyLine& key) const {
    u32 start = skipBlanks(key.valueStart);
    u32 end = key.lineEnd;
    while (end > start && isBlank(text_[end - 1])) --end;
    const char first = start < end ? text_[start] : 0;
    if (end - start >= 2 && (first == '\'' || first == '"') && text_[end - 1] == first) {
        ++start;
        --end;
    }
    return IniSpan{start, end - start};
}
