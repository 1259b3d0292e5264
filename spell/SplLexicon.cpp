#include "spell/SplLexicon.h"

#include <cstring>
#include <new>

#include "spell/SplBytes.h"
#include "spell/SplErrors.h"
#include "spell/SplLexIndex.h"
#include "spell/SplSuffixClass.h"

namespace {

SplLexicon* fail(SplLexicon* lex, u32* error, u32 code) {
    splLexClose(lex);
    *error = code;
    return nullptr;
}

// Reads one string list of the tag area: count items, each a fixed prefix and a string.
bool readList(const u8*& at, const u8* end, u32 count, u32 prefix, const u8** out) {
    for (u32 i = 0; i < count; ++i) {
        if (u32(end - at) < prefix + 1) return false;
        out[i] = at;
        at += prefix;
        const void* nul = std::memchr(at, 0, size_t(end - at));
        if (nul == nullptr) return false;
        at = static_cast<const u8*>(nul) + 1;
    }
    out[count] = nullptr;
    return true;
}

u32 loadTags(SplLexicon* lex) {
    u8 head[16];
    if (splFileSeek(i64(lex->tagBlock) * kSplBlockSize, lex->file) != 0 || !splReadExactly(head, 16, lex->file))
        return kSplErrRead;
    auto* tags = new (std::nothrow) SplTagArea;
    if (tags == nullptr) return kSplErrNoMemory;
    lex->tags = tags;
    std::memcpy(tags->head, head, 16);
    tags->totalSize = bytes2nu(head + 2, 2);
    tags->count1 = bytes2nu(head + 4, 2);
    tags->count2 = bytes2nu(head + 6, 2);
    u32 pointers = 2 * (tags->count1 + 1) + 2 * (tags->count2 + 1);
    u32 stringsRoom = (tags->totalSize + 7) & ~7u;
    tags->strings = static_cast<u8*>(splAlloc(stringsRoom + sizeof(u8*) * pointers));
    if (tags->strings == nullptr) return kSplErrNoMemory;
    const u8** arrays = reinterpret_cast<const u8**>(tags->strings + stringsRoom);
    if (splFileSeek(i64(lex->tagBlock) * kSplBlockSize + head[1], lex->file) != 0 ||
        !splReadExactly(tags->strings, tags->totalSize, lex->file))
        return kSplErrRead;
    tags->list1 = arrays;
    tags->plain1 = tags->list1 + tags->count1 + 1;
    tags->list2 = tags->plain1 + tags->count1 + 1;
    tags->plain2 = tags->list2 + tags->count2 + 1;
    const u8* at = tags->strings;
    const u8* end = tags->strings + tags->totalSize;
    u32 leading = u32(head[8]) * head[9];
    if (leading > tags->totalSize) return kSplErrRead;
    at += leading;
    if (!readList(at, end, tags->count1, head[12], tags->list1) || !readList(at, end, tags->count1, 0, tags->plain1) ||
        !readList(at, end, tags->count2, head[13], tags->list2) || !readList(at, end, tags->count2, 0, tags->plain2))
        return kSplErrRead;
    return at == end && splSuffixTableValid(tags) ? kSplErrNone : kSplErrRead;
}

// Splits the string table into the ending strings and the block index, checking that exactly
// that many strings fill it and that the block index is in key order.
u32 addressStrings(SplLexicon* lex) {
    u32 total = u32(lex->endingCount) + lex->blockCount;
    const u8** table = static_cast<const u8**>(splAlloc(sizeof(u8*) * (total + 1)));
    if (table == nullptr) return kSplErrNoMemory;
    lex->endingStrings = table;
    lex->blockIndex = table + lex->endingCount;
    u32 at = 0;
    for (u32 i = 0; i < total; ++i) {
        if (at >= lex->stringSize) return kSplErrRead;
        const void* nul = std::memchr(lex->strings + at, 0, lex->stringSize - at);
        if (nul == nullptr) return kSplErrRead;
        u32 length = u32(static_cast<const u8*>(nul) - (lex->strings + at));
        if (length > u32(kSplMaxKey)) return kSplErrRead;
        if (i >= lex->endingCount && (length == 0 || std::memchr(lex->strings + at, 255, length) != nullptr))
            return kSplErrRead;
        table[i] = lex->strings + at;
        at += length + 1;
    }
    if (at != lex->stringSize) return kSplErrRead;
    for (u32 i = 1; i < lex->blockCount; ++i)
        if (splKeyCompare(lex->blockIndex[i - 1], lex->blockIndex[i]) > 0) return kSplErrRead;
    for (u32 i = 0; i < lex->endingCount; ++i)
        if (lex->endingDrops[i] > kSplMaxKey) return kSplErrRead;
    for (u32 i = 0; i < 2u * lex->digramCount; ++i)
        if (lex->digrams[i] == 0 || lex->digrams[i] == 255) return kSplErrRead;
    return kSplErrNone;
}

}  // namespace

