#include "text/spellcheck/SpellWords.h"

#include <cctype>

namespace {

// Punctuation of code page 1252 above ASCII: low and curly quotes, ellipsis, dashes, angle
// quotes, the inverted marks, the no-break space and the middle dot.
constexpr u8 kHighPunctuation[] = {0x82, 0x84, 0x85, 0x8B, 0x91, 0x92, 0x93, 0x94, 0x96, 0x97,
                                   0x9B, 0xA0, 0xA1, 0xAB, 0xB7, 0xBB, 0xBF};

}  // namespace

bool spellIsDelimiter(u8 c) {
    if (c < 0x20 || c == 0x7F || c == ' ') return true;
    if (c < 0x80) return std::ispunct(c) && c != '_' && c != '\'';
    for (u8 p : kHighPunctuation)
        if (c == p) return true;
    return false;
}

bool spellNextWord(std::string_view text, u32 from, SpellWord* word, u32* next) {
    u32 n = u32(text.size());
    u32 at = from;
    for (;;) {
        while (at < n && spellIsDelimiter(u8(text[at]))) ++at;
        if (at >= n) {
            *next = n;
            return false;
        }
        u32 end = at;
        bool digit = false;
        while (end < n && !spellIsDelimiter(u8(text[end]))) digit |= std::isdigit(u8(text[end++])) != 0;
        u32 start = at;
        at = end;
        while (start < end && text[start] == '\'') ++start;
        while (end > start && text[end - 1] == '\'') --end;
        if (digit || start == end) continue;
        word->offset = start;
        word->length = end - start;
        *next = at;
        return true;
    }
}
