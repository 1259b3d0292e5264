#include "spell/SplCompLexicon.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "spell/SplCharSets.h"
#include "spell/SplCompat.h"
#include "spell/SplCorrect.h"
#include "spell/SplTypoPrim.h"

namespace {

struct NibbleReader {
    const u8* data;
    u32 size;  // in bytes
    u32 at = 0;  // in nibbles
    bool failed = false;

    u32 next() {
        if (at / 2 >= size) {
            failed = true;
            return 0;
        }
        u8 b = data[at / 2];
        u32 v = (at % 2 == 0) ? u32(b >> 4) : u32(b & 15);
        ++at;
        return v;
    }
};

// Reads the next word of a bin into word (holding the previous one); its class, 0 at the end of
// the bin or for damaged data.
u32 readWord(NibbleReader* r, const u8* letters, u8* word, u32* length) {
    u32 kept = r->next();
    u32 added = r->next();
    if (r->failed || kept > *length || kept + added == 0 || kept + added > kCompLexMaxWord) return 0;
    for (u32 i = 0; i < added; ++i) {
        u32 n = r->next();
        word[kept + i] = n == 15 ? u8(r->next() << 4 | r->next()) : letters[n];
    }
    *length = kept + added;
    word[*length] = 0;
    u32 wordClass = r->next();
    return r->failed ? 0 : wordClass;
}

int compare(const u8* a, const u8* b) { return std::strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b)); }

}  // namespace

bool splCompLexInit(SplCompLexicon* lex, int language, const u8* image, u32 size) {
    *lex = SplCompLexicon{};
    lex->language = u8(language);
    u32 head = 15 + 2 + 32;
    if (size < head) return false;
    lex->image = image;
    lex->size = size;
    lex->letters = image;
    lex->binCount = readLE16(image + 15);
    for (int i = 0; i < 16; ++i) lex->firstBin[i] = readLE16(image + 17 + 2 * i);
    for (int i = 1; i < 16; ++i)
        if (lex->firstBin[i] < lex->firstBin[i - 1]) return false;
    if (lex->firstBin[0] != 0 || lex->firstBin[15] != lex->binCount) return false;
    u32 tables = head + 2 * (lex->binCount + 1);
    if (size < tables) return false;
    lex->offsets = image + head;
    lex->data = image + tables;
    lex->dataSize = size - tables;
    if (readLE16(lex->offsets + 2 * lex->binCount) != lex->dataSize) return false;
    for (u32 b = 0; b < lex->binCount; ++b)
        if (readLE16(lex->offsets + 2 * b) > readLE16(lex->offsets + 2 * (b + 1))) return false;
    return true;
}

u32 splCompLexFetch(const SplCompLexicon* lex, const u8* lowered) {
    u32 length = u32(std::strlen(reinterpret_cast<const char*>(lowered)));
    if (length == 0 || length > kCompLexMaxWord) return 0;
    i32 lo = lex->firstBin[length - 1], hi = i32(lex->firstBin[length]) - 1, bin = -1;
    u8 word[kCompLexMaxWord + 1];
    auto binReader = [lex](u32 b) {
        u32 start = readLE16(lex->offsets + 2 * b), end = readLE16(lex->offsets + 2 * (b + 1));
        return NibbleReader{lex->data + start, end - start};
    };
    while (lo <= hi) {
        i32 mid = (lo + hi) / 2;
        NibbleReader r = binReader(u32(mid));
        u32 n = 0;
        if (readWord(&r, lex->letters, word, &n) == 0) return 0;
        if (compare(word, lowered) <= 0) {
            bin = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (bin < 0) return 0;
    NibbleReader r = binReader(u32(bin));
    u32 n = 0;
    for (;;) {
        u32 wordClass = readWord(&r, lex->letters, word, &n);
        if (wordClass == 0) return 0;
        int order = compare(word, lowered);
        if (order == 0) return wordClass;
        if (order > 0) return 0;
    }
}

u32 splCompLexEncode(const u8* word, u8* lowered, int language) {
    const u8* types = splTypeTable(language);
    const u8* lower = splLowerTable(language);
    const u8* classes = splLetterClassTable(language);
    if (types == nullptr) return 0;
    u32 n = 0, upper = 0;
    bool firstUpper = false;
    for (; word[n] != 0; ++n) {
        u8 c = word[n];
        bool letter = (types[c] & (kCtLower | kCtUpper | kCtCaseless)) != 0;
        bool inner = c == '-' || c == '\'' || (c == 250 && classes != nullptr && (classes[c] & kLcWriting));
        if (n >= kCompLexMaxWord || (!letter && !inner)) return 0;
        if (types[c] & kCtUpper) {
            ++upper;
            if (n == 0) firstUpper = true;
        }
        lowered[n] = lower[c];
    }
    lowered[n] = 0;
    if (n == 0) return 0;
    u32 letters = 0;
    for (u32 i = 0; i < n; ++i) letters += (types[word[i]] & (kCtLower | kCtUpper)) != 0;
    if (upper == 0) return 1;
    if (upper == letters) return 3;
    if (firstUpper && upper == 1) return 2;
    return 0;
}

int splCompLexVerify(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* lex = static_cast<SplCompLexicon*>(lexicon);
    *near = 0;
    *wordClass = 0;
    u8 lowered[kCompLexMaxWord + 1];
    u32 flags = splCompLexEncode(word, lowered, lex->language);
    if (flags == 0) return 0;
    u32 stored = splCompLexFetch(lex, lowered);
    if (stored == 0 || !compatfl(flags, stored)) return 0;
    *wordClass = stored;
    return 1;
}

u32 splCompLexTypos(const SplCompLexicon* lex, const u8* lowered, SplCompTypoReport report, void* arg) {
    u32 length = u32(std::strlen(reinterpret_cast<const char*>(lowered)));
    const u8* fold = splUnaccentTable(lex->language);
    if (length == 0 || length > kCompLexMaxWord || fold == nullptr) return 0;
    SplTypoWord typed{lowered, length, fold, 1};
    u32 reports = 0;
    u32 first = length > 1 ? length - 1 : 1, last = length < kCompLexMaxWord ? length + 1 : kCompLexMaxWord;
    u8 word[kCompLexMaxWord + 1];
    for (u32 b = lex->firstBin[first - 1]; b < lex->firstBin[last]; ++b) {
        u32 start = readLE16(lex->offsets + 2 * b), end = readLE16(lex->offsets + 2 * (b + 1));
        NibbleReader r{lex->data + start, end - start};
        u32 n = 0;
        for (;;) {
            u32 wordClass = readWord(&r, lex->letters, word, &n);
            if (wordClass == 0) break;
            u32 kind = 0, penalty = 0;
            if (!splTypoTolerance(word, &typed, &kind, &penalty)) continue;
            report(arg, word, u8(wordClass), kind, penalty);
            ++reports;
        }
    }
    return reports;
}

namespace {

void toRequest(void* arg, const u8* candidate, u8 wordClass, u32 kind, u32 penalty) {
    splCorrTierCallback(static_cast<SplCorrectReq*>(arg), candidate, wordClass, kind, penalty);
}

}  // namespace

void splCompLexTypoCandidates(void* lexicon, const u8* stem, SplCorrectReq* req) {
    auto* lex = static_cast<const SplCompLexicon*>(lexicon);
    u8 lowered[kCompLexMaxWord + 1];
    if (splCompLexEncode(stem, lowered, lex->language) == 0) return;
    splCompLexTypos(lex, lowered, toRequest, req);
}
