#include "spell/SplKeyCompare.h"

#include <cstddef>

#include "spell/SplCharSets.h"
#include "spell/SplErrors.h"

namespace {

constexpr u8 kLcDiacritic = 0x10;  // a high letter with a removable diacritic ("P" languages)
constexpr u32 kShapeProper = 2;
constexpr u32 kShapeCaps = 3;

bool keyEnd(u8 c) { return c == 0 || c == kSplKeySpelled; }

// The letter a code stands for; a repeat code stands for the letter before it.
u8 letterAt(const u8* key, size_t i, const SplPhonTable* phon) {
    while (i > 2 && key[i] == kPairIndexRepeat) --i;
    if (key[i] >= splPhonLetterCount(phon)) return 0;
    return phon->pairs[2 * key[i]];
}

u8 folded(u8 letter, bool may, const u8* classes, const u8* unaccent, bool p) {
    if (!may || classes == nullptr || unaccent == nullptr) return letter;
    u8 c = classes[letter];
    if ((c & kLcAccented) || (p && letter > 127 && (c & kLcDiacritic))) return unaccent[letter];
    return letter;
}

}  // namespace

int splPhonKeyCompare(const u8* a, const u8* b, u32 mode, const SplPhonTable* phon) {
    // A key that ends inside its two bin bytes (a damaged entry's) ends the comparison there:
    // no byte past either terminator is read.
    if (a[0] != b[0] || a[0] == 0) return int(a[0]) - int(b[0]);
    if (a[1] != b[1] || a[1] == 0) return int(a[1]) - int(b[1]);
    const u8* classes = splLetterClassTable(phon->language);
    const u8* unaccent = splUnaccentTable(phon->language);
    bool p = phon->keyCompare == SplKeyCompareKind::P;
    bool tolerant = phon->keyCompare != SplKeyCompareKind::None;
    u32 shape = mode & 3;
    size_t i = 2;
    for (; !keyEnd(a[i]) && !keyEnd(b[i]); ++i) {
        if (a[i] == b[i]) continue;
        if (!tolerant) return int(a[i]) - int(b[i]);
        // A capitalised word keeps its accents past the first letter; an all-capitals one may
        // have dropped any of them. A "P" language folds the typed side only in capitals.
        bool mayFold = tolerant && (shape == kShapeCaps || (shape == kShapeProper && i == 2));
        u8 la = letterAt(a, i, phon), lb = letterAt(b, i, phon);
        if (la == lb && la != 0) continue;
        u8 fa = folded(la, p && shape == kShapeCaps && mayFold, classes, unaccent, p);
        u8 fb = folded(lb, mayFold, classes, unaccent, p);
        if (la == 0 || fa != fb) return int(a[i]) - int(b[i]);
    }
    // Past the codes (a spelled part, or the end) the keys compare as they stand.
    for (; a[i] == b[i] && a[i] != 0; ++i) {}
    return int(a[i]) - int(b[i]);
}
