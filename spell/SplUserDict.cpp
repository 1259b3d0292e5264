#include "spell/SplUserDict.h"

#include <cstring>
#include <new>

#include "engine/base/ByteOrder.h"
#include "spell/SplAccents.h"
#include "spell/SplCompat.h"
#include "spell/SplErrors.h"
#include "spell/SplKeyCompare.h"
#include "spell/SplMemManager.h"
#include "spell/SplPhonetic.h"
#include "spell/SplProximity.h"
#include "spell/SplShape.h"

namespace {

constexpr u32 kHeader = 4;
constexpr u32 kSplitAt = kSplBlockSize / 2;
constexpr u16 kLeafBit = 0x8000;

bool udMark(u8 c) { return c >= 1 && c <= 3; }

// Steps over the bytes the order does not see: before the spelled part (byte 4) the marks 1-3
// unless the spelled part follows at once; inside it the marks 4-7. The bin bytes always count.
void skipMarks(const std::string& key, size_t* at, bool* spelled) {
    while (*at >= 2 && *at < key.size()) {
        u8 c = u8(key[*at]);
        bool skip = *spelled ? (c >= 4 && c <= 7)
                             : udMark(c) && !(*at + 1 < key.size() && u8(key[*at + 1]) == kSplKeySpelled);
        if (!skip) return;
        ++*at;
    }
}

u32 entrySize(const std::string& previous, const std::string& key) {
    size_t common = 0;
    while (common < previous.size() && common < key.size() && previous[common] == key[common]) ++common;
    u32 n = 3 + u32(key.size() - common) + 1;
    return n + (n & 1);
}

u32 encodedSize(const SplUdBlock& b) {
    u32 size = kHeader;
    std::string previous;
    for (const SplUdEntry& e : b.entries) {
        size += entrySize(previous, e.key);
        previous = e.key;
    }
    return size;
}

void encode(const SplUdBlock& b, u32 number, const SplUserDict* d, u8* out) {
    std::memset(out, 0, kSplBlockSize);
    if (number == 0 && d->format == kUdOldFormatKept) {
        out[0] = d->language;
    } else if (number == 0) {
        out[0] = kUdFormat;
        out[1] = d->language;
    } else if (b.leaf) {
        writeLE16(out, b.link);
    }
    u32 at = kHeader;
    std::string previous;
    for (const SplUdEntry& e : b.entries) {
        size_t common = 0;
        while (common < previous.size() && common < e.key.size() && previous[common] == e.key[common]) ++common;
        writeLE16(out + at, e.value);
        out[at + 2] = u8(previous.size() - common);
        at += 3;
        std::memcpy(out + at, e.key.data() + common, e.key.size() - common);
        at += u32(e.key.size() - common) + 1;
        at += at & 1;
        previous = e.key;
    }
    writeLE16(out + 2, u16(at | (b.leaf ? kLeafBit : 0)));
}

}  // namespace

int splUserDictKeyOrder(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    bool spelledA = false, spelledB = false;
    for (;; ++i, ++j) {
        skipMarks(a, &i, &spelledA);
        skipMarks(b, &j, &spelledB);
        u8 ca = i < a.size() ? u8(a[i]) : 0, cb = j < b.size() ? u8(b[j]) : 0;
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
        if (i >= 2 && ca == kSplKeySpelled) spelledA = spelledB = true;
    }
}

