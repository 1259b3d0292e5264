#include "spell/SplLexIndex.h"

#include <bit>
#include <cstring>
#include <new>

#include "spell/SplFile.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"

namespace {

void addPoints(SplLexicon* lex, SplLexIndex* index) {
    for (u32 b = 0; b < lex->blockCount; ++b) {
        index->first.push_back(u32(index->offset.size()));
        if (!splLexLoadBlock(lex, b)) continue;
        for (u32 entry = 0;; ++entry) {
            u32 at = lex->position;
            u32 length = lex->keyLength;
            if (entry == 0 || entry % kLexIndexStride != 0) {
                if (splLexNextEntry(lex) != 1) break;
                continue;
            }
            u32 keyAt = u32(index->keys.size());
            index->keys.insert(index->keys.end(), lex->decomp, lex->decomp + length);
            index->keys.push_back(0);
            if (splLexNextEntry(lex) != 1) {
                index->keys.resize(keyAt);
                break;
            }
            index->offset.push_back(u16(at));
            index->previousAt.push_back(keyAt);
            index->previousHead.push_back(splKeyHead(index->keys.data() + keyAt));
            index->previousLength.push_back(u8(length));
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
        *shared = 8 - u32(std::countr_zero(headA | 1)) / 8;
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
        addPoints(lex, index);
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

void splLexIndexSeek(SplLexicon* lex, const u8* key, u32* previousLength, u32* matched) {
    *previousLength = *matched = 0;
    const SplLexIndex* index = lex->index;
    if (index == nullptr || lex->blockNumber + 1 >= index->first.size()) return;
    u32 lo = index->first[lex->blockNumber], hi = index->first[lex->blockNumber + 1];
    u64 keyHead = splKeyHead(key);
    u32 best = hi, bestShared = 0;
    while (lo < hi) {  // the last point whose previous key sorts below key
        u32 mid = lo + (hi - lo) / 2;
        u32 shared = 0;
        if (splKeyCompareHeads(index->previousHead[mid], index->keys.data() + index->previousAt[mid], keyHead, key,
                               &shared) < 0) {
            best = mid;
            bestShared = shared;
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (best == index->first[lex->blockNumber + 1]) return;
    lex->position = index->offset[best];
    *previousLength = index->previousLength[best];
    *matched = bestShared;
}
