#include "spell/SplPhonetic.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"

namespace {

constexpr u8 kFrameStart = 'Y';
constexpr u8 kFrameEnd = 'Z';

struct Match {
    int length = 0;
    u8 output = kPhonNoOutput;
};

Match longestRule(const u8* at, const SplPhonTable* phon) {
    Match best;
    u16 known = phon->firstTwo[at[0]][at[1]];
    if (known != kPhonRuleScan) {
        best.length = known >> 8;
        best.output = u8(known);
        return best;
    }
    const SplPhonRule* end = phon->rules + phon->firstRule[at[0] + 1];
    for (const SplPhonRule* rule = phon->rules + phon->firstRule[at[0]]; rule < end; ++rule) {
        if (rule->second != 0 && rule->second != at[1]) continue;
        int n = rule->length < 2 ? rule->length : 2;
        while (rule->pattern[n] != 0 && rule->pattern[n] == at[n]) ++n;
        if (rule->pattern[n] == 0 && n > 0) {  // the longest, the rules being ordered so
            best.length = n;
            best.output = rule->output;
            return best;
        }
    }
    return best;
}

u8 frameChar(u8 c, const u8* classes, const u8* lower, const u8* unaccent) {
    if (classes == nullptr || lower == nullptr || (classes[c] & kLcWriting)) return c;
    return (classes[lower[c]] & kLcWriting) ? lower[c] : unaccent[c];
}

// Frames the word: 'Y', its characters up to a separator, 'Z'.
int frame(const u8* word, u8* framed, const u8** rest, int language) {
    const u8* classes = splLetterClassTable(language);
    const u8* lower = splLowerTable(language);
    const u8* unaccent = splUnaccentTable(language);
    int n = 0;
    framed[n++] = kFrameStart;
    const u8* p = word;
    for (; *p != 0 && *p != kSplLrSep; ++p) {
        if (n >= kSplMaxKey + 1) return -1;
        framed[n++] = frameChar(*p, classes, lower, unaccent);
    }
    framed[n++] = kFrameEnd;
    framed[n] = 0;
    *rest = *p == kSplLrSep ? p + 1 : nullptr;
    return n;
}

}  // namespace

u8 splPhonFrameChar(u8 c, int language) {
    return frameChar(c, splLetterClassTable(language), splLowerTable(language), splUnaccentTable(language));
}

int splPhonEncode(const u8* word, u8* pairs, const SplPhonTable* phon) {
    u8 framed[kSplMaxKey + 4];
    const u8* rest = nullptr;
    int length = frame(word, framed, &rest, phon->language);
    if (length < 0) return -1;
    int out = 0;
    bool overflow = false;
    auto put = [&](u8 letter, u8 code) {
        if (out + 3 > kSplPairsSize) {
            overflow = true;
            return;
        }
        pairs[out++] = letter;
        pairs[out++] = code;
    };
    int i = 0;
    while (i < length) {
        Match m = longestRule(framed + i, phon);
        if (m.length == 0 || m.output == kPhonNoOutput) {
            if (framed[i] != kFrameStart && framed[i] != kFrameEnd) put(framed[i], kPairCodeNone);
            ++i;
            continue;
        }
        if (m.output < phon->words[4]) {
            int n = m.length;
            if (framed[i] == kFrameStart) {
                ++i;
                --n;
            }
            // A rule on the start mark alone still codes the letter after it.
            if (framed[i] == kFrameEnd) {
                ++i;
                continue;
            }
            put(framed[i], u8(m.output + 16));
            ++i;
            if (n == 2 && framed[i] != kFrameEnd) {
                put(kPairLetterRepeat, kPairCodeNone);
                ++i;
            }
            continue;
        }
        u32 r = m.output - phon->words[4];
        const u8* codes = phon->replacements[2 * r + (m.length == 2 ? 0 : 1)];
        if (codes[0] >= 65) {
            size_t size = std::strlen(reinterpret_cast<const char*>(codes)) & ~size_t(1);
            if (size_t(out) + size + 1 > size_t(kSplPairsSize)) return -1;
            std::memcpy(pairs + out, codes, size);
            out += int(size);
            i += m.length;
            continue;
        }
        const int start = i, end = i + m.length;
        for (; i < end; ++i) {
            u8 c = framed[i];
            if (c == kFrameStart) continue;
            if (c == kFrameEnd) break;
            put(c, *codes != 0 ? *codes++ : kPairCodeNone);
        }
        // A replacement that starts on the word's end writes nothing, but the word still ends.
        if (i == start) ++i;
    }
    if (overflow) return -1;
    if (rest != nullptr) {
        size_t restLength = std::strlen(reinterpret_cast<const char*>(rest));
        if (size_t(out) + 2 + restLength >= size_t(kSplPairsSize)) return -1;
        put(kPairLetterSeparator, kPairCodeNone);
        std::memcpy(pairs + out, rest, restLength);
        out += int(restLength);
    }
    pairs[out] = 0;
    return out;
}

