#include "text/speech/Respelling.h"

#include "platform/charset/Characters.h"

namespace {

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (plat::charLower(u8(a[i])) != plat::charLower(u8(b[i]))) return false;
    return true;
}

bool inWord(char c) { return plat::charIsAlnum(u8(c)) || c == '\''; }

}  // namespace

std::string respell(std::string_view text, const std::vector<Pronunciation>& entries, u32 family) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        if (!inWord(text[at])) {
            out += text[at++];
            continue;
        }
        size_t end = at;
        while (end < text.size() && inWord(text[end])) ++end;
        const std::string_view word = text.substr(at, end - at);
        const Pronunciation* match = nullptr;
        for (const Pronunciation& entry : entries)
            if (entry.family == family && sameWord(entry.word, word)) match = &entry;
        if (match)
            out += match->pronunciation;
        else
            out += word;
        at = end;
    }
    return out;
}
