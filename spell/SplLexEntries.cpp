#include "spell/SplLexEntries.h"

#include <cstring>

#include "spell/SplErrors.h"
#include "spell/SplLexIndex.h"
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
    const u8* block = splLexIndexBlock(lex->index, index);
    if (block == nullptr) block = lex->readBlock(lex->mm, lex->firstBlock + index, lex->file, kMmRead | lex->readPriority);
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

namespace {

// Reads an entry's header byte at *at: how much of the previous key it drops and the ending
// string it appends (or null). False for a byte no entry starts with.
bool entryHeader(const SplLexicon* lex, u32* at, u32* drop, const u8** ending) {
    const u8* b = lex->block;
    u32 letters = splPhonLetterCount(lex->phon);
    u32 h = b[(*at)++];
    *ending = nullptr;
    if (h < letters) return false;
    if (h < letters + 15) {
        *drop = h - letters;
    } else if (h == letters + 15) {
        if (*at >= kSplBlockSize || b[*at] < letters) return false;
        *drop = 15 + (b[(*at)++] - letters);
    } else if (h < lex->firstDigramCode) {
        *drop = lex->endingDrops[h - lex->firstEndingCode];
        *ending = lex->endingStrings[h - lex->firstEndingCode];
    } else {
        return false;
    }
    return true;
}

// The key bytes an entry appends, one at a time, without decoding them into the entry buffer.
struct Appended {
    const SplLexicon* lex;
    u32 at;
    const u8* ending;
    bool raw = false;
    bool hasPending = false;
    u8 pending = 0;

    // 1 with *out; 0 at the body's end (at then points at its trailer or its 0); -1 when damaged.
    int next(u8* out) {
        if (ending != nullptr && *ending != 0) {
            *out = *ending++;
            return 1;
        }
        if (hasPending) {
            hasPending = false;
            *out = pending;
            return 1;
        }
        const u8* b = lex->block;
        for (;;) {
            if (at >= kSplBlockSize) return -1;
            u8 c = b[at];
            if (raw) {
                if (c == 0) return -1;
                ++at;
                if (c == 255) {
                    raw = false;
                    continue;
                }
                *out = c;
                return 1;
            }
            if (c == 0 || c == 255) return 0;
            if (c == kSplKeySpelled) raw = true;
            if (c < splPhonLetterCount(lex->phon)) {
                ++at;
                *out = c;
                return 1;
            }
            if (c < lex->firstDigramCode) return 0;
            u32 d = c - lex->firstDigramCode;
            if (d >= lex->digramCount) return -1;
            ++at;
            *out = lex->digrams[2 * d];
            pending = lex->digrams[2 * d + 1];
            hasPending = true;
            return 1;
        }
    }
};

// Skips (or, with out, copies) the trailer at *at and the entry's closing 0; false when damaged.
bool entryTrailer(const SplLexicon* lex, u32* at, u8* out, u32* outLength) {
    const u8* b = lex->block;
    u32 letters = splPhonLetterCount(lex->phon);
    while (*at < kSplBlockSize && b[*at] == 255) {
        if (*at + 1 >= kSplBlockSize || b[*at + 1] == 0) return false;
        if (out != nullptr) {
            if (*outLength + 2 >= kLexDecompSize) return false;
            out[(*outLength)++] = 255;
            out[(*outLength)++] = b[*at + 1];
        }
        *at += 2;
    }
    if (*at < kSplBlockSize && b[*at] >= letters && b[*at] < lex->firstDigramCode)
        while (*at < kSplBlockSize && b[*at] != 0) ++*at;
    if (*at >= kSplBlockSize || b[*at] != 0) return false;
    ++*at;
    return true;
}

int searchEnds(SplLexicon* lex, int answer) {
    lex->position = kSplBlockSize;
    lex->keyLength = lex->decompEnd = 0;
    return answer;
}

}  // namespace

