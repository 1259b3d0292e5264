#include "engine/base/FastSearch.h"

#include <array>
#include <cstring>
#include <string>

namespace {

struct Search {
    std::string pattern;
    std::array<u32, 256> skip{};
    std::array<u8, 256> fold{};
};

Search search;

u8 lower(u8 c) { return c >= 'A' && c <= 'Z' ? u8(c + ('a' - 'A')) : c; }

}  // namespace

bool FastSearchSetPattern(const char* pattern, bool ignoreCase) {
    const size_t length = pattern ? std::strlen(pattern) : 0;
    if (length == 0) return false;
    Search s;
    for (size_t i = 0; i < s.fold.size(); ++i) s.fold[i] = ignoreCase ? lower(u8(i)) : u8(i);
    for (size_t i = 0; i < length; ++i) s.pattern.push_back(char(s.fold[u8(pattern[i])]));
    s.skip.fill(u32(length));
    for (size_t i = 0; i + 1 < length; ++i) s.skip[u8(s.pattern[i])] = u32(length - 1 - i);
    s.skip[u8(s.pattern.back())] = 0;
    if (ignoreCase)
        for (int c = 'a'; c <= 'z'; ++c) s.skip[size_t(c - 'a' + 'A')] = s.skip[size_t(c)];
    search = std::move(s);
    return true;
}

u32 FastSearchFind(const char* text, u32 length) {
    const u32 n = u32(search.pattern.size());
    if (n == 0 || !text || length < n) return 0;
    const u8* t = reinterpret_cast<const u8*>(text);
    const u8* p = reinterpret_cast<const u8*>(search.pattern.data());
    u32 end = n - 1;  // the window's last byte
    while (end < length) {
        const u32 skip = search.skip[t[end]];
        if (skip != 0) {
            end += skip;
            continue;
        }
        u32 i = 1;
        while (i < n && search.fold[t[end - i]] == p[n - 1 - i]) ++i;
        if (i == n) return end + 1;
        ++end;
    }
    return 0;
}
