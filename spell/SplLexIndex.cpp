#include "spell/SplLexIndex.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "spell/SplFile.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"

SplLexIndex* splLexIndexBuild(SplLexicon* lex) {
    auto* index = new (std::nothrow) SplLexIndex;
    if (index == nullptr) return nullptr;
    try {
        index->blocks.resize(size_t(lex->blockCount) * kSplBlockSize);
        if (splFileSeek(i64(lex->firstBlock) * kSplBlockSize, lex->file) != 0 ||
            !splReadExactly(index->blocks.data(), u32(index->blocks.size()), lex->file))
            index->blocks.clear();
        index->first.reserve(lex->blockCount + 1u);
        lex->index = index;  // the blocks are decoded from the image just read
        for (u32 b = 0; b < lex->blockCount; ++b) {
            index->first.push_back(u32(index->offset.size()));
            if (!splLexLoadBlock(lex, b)) continue;
            for (u32 entry = 0;; ++entry) {
                u32 at = lex->position;
                std::string before(reinterpret_cast<const char*>(lex->decomp), lex->keyLength);
                if (splLexNextEntry(lex) != 1) break;
                if (entry == 0 || entry % kLexIndexStride != 0) continue;
                index->offset.push_back(u16(at));
                index->previous.push_back(std::move(before));
            }
        }
        index->first.push_back(u32(index->offset.size()));
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

void splLexIndexSeek(SplLexicon* lex, const u8* key, u32* previousLength, u32* matched) {
    *previousLength = *matched = 0;
    const SplLexIndex* index = lex->index;
    if (index == nullptr || lex->blockNumber + 1 >= index->first.size()) return;
    auto begin = index->previous.begin() + index->first[lex->blockNumber];
    auto end = index->previous.begin() + index->first[lex->blockNumber + 1];
    auto below = [](const std::string& previous, const u8* k) {
        return splKeyCompare(reinterpret_cast<const u8*>(previous.c_str()), k) < 0;
    };
    auto after = std::lower_bound(begin, end, key, below);
    if (after == begin) return;
    const std::string& previous = *(after - 1);
    u32 shared = 0;
    while (shared < previous.size() && u8(previous[shared]) == key[shared]) ++shared;
    lex->position = index->offset[size_t(after - 1 - index->previous.begin())];
    *previousLength = u32(previous.size());
    *matched = shared;
}