int splKeyCompare(const u8* a, const u8* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return int(*a) - int(*b);
}

u32 splLexCheckHeader(const char* name, u32 offsetKb, u8* header, u32* error) {
    *error = kSplErrNone;
    SplFile* file = splFileOpen(name, kSplFileReadOnly);
    if (file == nullptr) {
        *error = kSplErrOpen;
        return 0;
    }
    bool read = splFileSeek(i64(offsetKb) * kSplBlockSize, file) == 0 && splReadExactly(header, kLexTextHeaderSize, file);
    splFileClose(file);
    if (!read) {
        *error = kSplErrRead;
        return 0;
    }
    u32 lines = 0;
    for (u32 i = 0; i < kLexTextHeaderSize; ++i) {
        if (header[i] == 0) return lines;
        if (header[i] == '\n') ++lines;
        if (header[i] == '\r' || header[i] == 26) header[i] = ' ';
    }
    *error = kSplErrFormat;
    return 0;
}

SplLexicon* splLexOpen(const char* name, u32 offsetKb, SplMemManager* mm, const SplPhonTable* phon, u32* error) {
    *error = kSplErrNone;
    auto* lex = new (std::nothrow) SplLexicon;
    if (lex == nullptr) {
        *error = kSplErrNoMemory;
        return nullptr;
    }
    lex->file = splFileOpen(name, kSplFileReadOnly);
    if (lex->file == nullptr) return fail(lex, error, kSplErrOpen);
    i64 start = i64(offsetKb) * kSplBlockSize;
    u16 words[8];
    if (splFileSeek(start + kLexTextHeaderSize, lex->file) != 0 || !splReadWords(words, 8, lex->file))
        return fail(lex, error, kSplErrRead);
    lex->kind = 3;
    lex->language = u8(words[0]);
    if (lex->language != phon->language) return fail(lex, error, kSplErrLanguage);
    if (i16(words[1]) < i16(kLexMinVersion)) return fail(lex, error, kSplErrVersion);
    lex->version = words[1];
    lex->flags = words[2];
    lex->word3 = words[3];
    lex->endingCount = words[4];
    lex->digramCount = words[5];
    lex->blockCount = words[6];
    lex->stringSize = words[7];
    u32 letters = splPhonLetterCount(phon);
    lex->firstEndingCode = letters + 16;
    lex->firstDigramCode = lex->firstEndingCode + lex->endingCount;
    if (lex->firstDigramCode + lex->digramCount > 255) return fail(lex, error, kSplErrRead);

    u32 err = kSplErrNone;
    if (!splAllocRead(&lex->endingDrops, lex->endingCount, lex->file, &err) ||
        !splAllocRead(&lex->digrams, 2u * lex->digramCount, lex->file, &err) ||
        !splAllocRead(&lex->strings, lex->stringSize, lex->file, &err))
        return fail(lex, error, err);
    err = addressStrings(lex);
    if (err != kSplErrNone) return fail(lex, error, err);

    i64 tablesEnd = start + kLexTextHeaderSize + kLexBinaryHeaderSize + lex->endingCount + 2 * lex->digramCount + lex->stringSize;
    lex->firstBlock = u32((tablesEnd + kSplBlockSize - 1) / kSplBlockSize);
    lex->tagBlock = lex->firstBlock + lex->blockCount;
    if (splFileLength(lex->file) < i64(lex->tagBlock) * kSplBlockSize) return fail(lex, error, kSplErrRead);
    lex->addressed = 1;
    lex->mm = mm;
    lex->phon = phon;
    lex->readBlock = splMemGetBlock;
    lex->readPriority = 2;
    lex->defaultTwo = 2;
    if (lex->flags & kLexFlagTags) {
        err = loadTags(lex);
        if (err != kSplErrNone) return fail(lex, error, err);
    }
    lex->index = splLexIndexBuild(lex);
    if (lex->index == nullptr) return fail(lex, error, kSplErrNoMemory);
    return lex;
}

void splLexClose(SplLexicon* lex) {
    if (lex == nullptr) return;
    if (lex->tags != nullptr) {
        splFree(lex->tags->strings);
        delete lex->tags;
    }
    if (lex->file != nullptr) {
        if (lex->mm != nullptr) splMemFlush(lex->mm, lex->file);
        splFileClose(lex->file);
    }
    splLexIndexFree(lex->index);
    splFree(lex->endingDrops);
    splFree(lex->digrams);
    splFree(lex->strings);
    splFree(lex->endingStrings);
    delete lex;
}