int splPhonHeard(u8* pairs, int length, const SplPhonTable* phon) {
    if (phon->heardAs == nullptr) return length;
    int out = 0, i = 0;
    for (; i + 1 < length && pairs[i] != kPairLetterSeparator; i += 2) {
        u8 index = phon->pairIndex[pairs[i]][pairs[i + 1] & 31];
        u8 letter = index > kPairIndexRepeat ? phon->heardAs[index] : pairs[i];
        if (letter == 0) continue;
        pairs[out++] = letter;
        pairs[out++] = pairs[i + 1];
    }
    while (i < length) pairs[out++] = pairs[i++];
    pairs[out] = 0;
    return out;
}

int splPhonToIndexes(u8* pairs, const SplPhonTable* phon) {
    int in = 0, out = 0;
    while (pairs[in] != 0) {
        u8 letter = pairs[in], code = pairs[in + 1];
        if (code == 0) break;
        u8 index = phon->pairIndex[letter][code & 31];
        if (index == 0 || (code != kPairCodeNone && (code < 16 || code > 31))) index = u8(phon->words[3]);
        pairs[out++] = index;
        in += 2;
        if (index == kPairIndexSpelled) {
            while (pairs[in] != 0) pairs[out++] = pairs[in++];
            break;
        }
    }
    pairs[out] = 0;
    return out;
}

void splPhonBin(const u8* pairs, u8* bin, const SplPhonTable* phon) {
    int language = phon->language;
    u8 refolded[kSplPairsSize];
    if (language >= 3 && language <= 17 && language != 6 && language != 14) {
        const u8* unaccent = splUnaccentTable(language);
        u8 letters[kSplPairsSize / 2 + 1];
        int n = 0;
        u8 prev = 0;
        for (const u8* p = pairs; p[0] != 0 && p[0] != kPairLetterSeparator; p += 2) {
            u8 letter = p[0];
            if (letter == kPairCodeNone) continue;
            if (letter == kPairLetterRepeat) letter = prev;
            if (letter == 0) continue;
            prev = letter;
            letters[n++] = unaccent != nullptr ? unaccent[letter] : letter;
        }
        letters[n] = 0;
        if (splPhonEncode(letters, refolded, phon) >= 0) pairs = refolded;
    }
    u8 kept[2] = {0, 0};
    int keptCount = 0;
    u8 previous = 0, lastLetter = 0;
    for (const u8* p = pairs; p[0] != 0 && p[0] != kPairLetterSeparator && keptCount < 2; p += 2) {
        if (p[0] != kPairCodeNone) lastLetter = p[0];
        u8 code = p[1];
        if (code < 17 || code > 31) continue;
        if (code != 25) {
            if (code == previous) continue;
            previous = code;
            if (code == 24 || code == 30 || code == 31) continue;
        }
        kept[keptCount++] = (language == 2 || language == 14) ? lastLetter : code;
    }
    // Codes are below 32; only the languages keeping letters need the search.
    u32 lo = kept[0] < 32 && kept[1] < 32 ? phon->binOfCodes[kept[0]][kept[1]]
                                          : splPhonBinPosition(phon, u16((kept[0] << 8) | kept[1]));
    u32 columns = phon->words[6];
    bin[0] = u8(phon->words[5] + lo / columns);
    bin[1] = u8(phon->words[5] + lo % columns);
    bin[2] = 0;
}

int splWordToKey(const u8* word, u8* key, int mode, const SplPhonTable* phon) {
    u8 pairs[kSplPairsSize];
    if (splPhonEncode(word, pairs, phon) < 0) return 0;
    if (mode == 0) {
        splPhonBin(pairs, key, phon);
    } else {
        key[0] = key[1] = u8(phon->words[2]);
    }
    int length = splPhonToIndexes(pairs, phon);
    if (length + 2 > kSplMaxKey) return 0;
    std::memcpy(key + 2, pairs, size_t(length) + 1);
    return length + 2;
}

int unphfull(const u8* key, u8* word, const SplPhonTable* phon) {
    if (key[0] == 0 || key[1] == 0) return -1;
    int out = 0;
    u8 prev = 0;
    for (const u8* p = key + 2; *p != 0; ++p) {
        if (*p >= phon->words[1]) return -1;
        u8 letter = phon->pairs[2 * *p];
        if (letter == kPairLetterSeparator) {
            word[out++] = kSplLrSep;
            for (++p; *p != 0; ++p) word[out++] = *p;
            break;
        }
        if (letter == kPairCodeNone || letter == 0) continue;
        if (letter == kPairLetterRepeat) letter = prev;
        word[out++] = letter;
        prev = letter;
    }
    word[out] = 0;
    return out;
}