namespace {

bool decode(const u8* p, u32 number, u32 count, SplUdBlock* b) {
    u16 used = readLE16(p + 2);
    b->leaf = (used & kLeafBit) != 0;
    u32 size = used & ~kLeafBit;
    if (size < kHeader || size > kSplBlockSize) return false;
    b->link = number != 0 && b->leaf ? readLE16(p) : kUdNoLink;
    if (b->link != kUdNoLink && (b->link >= count || b->link == number)) return false;
    std::string previous;
    u32 at = kHeader;
    while (at < size) {
        if (at + 4 > size) return false;
        SplUdEntry e;
        e.value = readLE16(p + at);
        u32 drop = p[at + 2];
        if (drop > previous.size()) return false;
        at += 3;
        const u8* text = p + at;
        const void* nul = std::memchr(text, 0, size - at);
        if (nul == nullptr) return false;
        size_t n = size_t(static_cast<const u8*>(nul) - text);
        e.key = previous.substr(0, previous.size() - drop) + std::string(reinterpret_cast<const char*>(text), n);
        if (e.key.empty() || e.key.size() > size_t(kSplMaxKey)) return false;
        if (!b->entries.empty() && splUserDictKeyOrder(previous, e.key) >= 0) return false;
        if (!b->leaf && (e.value == 0 || e.value >= count || e.value == number)) return false;
        at += u32(n) + 1;
        at += at & 1;
        if (at > size) return false;
        previous = e.key;
        b->entries.push_back(std::move(e));
    }
    return !b->entries.empty() || (number == 0 && b->leaf);
}

// Every block below the root is reached once, inner blocks only hold children, leaves link only
// to leaves, and the depth stays bounded: a damaged file cannot make a search loop or read an
// inner block's children as words.
bool checkTree(const std::vector<SplUdBlock>& blocks) {
    for (const SplUdBlock& b : blocks)
        if (b.leaf && b.link != kUdNoLink && (b.link == 0 || !blocks[b.link].leaf)) return false;
    std::vector<u8> seen(blocks.size(), 0);
    std::vector<std::pair<u32, u32>> stack{{0, 0}};
    seen[0] = 1;
    while (!stack.empty()) {
        auto [b, depth] = stack.back();
        stack.pop_back();
        if (blocks[b].leaf) continue;
        if (depth + 1 >= kUdMaxDepth || blocks[b].entries.empty()) return false;
        for (const SplUdEntry& e : blocks[b].entries) {
            if (seen[e.value]) return false;
            seen[e.value] = 1;
            stack.push_back({e.value, depth + 1});
        }
    }
    return true;
}

// The child of an inner block for key: the last entry not above it, else the first.
u32 childFor(const SplUdBlock& b, const std::string& key) {
    size_t i = 0;
    while (i + 1 < b.entries.size() && splUserDictKeyOrder(key, b.entries[i + 1].key) >= 0) ++i;
    return b.entries[i].value;
}

u32 leafFor(const SplUserDict* d, const std::string& key, std::vector<u32>* path) {
    u32 b = 0;
    for (u32 depth = 0; !d->blocks[b].leaf && depth < kUdMaxDepth; ++depth) {
        if (path != nullptr) path->push_back(b);
        b = childFor(d->blocks[b], key);
    }
    return b;
}

// Writes the dictionary to "<path>.new", puts it on disc and moves it over the dictionary.
bool save(SplUserDict* d) {
    const std::string fresh = d->path + ".new";
    if (!splFileRemove(fresh.c_str())) return false;
    SplFile* file = splFileOpen(fresh.c_str(), kSplFileCreate);
    if (file == nullptr) return false;
    u8 image[kSplBlockSize];
    bool ok = true;
    for (u32 b = 0; ok && b < d->blocks.size(); ++b) {
        encode(d->blocks[b], b, d, image);
        ok = splFileWrite(image, kSplBlockSize, file) == kSplBlockSize;
    }
    ok = ok && splFileSync(file);
    ok = splFileClose(file) == 0 && ok;
    ok = ok && splFileReplace(fresh.c_str(), d->path.c_str());
    if (!ok) splFileRemove(fresh.c_str());
    return ok;
}

// The entry whose key equals key up to marks, or null.
template <typename Dict>
auto findEntry(Dict* d, const std::string& key) -> decltype(&d->blocks[0].entries[0]) {
    auto& leaf = d->blocks[leafFor(d, key, nullptr)];
    for (auto& e : leaf.entries) {
        int order = splUserDictKeyOrder(key, e.key);
        if (order == 0) return &e;
        if (order < 0) break;
    }
    return nullptr;
}

// Visits the entries whose keys start with the two bin bytes, over the linked leaves, until the
// visitor answers false.
template <typename Visit>
void walkBin(const SplUserDict* d, const u8* binBytes, Visit visit) {
    std::string bin(reinterpret_cast<const char*>(binBytes), 2);
    u32 b = leafFor(d, bin, nullptr);
    for (u32 steps = 0; steps < d->blocks.size(); ++steps) {
        for (const SplUdEntry& e : d->blocks[b].entries) {
            int order = e.key.compare(0, 2, bin);
            if (order < 0) continue;
            if (order > 0 || !visit(e)) return;
        }
        if (d->blocks[b].link == kUdNoLink) return;
        b = d->blocks[b].link;
    }
}

// Looks through the key's bin for an entry that is the form with accents restored.
bool accentRestored(const SplUserDict* d, const u8* key, u32 shape, u16* value) {
    bool found = false;
    walkBin(d, key, [&](const SplUdEntry& e) {
        if (splPhonKeyCompare(key, reinterpret_cast<const u8*>(e.key.c_str()), shape, d->phon) != 0) return true;
        *value = e.value;
        found = true;
        return false;
    });
    return found;
}

std::string keyOf(const u8* key) { return std::string(reinterpret_cast<const char*>(key)); }

SplUserDict* fail(SplUserDict* d, SplFile* file, u32* error, u32 code) {
    if (file != nullptr) splFileClose(file);
    delete d;
    *error = code;
    return nullptr;
}

}  // namespace

