#include "spell/SplShape.h"

#include <cassert>
#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"

namespace {

bool isWordChar(u8 c, const u8* classes, const u8* types) {
    if (classes != nullptr) return (classes[c] & kLcWriting) != 0;
    return (types[c] & (kCtLower | kCtUpper | kCtCaseless | kCtInternal)) != 0;
}

// Joins the letter pairs that a language writes as one letter. Sets *odd when the two letters
// differ in case.
size_t ligatures(const u8* word, u8* scratch, int language, bool* odd) {
    const u8* lower = splLowerTable(language);
    const u8* unaccent = splUnaccentTable(language);
    size_t n = 0;
    for (size_t i = 0; word[i] != 0; ++i) {
        u8 c = word[i];
        u8 next = word[i + 1];
        if (language == 10 && (c == 'i' || c == 'I') && next != 0 && lower[next] == 'j') {
            if ((c == 'i') != (next == 'j')) *odd = true;
            scratch[n++] = c == 'i' ? 200 : 201;
            ++i;
            continue;
        }
        if (language == 14) {
            if (c == 142 || c == 153 || c == 154) *odd = true;
            u8 base = unaccent[c];
            if ((base == 'A' || base == 'O' || base == 'U') && next == 'e') {
                scratch[n++] = base == 'A' ? 142 : base == 'O' ? 153 : 154;
                ++i;
                continue;
            }
        }
        scratch[n++] = c;
    }
    scratch[n] = 0;
    return n;
}

}  // namespace

u32 do_flag(const u8* word, u8* outword, int language) {
    assert(word != nullptr && *word != 0 && outword != nullptr);
    size_t given = std::strlen(reinterpret_cast<const char*>(word));
    assert(given < size_t(kSplMaxWord) * 2);
    const u8* types = splTypeTable(language);
    const u8* lower = splLowerTable(language);
    if (types == nullptr) return 0;
    const u8* classes = splLetterClassTable(language);

    u8 scratch[kSplShapeOutSize];
    bool odd = false;
    size_t n = ligatures(word, scratch, language, &odd);

    int upperCount = 0;
    bool noLower = true, initials = true, innerPeriod = false;
    for (size_t i = 0; i < n; ++i) {
        u8 c = scratch[i];
        if (c == kSplLrSep) return 0;
        if (!isWordChar(c, classes, types)) {
            odd = true;
            initials = false;
            continue;
        }
        if (types[c] & kCtUpper) ++upperCount;
        if (types[c] & kCtLower) noLower = false;
        bool evenPosition = (i + 1) % 2 == 0;
        if ((c == '.') != evenPosition) initials = false;
        if (c == '.' && i + 1 < n) innerPeriod = true;
    }
    bool finalPeriod = n > 0 && scratch[n - 1] == '.';

    u32 flags = 0;
    if (innerPeriod && initials && finalPeriod) {
        flags = kIwAllDot;
    } else {
        if (innerPeriod) flags = kIwVerbatim;
        if (finalPeriod) flags += kIwEndDot;
    }
    if (noLower && upperCount > 0) flags += kIwCaps;
    else if ((types[scratch[0]] & kCtUpper) && upperCount == 1) flags += kIwProper;
    else if (upperCount == 0) flags += kIwCommon;
    else flags |= kIwVerbatim;
    if (odd) flags |= kIwVerbatim;

    bool verbatim = (flags & kIwVerbatim) != 0;
    if (verbatim) flags &= kIwVerbatim | kIwEndDot;
    size_t keep = (verbatim && (flags & kIwEndDot)) ? n - 1 : n;
    size_t out = 0;
    for (size_t i = 0; i < keep; ++i) {
        u8 c = scratch[i];
        if (c == '.' && !verbatim) continue;
        u8 l = lower[c];
        if (language == 10 && l == 200) {
            outword[out++] = 'i';
            outword[out++] = 'j';
            continue;
        }
        outword[out++] = l;
    }
    if (verbatim) {
        size_t spelled = (flags & kIwEndDot) ? given - 1 : given;
        if (out + 1 + spelled >= size_t(kSplShapeOutSize)) return 0;
        outword[out++] = kSplLrSep;
        std::memcpy(outword + out, word, spelled);
        out += spelled;
    }
    outword[out] = 0;
    return flags;
}

u32 pair_dof(const u8* pair, u8* outword, int language) {
    const u8* sep = reinterpret_cast<const u8*>(std::strchr(reinterpret_cast<const char*>(pair), kSplLrSep));
    if (sep == nullptr) return 0;
    size_t leftLen = size_t(sep - pair);
    size_t rightLen = std::strlen(reinterpret_cast<const char*>(sep + 1));
    if (leftLen == 0 || rightLen == 0 || leftLen >= size_t(kSplMaxWord) || rightLen >= size_t(kSplMaxWord)) return 0;
    u8 left[kSplMaxWord], right[kSplMaxWord];
    std::memcpy(left, pair, leftLen);
    left[leftLen] = 0;
    std::memcpy(right, sep + 1, rightLen + 1);

    u32 leftFlags = do_flag(left, outword, language);
    if (leftFlags == 0) return 0;
    if (leftFlags & kIwVerbatim) {
        u8* cut = reinterpret_cast<u8*>(std::strchr(reinterpret_cast<char*>(outword), kSplLrSep));
        assert(cut != nullptr && "lrsep");
        *cut = 0;
    }
    u8 scratch[kSplShapeOutSize];
    u32 rightFlags = do_flag(right, scratch, language);
    if (rightFlags == 0) return 0;
    const u8* rightForm = scratch;
    if (rightFlags & kIwVerbatim) {
        const u8* at = reinterpret_cast<const u8*>(std::strchr(reinterpret_cast<const char*>(scratch), kSplLrSep));
        assert(at != nullptr && "lrsep");
        rightForm = at + 1;
    }
    size_t out = std::strlen(reinterpret_cast<char*>(outword));
    size_t formLen = std::strlen(reinterpret_cast<const char*>(rightForm));
    if (out + 2 + formLen >= size_t(kSplShapeOutSize)) return 0;
    if (rightFlags & kIwVerbatim) outword[out++] = 6;
    outword[out++] = kSplLrSep;
    std::memcpy(outword + out, rightForm, formLen + 1);
    return rightFlags;
}

u32 hyph_dof(const u8* word, u8* outword, int language) {
    u8 scratch[kSplShapeOutSize];
    u32 flags = do_flag(word, scratch, language);
    if (flags == 0) return 0;
    if (flags & kIwVerbatim) {
        const u8* sep = reinterpret_cast<const u8*>(std::strchr(reinterpret_cast<const char*>(scratch), kSplLrSep));
        if (sep != nullptr && sep > scratch && sep[-1] == 6) return 0;
        if (std::strlen(reinterpret_cast<const char*>(scratch)) >= size_t(kSplShapeOutSize)) return 0;
    }
    std::strcpy(reinterpret_cast<char*>(outword), reinterpret_cast<const char*>(scratch));
    return flags;
}

int splEntryKind(const u8* word) {
    const char* text = reinterpret_cast<const char*>(word);
    if (std::strchr(text, kSplLrSep) != nullptr) return 3;
    if (std::strpbrk(text, "\004\005\006") != nullptr) return 2;
    return 1;
}

u32 doflags(const u8* word, u8* outword, int language) {
    size_t length = std::strlen(reinterpret_cast<const char*>(word));
    if (length == 0 || length >= size_t(kSplMaxWord)) return 0;
    return do_flag(word, outword, language);
}
