#include "spell/SplLexEntries.h"

#include <cstring>

#include "spell/SplErrors.h"
#include "spell/SplPhonetic.h"

namespace {

constexpr u8 kCompactCodes[11] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 16, 20};

bool appendByte(SplLexicon* lex, u8 b) {
    if (lex->decompEnd + 1 >= kLexDecompSize) return false;
    lex->decomp[lex->decompEnd++] = b;
    return true;
}

}  // namespace

int splLexLoadBlock(SplLexicon* lex, u32 index) {
    if (index >= lex->blockCount) return 0;
    const u8* block = lex->readBlock(lex->mm, lex->firstBlock + index, lex->file, kMmRead | lex->readPriority);
    if (block == nullptr) return 0;
    lex->block = block;
    lex->blockNumber = index;
    lex->position = 0;
    lex->decompEnd = lex->keyLength = 0;
    std::memset(lex->blockValues, 0, sizeof lex->blockValues);
    if (lex->flags & kLexFlagBlockHeader) {
        i8 header = i8(block[lex->position++]);
        if (header < 0) {
            u8 mask = block[lex->position++];
            int nibble = 0;
            for (int bit = 0; bit < 7; ++bit) {
                if (!(mask & (1 << bit))) continue;
                if (lex->position >= kSplBlockSize) return 0;
                u8 b = block[lex->position];
                lex->blockValues[bit] = nibble == 0 ? u8(b & 15) : u8(b >> 4);
                if (++nibble == 2) {
                    nibble = 0;
                    ++lex->position;
                }
            }
            if (nibble != 0) ++lex->position;
        }
    }
    return 1;
}

int splLexNextEntry(SplLexicon* lex) {
    const u8* b = lex->block;
    u32& at = lex->position;
    if (at >= kSplBlockSize || b[at] == 0) return 0;
    u32 letters = splPhonLetterCount(lex->phon);
    u32 h = b[at++];
    u32 drop = 0;
    const u8* append = nullptr;
    if (h < letters) return kLexDamaged;
    if (h < letters + 15) {
        drop = h - letters;
    } else if (h == letters + 15) {
        if (at >= kSplBlockSize || b[at] < letters) return kLexDamaged;
        drop = 15 + (b[at++] - letters);
    } else if (h < lex->firstDigramCode) {
        drop = lex->endingDrops[h - lex->firstEndingCode];
        append = lex->endingStrings[h - lex->firstEndingCode];
    } else {
        return kLexDamaged;
    }
    if (drop > lex->keyLength) return kLexDamaged;
    lex->decompEnd = lex->keyLength - drop;
    if (append != nullptr)
        for (const u8* p = append; *p != 0; ++p)
            if (!appendByte(lex, *p)) return kLexDamaged;

    bool trailer = false;
    for (;;) {
        if (at >= kSplBlockSize) return kLexDamaged;
        u8 c = b[at++];
        if (c == 0) break;
        if (c == 255) {
            if (at >= kSplBlockSize || b[at] == 0) return kLexDamaged;
            if (!trailer) lex->keyLength = lex->decompEnd;
            trailer = true;
            if (!appendByte(lex, 255) || !appendByte(lex, b[at++])) return kLexDamaged;
            continue;
        }
        if (trailer) return kLexDamaged;
        if (c == kSplKeySpelled) {
            if (!appendByte(lex, c)) return kLexDamaged;
            for (;;) {
                if (at >= kSplBlockSize || b[at] == 0) return kLexDamaged;
                u8 raw = b[at++];
                if (raw == 255) break;
                if (!appendByte(lex, raw)) return kLexDamaged;
            }
        } else if (c < letters) {
            if (!appendByte(lex, c)) return kLexDamaged;
        } else if (c >= lex->firstDigramCode) {
            u32 d = c - lex->firstDigramCode;
            if (d >= lex->digramCount) return kLexDamaged;
            if (!appendByte(lex, lex->digrams[2 * d]) || !appendByte(lex, lex->digrams[2 * d + 1])) return kLexDamaged;
        } else {
            // A byte between the letters and the digrams starts a trailer of another form;
            // its bytes are kept but carry no flag codes.
            lex->keyLength = lex->decompEnd;
            trailer = true;
            while (at < kSplBlockSize && b[at] != 0) ++at;
        }
    }
    if (!trailer) lex->keyLength = lex->decompEnd;
    if (lex->keyLength == 0 || lex->keyLength > u32(kSplMaxKey)) return kLexDamaged;
    lex->decomp[lex->decompEnd] = 0;
    return 1;
}

int splLexSearchBlock(SplLexicon* lex, const u8* key) {
    for (;;) {
        int r = splLexNextEntry(lex);
        if (r != 1) return r;
        // The entry's key is not NUL-terminated inside the decoded entry: compare it as if it were.
        u32 i = 0;
        while (i < lex->keyLength && lex->decomp[i] == key[i]) ++i;
        int order = i < lex->keyLength ? int(lex->decomp[i]) - int(key[i]) : -int(key[i]);
        if (order == 0) return kLexFound;
        if (order > 0) return kLexPassed;
    }
}

i32 splLexFindBlock(const SplLexicon* lex, const u8* key) {
    i32 lo = 0, hi = i32(lex->blockCount) - 1, found = -1;
    while (lo <= hi) {
        i32 mid = (lo + hi) / 2;
        if (splKeyCompare(lex->blockIndex[mid], key) <= 0) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return found;
}

bool lexstrip(SplLexicon* lex) {
    const u8* d = lex->decomp;
    u32 end = lex->decompEnd;
    u32 count = 0;
    lex->classByte = 0;
    u32 explicitEnd = end;
    bool hasTrailer = end >= 2 && end > lex->keyLength && d[end - 2] == 255;
    if (hasTrailer && (lex->flags & kLexFlagCompactFlags)) {
        u32 low = d[end - 1];
        u32 high = end >= 3 + lex->keyLength && d[end - 4] == 255 ? d[end - 3] : 0;
        u32 mask = high * 16 + (low >> 4);
        u32 remaining = low & 15;
        int bit = 0;
        for (; bit <= 10 && remaining > 0; ++bit) {
            if (!(mask & (1u << bit))) continue;
            lex->flagCodes[count++] = kCompactCodes[bit];
            --remaining;
        }
        if (remaining > 0) return false;
        bool twoPairs = bit - 1 > 3;
        if (twoPairs && high == 0) return false;
        explicitEnd = end - (twoPairs ? 4 : 2);
    }
    // Explicit (255, value) pairs between the key and explicitEnd.
    for (u32 at = lex->keyLength; at + 1 < explicitEnd; at += 2) {
        if (d[at] != 255) return false;
        u8 value = d[at + 1];
        if (value < 128) {
            if (count >= kLexMaxFlagCodes) return false;
            lex->flagCodes[count++] = value;
        } else {
            lex->classByte = value;
        }
    }
    if (count == 0) lex->flagCodes[count++] = (lex->flags & kLexFlagProperNames) ? 2 : 1;
    lex->flagCodes[count] = 0;
    return true;
}

int splLexFetch(SplLexicon* lex, const u8* form) {
    lex->accentMiss = 0;
    u8 key[kSplMaxKey + 1];
    if (splWordToKey(form, key, (lex->flags & kLexFlagSingleBin) ? 1 : 0, lex->phon) == 0) return 0;
    i32 index = splLexFindBlock(lex, key);
    if (index < 0 || !splLexLoadBlock(lex, u32(index))) return 0;
    if (splLexSearchBlock(lex, key) != kLexFound) return 0;
    return lexstrip(lex) ? 1 : 0;
}