bool splUserDictParse(const u8* data, size_t size, std::vector<SplUdBlock>* blocks, u8* format, u8* language) {
    size_t count = size / kSplBlockSize;
    while (count > 1 && readLE16(data + (count - 1) * kSplBlockSize) == 0 && readLE16(data + (count - 1) * kSplBlockSize + 2) == 0)
        --count;
    if (count == 0 || count > kUdMaxBlocks) return false;
    if (data[1] == 0) {
        *format = kUdOldFormat;
        *language = data[0];
    } else {
        *format = data[0];
        *language = data[1];
    }
    blocks->assign(count, SplUdBlock{});
    for (size_t i = 0; i < count; ++i)
        if (!decode(data + i * kSplBlockSize, u32(i), u32(count), &(*blocks)[i])) return false;
    return checkTree(*blocks);
}

SplUserDict* splUserDictOpen(const char* name, u32 mode, const SplPhonTable* phon, u32* error) {
    *error = kSplErrNone;
    auto* d = new (std::nothrow) SplUserDict;
    if (d == nullptr) {
        *error = kSplErrNoMemory;
        return nullptr;
    }
    d->phon = phon;
    d->language = phon->language;
    d->path = name;
    if (mode & kUdModeCreate) {
        // Only a file that is not there yet is made: an existing one is never truncated. The
        // new dictionary is written whole under "<name>.new" and only then takes its name, so
        // that a kill never leaves a part-written dictionary under it.
        if (SplFile* existing = splFileOpen(name, kSplFileReadOnly)) {
            splFileClose(existing);
            return fail(d, nullptr, error, kSplErrOpen);
        }
        const std::string fresh = d->path + ".new";
        if (!splFileRemove(fresh.c_str())) return fail(d, nullptr, error, kSplErrOpen);
        SplFile* file = splFileOpen(fresh.c_str(), kSplFileCreate);
        if (file == nullptr) return fail(d, nullptr, error, kSplErrOpen);
        SplUdBlock root;
        root.entries.push_back({0, std::string(2, char(phon->words[2]))});
        d->blocks.push_back(root);
        u8 image[kSplBlockSize];
        encode(d->blocks[0], 0, d, image);
        bool written = splFileWrite(image, kSplBlockSize, file) == kSplBlockSize && splFileSync(file);
        written = splFileClose(file) == 0 && written;
        if (!written) {
            splFileRemove(fresh.c_str());
            return fail(d, nullptr, error, kSplErrRead);
        }
        if (!splFileMoveToFreeName(fresh.c_str(), name)) {
            // Another writer made the dictionary meanwhile: theirs stays.
            splFileRemove(fresh.c_str());
            return fail(d, nullptr, error, kSplErrOpen);
        }
        // Bit 128 of the mode shares its place with the failed-write bit of the state.
        d->state = u8(mode & ~(kUdModeCreate | kUdModeKeepOld));
        return d;
    }
    SplFile* file = (mode & kUdModeReadOnly) ? nullptr : splFileOpen(name, kSplFileReadWrite);
    if (file == nullptr) {
        file = splFileOpen(name, kSplFileReadOnly);
        if (file == nullptr) return fail(d, nullptr, error, kSplErrOpen);
        mode |= kUdModeReadOnly;
    }
    i64 size = splFileLength(file);
    if (size < i64(kSplBlockSize) || size > i64(kUdMaxBlocks) * kSplBlockSize) return fail(d, file, error, kSplErrRead);
    std::vector<u8> data(size_t(size / kSplBlockSize) * kSplBlockSize);
    if (splFileSeek(0, file) != 0 || !splReadExactly(data.data(), u32(data.size()), file))
        return fail(d, file, error, kSplErrRead);
    splFileClose(file);
    u8 format = 0, language = 0;
    bool parsed = splUserDictParse(data.data(), data.size(), &d->blocks, &format, &language);
    if (format != kUdFormat && format != kUdOldFormat) return fail(d, nullptr, error, kSplErrVersion);
    if (!parsed) return fail(d, nullptr, error, kSplErrRead);
    if (language != phon->language) return fail(d, nullptr, error, kSplErrLanguage);
    d->format = format;
    d->state = u8(mode & ~kUdModeKeepOld);
    if (format == kUdOldFormat && (mode & kUdModeKeepOld)) {
        d->format = kUdOldFormatKept;
    } else if (format == kUdOldFormat && !(mode & kUdModeReadOnly)) {
        // An upgrade that cannot be written leaves the old file as it is and the words
        // readable; only additions are refused, as after any failed write.
        if (save(d)) d->format = kUdFormat;
        else d->state |= kUdStateFailed;
    }
    return d;
}

