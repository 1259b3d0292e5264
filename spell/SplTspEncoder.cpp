#include "spell/SplTspEncoder.h"

#include <cstring>

#include "engine/base/ByteOrder.h"

namespace {

struct Match {
    u32 length = 1;
    const u8* outputs = nullptr;  // (output, letter) per pattern letter, or null for one output
    u8 single = kTspNoOutput;
};

// The longest pattern at text[at]; a letter no pattern starts with is one letter without code.
Match longest(const SplTrieLexicon* lex, const u8* text, u32 length, u32 at) {
    Match best;
    u32 state = 0;
    for (u32 k = 0; at + k < length && k < kTspMaxPattern; ++k) {
        const u8* s = lex->encoder + kTspStateSize * state;
        u32 first = readLE16(s + 2), count = s[4];
        u8 letter = u8(text[at + k] - 'X');
        u32 next = 0;
        for (u32 c = first; c < first + count; ++c)
            if (lex->encoder[kTspStateSize * c] == letter) {
                next = c;
                break;
            }
        if (next == 0) break;
        state = next;
        u8 output = lex->encoder[kTspStateSize * state + 1];
        if (output == kTspNoOutput) continue;
        best.length = k + 1;
        best.outputs = nullptr;
        best.single = kTspNoOutput;
        if (output < kTspFirstString) {
            best.single = output;
            continue;
        }
        const u8* str = lex->encoderStrings;
        for (u32 n = output - kTspFirstString; n > 0; --n) {
            while (*str != 0) str += 2;
            ++str;
        }
        best.outputs = str;
    }
    return best;
}

// A consonant puts its letter (the one its code stands for) into B, a vowel its change of quality.
void put(const u8* vowels, const u8* unaccent, u8 letter, u8 code, SplTspCodes* codes, SplTspEncState* st) {
    if (code == kTspNoOutput || code < kTspVowelCode || code > 31) return;
    if (code <= kTspLastSounding && st->aLength < kTspMaxCodes) codes->a[st->aLength++] = code;
    if (code != kTspVowelCode) {
        if (st->bLength < kTspMaxCodes) codes->b[st->bLength++] = letter;
        return;
    }
    const char* at = std::strchr(reinterpret_cast<const char*>(vowels) + 1, unaccent[letter]);
    if (at == nullptr || unaccent[letter] == 0) return;
    u8 v = u8(kTspVowelCode + (at - reinterpret_cast<const char*>(vowels)));
    if (v != st->vowel && st->bLength < kTspMaxCodes) codes->b[st->bLength++] = u8(st->vowel + 8 * v + 39);
    st->vowel = v;
}

}  // namespace

const char* splTspVowels(int language) {
    switch (language) {
    case 1: case 3: case 6: return "aaeiouy";
    case 2: return "aaeijouy";
    case 4: return "aaeiouwy";
    case 5: return "aaeijouwy";
    default: return nullptr;
    }
}

void splTspEncode(const SplTrieLexicon* lex, const u8* vowels, const u8* unaccent, const u8* text, u32 length,
                  u32 fixed, const SplTspEncState& from, SplTspCodes* codes, SplTspEncState* end,
                  SplTspEncState* stable) {
    SplTspEncState st = from;
    *stable = from;
    while (st.position < length) {
        u32 at = st.position;
        Match m = longest(lex, text, length, at);
        bool outputsEnded = false;
        for (u32 k = 0; k < m.length; ++k) {
            u8 code = m.single, letter = text[at + k];
            if (m.outputs != nullptr) {
                outputsEnded = outputsEnded || m.outputs[2 * k] == 0;
                code = outputsEnded ? kTspNoOutput : m.outputs[2 * k];
                if (!outputsEnded && m.outputs[2 * k + 1] != 0) letter = m.outputs[2 * k + 1];
            }
            put(vowels, unaccent, letter, code, codes, &st);
        }
        st.position = at + m.length;
        // A pattern looks at most the longest pattern's length ahead.
        if (at + lex->longestPattern <= fixed) *stable = st;
    }
    *end = st;
}
