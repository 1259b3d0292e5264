#include "text/spellcheck/SpellWords.h"

#include <cctype>

namespace {

// Code page 1252 above ASCII: which bytes are letters (the rest are punctuation, symbols,
// spaces and unassigned codes) and which are numbers (superscripts and fractions).
bool isHighLetter(u8 c) {
    switch (c) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

bool isNumber(u8 c) {
    return std::isdigit(c) || c == 0xB2 || c == 0xB3 || c == 0xB9 || c == 0xBC || c == 0xBD || c == 0xBE;
}

}  // namespace

bool spellIsDelimiter(u8 c) {
    if (c < 0x20 || c == 0x7F || c == ' ') return true;
    if (c < 0x80) return std::ispunct(c) && c != '_' && c != '\'';
    return !isHighLetter(c) && !isNumber(c);
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
        while (end < n && !spellIsDelimiter(u8(text[end]))) digit |= isNumber(u8(text[end++]));
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