int splUserDictClose(SplUserDict* dict) {
    delete dict;
    return 1;
}

int splUserDictSearch(const u8* key, const SplUserDict* dict, u16* value) {
    const SplUdEntry* e = findEntry(dict, keyOf(key));
    if (e == nullptr) return 0;
    *value = e->value;
    return 1;
}

namespace {

// Adds or replaces an entry in memory; false when the dictionary would outgrow its blocks.
bool place(SplUserDict* d, const std::string& k, u16 value) {
    std::vector<u32> path;
    u32 current = leafFor(d, k, &path);
    std::string newKey = k;
    u16 newValue = value;
    for (;;) {
        SplUdBlock& b = d->blocks[current];
        size_t i = 0;
        while (i < b.entries.size() && splUserDictKeyOrder(b.entries[i].key, newKey) < 0) ++i;
        // An entry whose key is equal up to marks is replaced, marks and all.
        if (i < b.entries.size() && splUserDictKeyOrder(b.entries[i].key, newKey) == 0) b.entries[i] = {newValue, newKey};
        else b.entries.insert(b.entries.begin() + long(i), SplUdEntry{newValue, newKey});
        bool appended = i + 1 == b.entries.size();
        if (encodedSize(b) <= kSplBlockSize) break;
        if (d->blocks.size() + 2 > kUdMaxBlocks) return false;
        // Split: the entries from the first that ends past the half move to a new block.
        u32 size = kHeader;
        std::string previous;
        size_t cut = 0;
        while (cut < b.entries.size()) {
            size += entrySize(previous, b.entries[cut].key);
            if (size > ((d->state & kUdModeFill) && appended ? kSplBlockSize : kSplitAt)) break;
            previous = b.entries[cut++].key;
        }
        if (cut == 0) cut = 1;
        SplUdBlock right;
        right.leaf = b.leaf;
        right.entries.assign(b.entries.begin() + long(cut), b.entries.end());
        b.entries.resize(cut);
        u32 rightNumber = u32(d->blocks.size());
        right.link = b.leaf ? (current == 0 ? kUdNoLink : b.link) : kUdNoLink;
        if (b.leaf) b.link = u16(rightNumber);
        std::string separator = right.entries.front().key;
        d->blocks.push_back(std::move(right));
        if (current == 0) {
            // The root's first half moves to a block of its own; block 0 becomes the parent.
            u32 leftNumber = u32(d->blocks.size());
            SplUdBlock left = d->blocks[0];
            d->blocks.push_back(std::move(left));
            SplUdBlock root;
            root.leaf = false;
            root.entries.push_back({u16(leftNumber), d->blocks[leftNumber].entries.front().key});
            root.entries.push_back({u16(rightNumber), separator});
            d->blocks[0] = std::move(root);
            break;
        }
        newKey = separator;
        newValue = u16(rightNumber);
        current = path.back();
        path.pop_back();
    }
    return true;
}

bool writable(const SplUserDict* d) { return !(d->state & (kUdStateFailed | kUdModeReadOnly)); }

bool validKey(const std::string& k) { return !k.empty() && k.size() <= size_t(kSplMaxKey); }

// Keeps the changes when the dictionary is saved; otherwise puts back what it held before, so
// that a word that cannot be written is not kept in memory either.
int commit(SplUserDict* d, std::vector<SplUdBlock>* before, bool changed) {
    if (changed && save(d)) return 1;
    d->blocks = std::move(*before);
    if (changed) d->state |= kUdStateFailed;
    return 0;
}

// A word pair's left half loses its own class: from now on it is only corrected, to the right
// half. False when the left half cannot be a word.
bool clearLeftHalf(SplUserDict* d, const u8* pair) {
    u8 left[kSplMaxWord];
    size_t n = 0;
    for (const u8* p = pair; *p != 0 && *p != kSplLrSep; ++p) {
        if (*p >= 4 && *p <= 6) continue;
        if (n + 1 >= sizeof left) return false;
        left[n++] = *p;
    }
    left[n] = 0;
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(left, form, d->language);
    if (flags == 0) return false;
    if (flags & kIwVerbatim) {
        if (u8* cut = reinterpret_cast<u8*>(std::strchr(reinterpret_cast<char*>(form), kSplLrSep))) *cut = 0;
    }
    u8 key[kSplMaxKey + 1];
    if (splUserDictKey(form, key, d->phon) == 0) return false;
    if (SplUdEntry* e = findEntry(d, keyOf(key))) e->value = 0;
    return true;
}

}  // namespace

