#include "spell/SplLexIndex.h"

#include <bit>
#include <cstring>
#include <new>

#include "spell/SplFile.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"

namespace {

// FNV-1a of the key's bytes, up to length or its end.
u64 keyHash(const u8* key, u32 length) {
    u64 h = 14695981039346656037ull;
    for (u32 i = 0; i < length && key[i] != 0; ++i) h = (h ^ key[i]) * 1099511628211ull;
    return h;
}

u32 checkBits(u64 hash) { return u32(hash >> 32) | 1u; }

// Whether a lookup of key goes to block b: b is the last block whose index key is not above it.
bool lookedUpIn(const SplLexicon* lex, u32 b, u64 keyHead, const u8* key) {
    return splLexIndexCompareBlock(lex, b, keyHead, key) <= 0 &&
           (b + 1 == lex->blockCount || splLexIndexCompareBlock(lex, b + 1, keyHead, key) > 0);
}

struct Place {
    u64 hash;
    u32 where;
};

// Hashes the places into slots of which a quarter at least stay free.
void addPlaces(SplLexIndex* index, const std::vector<Place>& found) {
    size_t slots = 1;
    while (slots < found.size() + found.size() / 3 + 1) slots *= 2;
    index->places.assign(slots, 0);
    size_t mask = slots - 1;
    for (const Place& p : found) {
        size_t slot = size_t(p.hash) & mask;
        while (index->places[slot] != 0) slot = (slot + 1) & mask;
        index->places[slot] = u64(checkBits(p.hash)) << 32 | p.where;
    }
}

void addPoints(SplLexicon* lex, SplLexIndex* index, std::vector<Place>* found) {
    u8 key[kLexDecompSize + 1];
    for (u32 b = 0; b < lex->blockCount; ++b) {
        index->first.push_back(u32(index->offset.size()));
        if (!splLexLoadBlock(lex, b)) continue;
        u32 previousLength = 0;
        for (u32 entry = 0;; ++entry) {
            u32 at = lex->position;
            u32 length = lex->keyLength;
            bool point = entry != 0 && entry % kLexIndexStride == 0;
            u32 keyAt = u32(index->keys.size());
            if (point) {
                index->keys.insert(index->keys.end(), lex->decomp, lex->decomp + length);
                index->keys.push_back(0);
            }
            if (splLexNextEntry(lex) != 1) {
                index->keys.resize(keyAt);
                break;
            }
            if (point) {
                index->offset.push_back(u16(at));
                index->previousAt.push_back(keyAt);
                index->previousHead.push_back(splKeyHead(index->keys.data() + keyAt));
                index->previousLength.push_back(u8(length));
            }
            // A search finds a key's first entry, in the block the block index sends it to.
            u32 n = lex->keyLength;
            bool repeated = entry != 0 && n == previousLength && std::memcmp(key, lex->decomp, n) == 0;
            std::memcpy(key, lex->decomp, n);
            key[n] = 0;
            previousLength = n;
            if (!repeated && lookedUpIn(lex, b, splKeyHead(key), key)) found->push_back({keyHash(key, n), b * 256 + entry / kLexIndexStride});
        }
    }
    index->first.push_back(u32(index->offset.size()));
}

}  // namespace

u64 splKeyHead(const u8* key) {
    u64 head = 0;
    bool ended = false;
    for (u32 i = 0; i < 8; ++i) {
        ended = ended || key[i] == 0;
        head = head << 8 | (ended ? 0u : key[i]);
    }
    return head;
}

int splKeyCompareHeads(u64 headA, const u8* a, u64 headB, const u8* b, u32* shared) {
    if (headA != headB) {
        *shared = u32(std::countl_zero(headA ^ headB)) / 8;
        return headA < headB ? -1 : 1;
    }
    if ((headA & 0xff) == 0) {  // both end within their first eight bytes
        *shared = 8 - u32(std::countr_zero(headA)) / 8;
        return 0;
    }
    u32 n = 8;
    while (a[n] != 0 && a[n] == b[n]) ++n;
    *shared = n;
    return int(a[n]) - int(b[n]);
}

