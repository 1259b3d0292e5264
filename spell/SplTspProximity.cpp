#include "spell/SplTspProximity.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "spell/SplCharSets.h"
#include "spell/SplCorrect.h"
#include "spell/SplTspEncoder.h"
#include "spell/SplTspScore.h"

namespace {

// Each group: the typed first letter, then the letters a candidate may begin with.
constexpr const char* kEnglishGroups[] = {
    "aaeiouy", "bbcdgjkpqtx", "cbcdgjkqstxz", "dbcdgjkqtx", "eaeiouy", "ffpv", "gbcdgjkqstxz", "hceghiklptuw",
    "iaeiouy", "jbcdgjkqtx", "kbcdgjkqstx", "llruw", "mmn", "nmn", "oaeiouy", "pbfpv", "qbcdgjkqtx", "rlruw",
    "scgkstxz", "tbcdgjkqstxz", "uaeilortuwy", "vfpv", "wlruw", "xbcdgjkqstxz", "yaeiouy", "zcgstxz",
};
// Spanish, in character set 1: 129 u-diaeresis, 130 e-acute, 160-163 a, i, o, u acute, 164 n-tilde.
constexpr const char* kSpanishGroups[] = {
    "aaeiouwy", "bbfpv", "ccjkqsxz", "ddgt", "eaeiouwy", "fbfpv", "gdgt", "hh", "iaeiouwy", "jcjkqsxz", "kcjkqsxz",
    "ll", "mmn", "nmn", "oaeiouwy", "pbfpv", "qcjkqsxz", "rr", "scjkqsxz", "tdgt", "uaeiouwy", "vbfpv", "waeiouwy",
    "xcjkqsxz", "yaeiouwy", "zcjkqsxz", "\x81" "aeiouwy", "\x82" "aeiouwy", "\xa0" "aeiouwy", "\xa1" "aeiouwy",
    "\xa2" "aeiouwy", "\xa3" "aeiouwy", "\xa4" "mn",
};

constexpr u16 kMinFirst[kTspDepths] = {0,     32768, 42224, 42896, 43504, 45360, 45936, 47040, 47120, 44768, 51680,
                                       53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248,
                                       53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248, 53248};
constexpr u16 kMinSecond[kTspDepths] = {0,     0,     33904, 35904, 38352, 41840, 44128, 45728, 45632, 46960, 48864,
                                        50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176,
                                        50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176, 50176};
constexpr u32 kEndFirst = 32768;
constexpr u32 kEndSecond = 36864;

struct Frame {
    SplTspEncState stable;  // coding that the path's further letters cannot change
    u32 aLength = 0, bLength = 0;
};

struct Walk {
    const SplTrieLexicon* lex;
    const u8* lower;
    const u8* unaccent;
    const u8* vowels;
    const char* group;
    SplTspReport report;
    void* arg;
    u32 base, threshold;
    u32 wordLetters;
    SplTspCodes word;
    u32 wordA, wordB;
    u8 text[kTrieMaxWord + 3];        // "Y", the path's lower-case letters, "Z"
    u8 letters[kTrieMaxWord + 1];     // the path's letters as stored
    SplTspCodes codes;
    SplTspScorer scorer;
    u32 reports;
};

void visitList(Walk* w, const SplTrieNode* above, u32 depth, const Frame& parent);

// The first two B codes of the path must be the word's; each is checked once no letter to come
// can change it.
bool sameStart(const Walk* w, const Frame& parent, const Frame& f) {
    for (u32 i = 0; i < 2; ++i)
        if (f.stable.bLength > i && parent.stable.bLength <= i && (i >= w->wordB || w->codes.b[i] != w->word.b[i]))
            return false;
    return true;
}

void accept(Walk* w, const SplTrieNode& node, u32 depth, const Frame& f, u32 first, u32 second) {
    if ((depth >= 2 && second < kEndSecond) || (depth >= 1 && first < kEndFirst)) return;
    if (w->wordB > f.bLength + 1 || w->wordA > f.aLength + 3) return;
    if (depth < 3 && w->wordLetters > depth + 2) return;
    if (!(w->wordA <= f.aLength && depth >= 2)) {
        splTspScoreForward(w->codes.a, f.aLength, w->word.a, w->wordA, &w->scorer);
        second = splTspScoreBoth(w->codes.a, f.aLength, w->word.a, w->wordA, &w->scorer);
    }
    w->letters[depth + 1] = 0;
    for (u32 i = 0; i < node.classCount && second >= w->threshold; ++i) {
        u32 answer = w->report(w->letters, node.classes[i], second, w->arg);
        w->threshold = answer == 0 ? w->base : answer;
        ++w->reports;
    }
}

void visit(Walk* w, const SplTrieNode& node, u32 depth, const Frame& parent) {
    u8 letter = w->lower[node.letter];
    if (depth == 0 && (letter == 0 || std::strchr(w->group + 1, letter) == nullptr)) return;
    w->letters[depth] = node.letter;
    w->text[depth + 1] = letter;
    w->text[depth + 2] = 'Z';
    Frame f;
    SplTspEncState end;
    splTspEncode(w->lex, w->vowels, w->unaccent, w->text, depth + 3, depth + 2, parent.stable, &w->codes, &end,
                 &f.stable);
    f.aLength = end.aLength;
    f.bLength = end.bLength;
    if (!sameStart(w, parent, f)) return;
    u32 d = std::min(depth, kTspDepths - 1);
    u32 first = 0, second = 0;
    if (depth >= 1) {
        first = splTspScoreForward(w->codes.a, f.aLength, w->word.a, std::min(f.aLength, w->wordA), &w->scorer);
        if (first < kMinFirst[d]) return;
    }
    if (depth >= 2) {
        second = splTspScoreBoth(w->codes.a, f.aLength, w->word.a, std::min(f.aLength, w->wordA), &w->scorer);
        if (second < kMinSecond[d]) return;
    }
    if (node.classCount > 0) accept(w, node, depth, f, first, second);
    if (node.hasChildren && depth + 1 < kTrieMaxWord) visitList(w, &node, depth + 1, f);
}

// The list under above (null: the top-level list).
void visitList(Walk* w, const SplTrieNode* above, u32 depth, const Frame& parent) {
    SplTrieNode node;
    for (bool ok = splTrieFirstNode(w->lex, above, &node); ok; ok = splTrieNextNode(w->lex, &node))
        visit(w, node, depth, parent);
}

u32 toRequest(const u8* candidate, u8 cls, u32 score, void* arg) {
    return splCorrInsert(candidate, cls, score, static_cast<SplCorrectReq*>(arg));
}

}  // namespace

