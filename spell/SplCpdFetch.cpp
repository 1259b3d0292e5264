#include "spell/SplCpdFetch.h"

#include <bitset>
#include <cstring>

#include "spell/SplCorrCtx.h"
#include "spell/SplErrors.h"

namespace {

bool endsIn(const u8* word, u32 end, const char* letters) {
    return end > 0 && std::strchr(letters, word[end - 1]) != nullptr;
}

// Languages 7, 8, 9, 15 and 16 join segments with a letter of their own, never after an "s"
// or an "x".
bool linkS(const u8* word, u32, u32 end) { return word[end] == 's' && !endsIn(word, end, "sx"); }
bool linkSOrE(const u8* word, u32, u32 end) { return (word[end] == 's' || word[end] == 'e') && !endsIn(word, end, "sx"); }
bool linkN(const u8* word, u32, u32 end) { return word[end] == 'n' && !endsIn(word, end, "sx"); }

// German: a linking "s", not after an "s", and not where it begins "sch" (Fisch-schwanz).
bool linkGerman(const u8* word, u32, u32 end) {
    return word[end] == 's' && !endsIn(word, end, "s") && std::strncmp(reinterpret_cast<const char*>(word + end), "sch", 3) != 0;
}

// German words that join others but never end a compound.
bool lastGerman(const u8* word, u32 start, u32 end) {
    static const char* const kNeverLast[] = {"aber", "auch", "dass", "oder", "und", "wie", "wenn", "weil"};
    for (const char* w : kNeverLast)
        if (std::strlen(w) == end - start && std::memcmp(word + start, w, end - start) == 0) return false;
    return true;
}

SplCpdRules rules(u32 minCompound, u32 minSegment, bool (*linking)(const u8*, u32, u32),
                  bool (*last)(const u8*, u32, u32) = nullptr) {
    SplCpdRules r;
    r.minCompound = minCompound;
    r.minSegment = minSegment;
    r.linking = linking;
    r.last = last;
    return r;
}

SplCpdRules prefixRules(const char* prefixes, u32 length) {
    SplCpdRules r;
    r.minCompound = length + 3;
    r.minSegment = 3;
    r.prefixes = prefixes;
    r.prefixLength = length;
    return r;
}

struct Search {
    const u8* word;
    u32 length;
    const SplCpdRules& rules;
    SplVerifyHook lookup;
    void* lexicon;
    u8* marks;
    u32 flags = 0;
    std::bitset<kSplMaxWord> dead;  // starts from which no split reaches the end
};

bool isWord(const Search& s, u32 start, u32 end) {
    u8 segment[kSplMaxWord];
    std::memcpy(segment, s.word + start, end - start);
    segment[end - start] = 0;
    u32 near = 0, wordClass = 0;
    return s.lookup(segment, s.lexicon, &near, &wordClass) != 0;
}

// Splits word[start, length) into segments, the longest first segment first; `inside` when a
// segment came before.
bool split(Search& s, u32 start, bool inside) {
    if (s.dead[start]) return false;
    for (u32 end = s.length; end >= start + s.rules.minSegment; --end) {
        if (!isWord(s, start, end)) continue;
        bool joined = false;
        if (end == s.length) {
            joined = inside && (!s.rules.last || s.rules.last(s.word, start, end));
        } else if (split(s, end, true)) {
            joined = true;
        } else if (s.rules.linking && end + 1 < s.length && s.rules.linking(s.word, start, end) && split(s, end + 1, true)) {
            s.marks[end] = kCpdMarkLinking;
            s.flags |= kCpdLinking;
            joined = true;
        }
        if (joined) {
            s.marks[start] = kCpdMarkSegment;
            return true;
        }
    }
    if (inside) s.dead[start] = true;
    return false;
}

}  // namespace

const SplCpdRules* splCpdRulesFor(u32 language) {
    static const SplCpdRules kGerman = rules(6, 3, linkGerman, lastGerman);
    static const SplCpdRules kLinkS = rules(6, 3, linkS);
    static const SplCpdRules kLinkSOrE = rules(6, 3, linkSOrE);
    static const SplCpdRules kLinkN = rules(6, 3, linkN);
    static const SplCpdRules kRussian = prefixRules("pol", 3);
    static const SplCpdRules kPolish = prefixRules("najnie", 3);
    switch (language) {
    case 2:
    case 14: return &kGerman;
    case 7:
    case 9:
    case 10: return &kLinkS;
    case 8:
    case 16: return &kLinkSOrE;
    case 15: return &kLinkN;
    case 18: return &kRussian;
    case 23: return &kPolish;
    default: return nullptr;
    }
}

u32 splCpdFetch(const u8* word, const SplCpdRules& rules, SplVerifyHook lookup, void* lexicon, u8* marks) {
    const u32 length = u32(std::strlen(reinterpret_cast<const char*>(word)));
    if (length < rules.minCompound || length >= u32(kSplMaxWord) || lookup == nullptr) return 0;
    std::memset(marks, 0, length);
    Search s{word, length, rules, lookup, lexicon, marks, 0, {}};
    if (rules.prefixes != nullptr) {
        const u32 n = rules.prefixLength;
        for (const char* p = rules.prefixes; *p != 0; p += n) {
            if (std::memcmp(word, p, n) != 0 || !isWord(s, n, length)) continue;
            marks[0] = marks[n] = kCpdMarkSegment;
            return kCpdSplit | kCpdPrefix;
        }
        return 0;
    }
    return split(s, 0, false) ? kCpdSplit | s.flags : 0;
}

int splCpdVerify(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    *near = 0;
    *wordClass = 0;
    const u8* head = static_cast<const u8*>(lexicon);
    const SplCpdRules* rules = splCpdRulesFor(head[1]);
    if (rules == nullptr) return 0;
    u8 marks[kSplMaxWord];
    return splCpdFetch(word, *rules, splVerifyHookOfKind(head[0]), lexicon, marks) != 0;
}