SplLexIndex* splLexIndexBuild(SplLexicon* lex) {
    auto* index = new (std::nothrow) SplLexIndex;
    if (index == nullptr) return nullptr;
    try {
        index->blocks.resize(size_t(lex->blockCount) * kSplBlockSize);
        if (splFileSeek(i64(lex->firstBlock) * kSplBlockSize, lex->file) != 0 ||
            !splReadExactly(index->blocks.data(), u32(index->blocks.size()), lex->file))
            index->blocks.clear();
        u32 block = 0;
        for (u32 lead = 0; lead <= 256; ++lead) {
            while (block < lex->blockCount && lex->blockIndex[block][0] < lead) ++block;
            index->leadStart[lead] = block;
        }
        index->first.reserve(lex->blockCount + 1u);
        index->blockHead.reserve(lex->blockCount);
        for (u32 b = 0; b < lex->blockCount; ++b) index->blockHead.push_back(splKeyHead(lex->blockIndex[b]));
        lex->index = index;  // the blocks are decoded from the image just read
        std::vector<Place> found;
        addPoints(lex, index, &found);
        addPlaces(index, found);
    } catch (const std::bad_alloc&) {
        delete index;
        index = nullptr;
    }
    lex->index = nullptr;
    lex->keyLength = lex->decompEnd = 0;
    return index;
}

void splLexIndexFree(SplLexIndex* index) { delete index; }

const u8* splLexIndexBlock(const SplLexIndex* index, u32 number) {
    if (index == nullptr || size_t(number + 1) * kSplBlockSize > index->blocks.size()) return nullptr;
    return index->blocks.data() + size_t(number) * kSplBlockSize;
}

void splLexIndexBlockRange(const SplLexicon* lex, const u8* key, u32* from, u32* to) {
    *from = 0;
    *to = lex->blockCount;
    if (lex->index == nullptr) return;
    // Every block whose index key starts below key's first byte sorts below key, every one
    // starting above it above: the answer is the block before the range or one in it.
    *from = lex->index->leadStart[key[0]];
    *to = lex->index->leadStart[key[0] + 1];
}

int splLexIndexCompareBlock(const SplLexicon* lex, u32 number, u64 keyHead, const u8* key) {
    u32 shared = 0;
    if (lex->index == nullptr) return splKeyCompare(lex->blockIndex[number], key);
    return splKeyCompareHeads(lex->index->blockHead[number], lex->blockIndex[number], keyHead, key, &shared);
}

int splLexIndexFind(SplLexicon* lex, const u8* key, u32 length) {
    const SplLexIndex* index = lex->index;
    u64 hash = keyHash(key, length);
    u64 keyHead = splKeyHead(key);
    u64 check = checkBits(hash);
    size_t mask = index->places.size() - 1;
    for (size_t slot = size_t(hash) & mask; index->places[slot] != 0; slot = (slot + 1) & mask) {
        if (index->places[slot] >> 32 != check) continue;
        // Another key's place serves only where a search for this one would start as well.
        u32 where = u32(index->places[slot]);
        u32 block = where / 256, point = where % 256;
        if (block >= lex->blockCount || !lookedUpIn(lex, block, keyHead, key)) continue;
        u32 previousLength = 0, matched = 0, p = index->first[block] + point - 1;
        if (point != 0 && splKeyCompareHeads(index->previousHead[p], index->keys.data() + index->previousAt[p],
                                             keyHead, key, &matched) >= 0)
            continue;
        if (!splLexLoadBlock(lex, block)) continue;
        if (point != 0) {
            lex->position = index->offset[p];
            previousLength = index->previousLength[p];
        }
        int answer = splLexSearchFrom(lex, key, previousLength, matched);
        if (answer == kLexFound) return answer;
    }
    lex->position = kSplBlockSize;
    lex->keyLength = lex->decompEnd = 0;
    return kLexEnd;
}