const char* splTspFirstLetters(int language, u8 first) {
    const char* const* groups = nullptr;
    size_t count = 0;
    if (language == 1 || language == 6) {
        groups = kEnglishGroups;
        count = std::size(kEnglishGroups);
    } else if (language == 4) {
        groups = kSpanishGroups;
        count = std::size(kSpanishGroups);
    }
    for (size_t i = 0; i < count; ++i)
        if (u8(groups[i][0]) == first) return groups[i];
    return nullptr;
}

u32 splTspCorrectStart(const u8* word, const SplTrieLexicon* lex, SplTspReport report, void* arg) {
    const u8* lower = splLowerTable(lex->language);
    const char* vowels = splTspVowels(lex->language);
    size_t n = std::strlen(reinterpret_cast<const char*>(word));
    if (lex->encoderStates == 0 || lower == nullptr || vowels == nullptr || n == 0 || n > kTrieMaxWord) return 0;
    const char* group = splTspFirstLetters(lex->language, lower[word[0]]);
    if (group == nullptr) return 0;
    Walk walk{};
    Walk* w = &walk;
    w->lex = lex;
    w->lower = lower;
    w->unaccent = splUnaccentTable(lex->language);
    w->vowels = reinterpret_cast<const u8*>(vowels);
    w->group = group;
    w->report = report;
    w->arg = arg;
    w->base = n >= kTspLongWord ? kTspBaseLong : kTspBaseShort;
    w->threshold = w->base;
    w->wordLetters = u32(n);
    u8 framed[kTrieMaxWord + 3];
    framed[0] = 'Y';
    for (size_t i = 0; i < n; ++i) framed[i + 1] = lower[word[i]];
    framed[n + 1] = 'Z';
    SplTspEncState end, stable;
    splTspEncode(lex, w->vowels, w->unaccent, framed, u32(n + 2), u32(n + 2), SplTspEncState{}, &w->word, &end, &stable);
    w->wordA = end.aLength;
    w->wordB = end.bLength;
    w->text[0] = 'Y';
    visitList(w, nullptr, 0, Frame{});
    return w->reports;
}

void splTrieCandidates(const u8* stem, u32, void* lexicon, SplCorrectReq* req) {
    splTspCorrectStart(stem, static_cast<const SplTrieLexicon*>(lexicon), toRequest, req);
}
