#include "spell/SplFrenchRules.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "spell/SplCharSets.h"
#include "spell/SplPrefixSplitter.h"
#include "spell/SplSearch.h"

namespace {

// Elided prefixes, each a value byte (1 for a single letter and "qu", 2 for the longer
// conjunctions) and the prefix, in byte order.
constexpr char kPrefixes[] =
    "\1d\0\1j\0\2jusqu\0\1l\0\2lorsqu\0\1m\0\1n\0\2presqu\0\2puisqu\0\1qu\0\2quelqu\0\2quoiqu\0\1s\0\1t";

// Words whose initial h is aspirated (no elision before them), without the h.
constexpr const char* kAspiratedH[] = {
    "ache", "achisch", "achure", "aie", "aillon", "aine", "a\x8br", "alage", "ale", "aler", "all", "alte",
    "amac", "ameau", "anche", "andicap", "angar", "anneton", "anter", "appe", "arceler", "ardi", "areng",
    "argne", "aricot", "arnais", "arpe", "asard", "\x83te", "aubans", "ausse", "aut", "autain", "auteur",
    "avre", "ennir", "\x82risson", "ernie", "\x82ron", "\x88tre", "eurt", "eurter", "ibou", "ideux",
    "i\x82rarchie", "isser", "ocher", "ockey", "olding", "ollandais", "omard", "onte", "oquet", "orde", "ors",
    "otte", "oublon", "ousse", "ublot", "uit", "urler", "utte"};

std::string aspiratedTable() {
    std::vector<std::string> sorted(std::begin(kAspiratedH), std::end(kAspiratedH));
    std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    });
    std::string t;
    for (const std::string& w : sorted) {
        t += w;
        t.push_back('\0');
    }
    return t;
}

bool isVowel(u8 c, int language) {
    u8 base = splUnaccentTable(language)[splLowerTable(language)[c]];
    return std::strchr("aeiouy", base) != nullptr && base != 0;
}

u32 wordLength(const u8* s) { return u32(std::strlen(reinterpret_cast<const char*>(s))); }

// Verifies the record's word cut at `cut` from offset `from`, restoring it afterwards.
int verifyCut(SplVerifyRec* rec, u32 from, u32 cut) {
    u8 saved = rec->word[cut];
    rec->word[cut] = 0;
    int ok = splWordInLexicons(from, rec);
    rec->word[cut] = saved;
    return ok;
}

// "vient-il", "a-t-elle", "l'aime-t-on": the word before an inverted subject pronoun.
int pronounRule(SplVerifyRec* rec, u32 offset) {
    u8* word = rec->word + offset;
    const u8* lower = splLowerTable(int(rec->language));
    u32 n = wordLength(word);
    const u8* last = reinterpret_cast<const u8*>(std::strrchr(reinterpret_cast<char*>(word), '-'));
    if (last == nullptr) return 0;
    u32 hyphen = u32(last - word);
    u32 pronounLength = n - hyphen - 1;
    if (pronounLength == 0 || pronounLength >= 6) return 0;
    u8 pronoun[6];
    for (u32 i = 0; i < pronounLength; ++i) pronoun[i] = lower[word[hyphen + 1 + i]];
    pronoun[pronounLength] = 0;
    bool known = false;
    for (const char* p : {"elle", "elles", "il", "ils", "on"}) known = known || std::strcmp(reinterpret_cast<char*>(pronoun), p) == 0;
    if (!known) return 0;
    u32 split = hyphen;
    bool euphonicT = hyphen >= 2 && word[hyphen - 2] == '-' && lower[word[hyphen - 1]] == 't';
    if (euphonicT) split = hyphen - 2;
    for (u32 i = 0; i < split; ++i)
        if (word[i] == '-') return 0;
    u32 prefix = 0;
    if (n > 2 && word[1] == '\'' && std::strchr("lmnst", lower[word[0]]) != nullptr && lower[word[0]] != 0) prefix = 2;
    else if (n > 3 && word[2] == '\'' && lower[word[0]] == 'q' && lower[word[1]] == 'u') prefix = 3;
    if (split <= prefix) return 0;
    u8 before = lower[word[split - 1]];
    if (euphonicT ? (before != 'a' && before != 'e') : (before != 'd' && before != 't')) return 0;
    rec->resultFlags |= kResultSplit;
    if (prefix > 0) {
        rec->marks[offset + prefix - 1] = kMarkSplit;
        rec->marks[offset + prefix - 2] = 2;
    }
    rec->marks[offset + split] = kMarkSplit;
    rec->marks[offset + hyphen + 1] = kMarkAfterSplit;
    return verifyCut(rec, offset + prefix, offset + split);
}

}  // namespace

bool splFrenchPrefixFits(const u8* rest, u32 value, int language) {
    const u8* lower = splLowerTable(language);
    u8 first = lower[rest[0]];
    if (first == 0) return false;
    if (value == 1 && first == 'y' && rest[1] == 0) return true;
    if (first == 'h') {
        static const std::string table = aspiratedTable();
        u8 after[64];
        u32 n = 0;
        for (const u8* p = rest + 1; *p != 0 && n + 1 < sizeof after; ++p) after[n++] = lower[*p];
        after[n] = 0;
        u32 position = 0;
        bool aspirated = ssearch(after, reinterpret_cast<const u8*>(table.data()), u32(table.size()), 0, &position) == -1;
        return !aspirated;
    }
    return first != 'y' && isVowel(first, language);
}

const SplPrefixRules kFrenchPrefixes = {reinterpret_cast<const u8*>(kPrefixes), sizeof kPrefixes, splFrenchPrefixFits};

int splFrenchPrefixSplit(SplVerifyRec* rec, u32 offset) { return splPrefixSplit(rec, offset, kFrenchPrefixes); }

int splFrenchSplitA(SplVerifyRec* rec, u32 offset) {
    return pronounRule(rec, offset) || splFrenchPrefixSplit(rec, offset);
}
