#include "spell/SplItalianRules.h"

#include <cstring>
#include <string>

#include "spell/SplCharSets.h"

namespace {

constexpr u32 kA = 1, kE = 2, kI = 4, kO = 8, kU = 16, kH = 32, kAvere = 64;
constexpr u32 kVowels = kA | kE | kI | kO | kU;

struct Item {
    u32 value;
    const char* text;
};

// 51 prefixes in byte order.
constexpr Item kItems[] = {
    {kI, "agl"}, {kVowels | kH, "all"}, {kVowels, "altr"}, {kVowels, "anch"},
    {kVowels, "bell"}, {kVowels, "buon"}, {kE | kI | kAvere, "c"}, {kVowels, "cent"},
    {kE | kI, "ch"}, {kVowels, "ciascun"}, {kVowels | kH, "coll"}, {kE, "com"},
    {kE, "cos"}, {kVowels | kH, "d"}, {kI, "dagl"}, {kVowels | kH, "dall"},
    {kI, "degl"}, {kVowels | kH, "dell"}, {kE, "dev"}, {kA | kE, "dov"},
    {kI, "gl"}, {kVowels, "grand"}, {kVowels | kH | kAvere, "l"}, {kE | kI | kAvere, "m"},
    {kO, "mezz"}, {kE | kI, "n"}, {kI, "negl"}, {kVowels | kH, "nell"},
    {kVowels, "nessun"}, {kA, "nient"}, {kA, "null"}, {kO, "ott"},
    {kU, "pover"}, {kVowels, "qualcun"}, {kE, "quand"}, {kVowels, "quant"},
    {kVowels | kH, "quell"}, {kVowels | kH, "quest"}, {kE | kI | kAvere, "s"}, {kVowels, "sant"},
    {kA, "senz"}, {kO, "sott"}, {kI, "sugl"}, {kVowels | kH, "sull"},
    {kE | kI | kAvere, "t"}, {kA, "tal"}, {kVowels, "tant"}, {kVowels, "tutt"},
    {kVowels | kH, "un"}, {kE | kI | kAvere, "v"}, {kO, "vent"},
};

const std::string& table() {
    static const std::string t = [] {
        std::string s;
        for (const Item& item : kItems) {
            s.push_back(char(item.value));
            s += item.text;
            s.push_back('\0');
        }
        return s;
    }();
    return t;
}

}  // namespace

bool splItalianPrefixFits(const u8* rest, u32 value, int language) {
    const u8* lower = splLowerTable(language);
    const u8* unaccent = splUnaccentTable(language);
    auto base = [&](u8 c) { return unaccent[lower[c]]; };
    switch (base(rest[0])) {
        case 'a': return value & kA;
        case 'e': return value & kE;
        case 'i': return value & kI;
        case 'o': return value & kO;
        case 'u': return value & kU;
        case 'h': {
            if (std::strchr("aeiou", base(rest[1])) == nullptr || rest[1] == 0) return false;
            u8 after[8];
            u32 n = 0;
            for (const u8* p = rest + 1; *p != 0 && n + 1 < sizeof after; ++p) after[n++] = lower[*p];
            after[n] = 0;
            bool avere = false;
            for (const char* form : {"a", "ai", "anno", "o"})
                avere = avere || std::strcmp(reinterpret_cast<const char*>(after), form) == 0;
            return value & (avere ? kAvere : kH);
        }
        default: return false;
    }
}

const SplPrefixRules kItalianPrefixes = {reinterpret_cast<const u8*>(table().data()), u32(table().size()),
                                         splItalianPrefixFits};

int splItalianPrefixSplit(SplVerifyRec* rec, u32 offset) { return splPrefixSplit(rec, offset, kItalianPrefixes); }