int splUserDictInsert(const u8* key, u16 value, SplUserDict* d) {
    std::string k = keyOf(key);
    if (!writable(d) || !validKey(k)) return 0;
    std::vector<SplUdBlock> before = d->blocks;
    return commit(d, &before, place(d, k, value));
}

int splUserDictKey(const u8* stored, u8* key, const SplPhonTable* phon) {
    u8 plain[kSplMaxKey + 1];
    size_t n = 0;
    bool marked = false;
    const u8* p = stored;
    for (; *p != 0 && *p != kSplLrSep; ++p) {
        if (*p >= 4 && *p <= 7) {
            marked = true;
            continue;
        }
        if (n >= size_t(kSplMaxKey)) return 0;
        plain[n++] = *p;
    }
    plain[n] = 0;
    u8 codes[kSplMaxKey + 1];
    int length = splWordToKey(plain, codes, 0, phon);
    if (length == 0) return 0;
    int out = 2;
    key[0] = codes[0];
    key[1] = codes[1];
    int c = 2;
    auto put = [&](u8 v) {
        if (out < kSplMaxKey) key[out] = v;
        ++out;
    };
    if (marked) {
        // Each letter takes the next code and the letterless codes after it; a mark sits
        // between them as 1-3 (mark 7 is not kept).
        for (const u8* q = stored; *q != 0 && *q != kSplLrSep; ++q) {
            if (*q >= 4 && *q <= 6) put(u8(*q - 3));
            if (*q >= 4 && *q <= 7) continue;
            if (c < length) put(codes[c++]);
            while (c < length && codes[c] != phon->words[3] && codes[c] < splPhonLetterCount(phon) &&
                   phon->pairs[2 * codes[c]] == kPairCodeNone)
                put(codes[c++]);
        }
    }
    while (c < length) put(codes[c++]);
    if (*p == kSplLrSep) {
        put(kSplKeySpelled);
        for (const u8* q = p + 1; *q != 0; ++q) put(*q);
    }
    if (out > kSplMaxKey) return 0;
    key[out] = 0;
    return out;
}

int splUserDictAddWord(const u8* word, SplUserDict* dict) {
    if (word == nullptr || word[0] == 0 || std::strlen(reinterpret_cast<const char*>(word)) >= size_t(kSplShapeOutSize))
        return 0;
    int kind = splEntryKind(word);
    u8 form[kSplShapeOutSize];
    u32 flags = kind == 3 ? pair_dof(word, form, dict->language)
              : kind == 2 ? hyph_dof(word, form, dict->language)
                          : doflags(word, form, dict->language);
    u8 key[kSplMaxKey + 1];
    if (flags == 0 || splUserDictKey(form, key, dict->phon) == 0 || !writable(dict)) return 0;
    std::vector<SplUdBlock> before = dict->blocks;
    if (kind == 3 && !clearLeftHalf(dict, word)) {
        dict->blocks = std::move(before);
        return 0;
    }
    return commit(dict, &before, place(dict, keyOf(key), u16(flags)));
}

int splUserDictVerify(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* d = static_cast<SplUserDict*>(lexicon);
    bool tolerant = *near > 0;
    *near = 0;
    *wordClass = 0;
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(word, form, d->language);
    u8 key[kSplMaxKey + 1];
    u16 value = 0;
    if (flags == 0 || splUserDictKey(form, key, d->phon) == 0) return 0;
    if (!splUserDictSearch(key, d, &value)) {
        if (!tolerant || !splAltAccApplies(word, flags, d->language) || !accentRestored(d, key, flags, &value))
            return 0;
        *near = 1;
    }
    // A cleared entry (the left half of a word pair) is no word of its own.
    u32 cls = value;
    if (cls == 0 || !compatfl(flags, cls)) return 0;
    *wordClass = cls;
    return 1;
}

void splUserDictCandidates(const u8* stem, u32, void* lexicon, SplCorrectReq* req) {
    auto* d = static_cast<SplUserDict*>(lexicon);
    SplProxParams p;
    if (!splProxSetup(stem, false, d->phon, req, &p)) return;
    walkBin(d, p.bin, [&](const SplUdEntry& e) {
        u8 codes[2] = {u8(e.value), 0};
        splProxCompare(reinterpret_cast<const u8*>(e.key.c_str()), codes, &p);
        return true;
    });
}