// Entries are in key order and each keeps a prefix of the one before, so only the bytes where
// an entry departs from the key need decoding: an entry that keeps more of the previous key
// than the previous key shared with the key sorts below it; any other is compared from the
// end of what it keeps (a writer may keep less than all the two keys share).
int splLexSearchFrom(SplLexicon* lex, const u8* key, u32 previousLength, u32 matched) {
    u32 keyLength = u32(std::strlen(reinterpret_cast<const char*>(key)));
    for (;;) {
        u32 at = lex->position;
        if (at >= kSplBlockSize || lex->block[at] == 0) return searchEnds(lex, kLexEnd);
        u32 drop = 0;
        const u8* ending = nullptr;
        if (!entryHeader(lex, &at, &drop, &ending) || drop > previousLength) return searchEnds(lex, kLexDamaged);
        u32 kept = previousLength - drop;
        Appended appended{lex, at, ending};
        u32 length = kept;
        int order = kept > matched ? -1 : 0;
        u8 c = 0;
        int r = 0;
        if (order == 0) {
            for (;;) {
                r = appended.next(&c);
                if (r < 0) return searchEnds(lex, kLexDamaged);
                if (r == 0) {
                    if (key[length] != 0) {
                        order = -1;
                        matched = length;
                    }
                    break;
                }
                if (key[length] == 0 || c > key[length]) {
                    order = 1;
                    break;
                }
                if (c < key[length]) {
                    order = -1;
                    matched = length;
                    ++length;
                    break;
                }
                ++length;
            }
        }
        if (order > 0) return searchEnds(lex, kLexPassed);
        while (r != 0 || order != 0) {
            r = appended.next(&c);
            if (r < 0) return searchEnds(lex, kLexDamaged);
            if (r == 0) break;
            ++length;
        }
        if (length == 0 || length > u32(kSplMaxKey)) return searchEnds(lex, kLexDamaged);
        at = appended.at;
        if (order == 0) {
            std::memcpy(lex->decomp, key, keyLength);
            u32 end = keyLength;
            if (!entryTrailer(lex, &at, lex->decomp, &end)) return searchEnds(lex, kLexDamaged);
            lex->keyLength = keyLength;
            lex->decompEnd = end;
            lex->decomp[end] = 0;
            lex->position = at;
            return kLexFound;
        }
        if (!entryTrailer(lex, &at, nullptr, nullptr)) return searchEnds(lex, kLexDamaged);
        previousLength = length;
        lex->position = at;
    }
}

i32 splLexFindBlock(const SplLexicon* lex, const u8* key) {
    u32 from = 0, to = 0;
    splLexIndexBlockRange(lex, key, &from, &to);
    u64 keyHead = splKeyHead(key);
    i32 lo = i32(from), hi = i32(to) - 1, found = i32(from) - 1;
    while (lo <= hi) {
        i32 mid = (lo + hi) / 2;
        if (splLexIndexCompareBlock(lex, u32(mid), keyHead, key) <= 0) {
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
    int length = splWordToKey(form, key, (lex->flags & kLexFlagSingleBin) ? 1 : 0, lex->phon);
    if (length == 0) return 0;
    if (lex->index != nullptr) return splLexIndexFind(lex, key, u32(length)) == kLexFound && lexstrip(lex) ? 1 : 0;
    i32 index = splLexFindBlock(lex, key);
    if (index < 0 || !splLexLoadBlock(lex, u32(index))) return 0;
    if (splLexSearchFrom(lex, key, 0, 0) != kLexFound) return 0;
    return lexstrip(lex) ? 1 : 0;
}

void splLexEntryKey(const SplLexicon* lex, u8* key) {
    u32 n = lex->keyLength < u32(kSplMaxKey) ? lex->keyLength : u32(kSplMaxKey);
    std::memcpy(key, lex->decomp, n);
    key[n] = 0;
}

void splLexWalkBin(SplLexicon* lex, const u8* bin, SplBinVisitor visit, void* arg) {
    u8 start[3] = {bin[0], bin[1], 0};
    i32 found = splLexFindBlock(lex, start);
    u32 index = found < 0 ? 0 : u32(found);
    if (!splLexLoadBlock(lex, index)) return;
    for (;;) {
        int r = splLexNextEntry(lex);
        if (r < 0) return;
        if (r == 0) {
            if (!splLexLoadBlock(lex, ++index)) return;
            continue;
        }
        int order = std::memcmp(lex->decomp, start, 2);
        if (order < 0) continue;
        if (order > 0) return;
        if (lexstrip(lex) && !visit(lex, arg)) return;
    }
}
