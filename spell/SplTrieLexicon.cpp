#include "spell/SplTrieLexicon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "spell/SplCharSets.h"
#include "spell/SplCompat.h"
#include "spell/SplShape.h"

namespace {

constexpr u8 kPairSeparator = 8;

struct Cursor {
    const u8* data;
    u32 size;
    u32 at = 0;
    bool failed = false;
    const u8* take(u32 n) {
        if (failed || size - at < n) {
            failed = true;
            return nullptr;
        }
        const u8* p = data + at;
        at += n;
        return p;
    }
    u32 u8v() {
        const u8* p = take(1);
        return p ? *p : 0;
    }
    u32 u16v() {
        const u8* p = take(2);
        return p ? readLE16(p) : 0;
    }
};

u32 linear(SplTriePos p) { return p.bank * kTrieBankNibbles + p.pos; }

u32 streamEnd(const SplTrieLexicon* lex) { return (lex->bankCount - 1) * kTrieBankNibbles + lex->lastBankNibbles; }

struct NibbleStream {
    const SplTrieLexicon* lex;
    SplTriePos p;
    bool failed = false;

    u32 next() {
        u32 limit = p.bank + 1 == lex->bankCount ? lex->lastBankNibbles : kTrieBankNibbles;
        if (failed || p.bank >= lex->bankCount || p.pos >= limit) {
            failed = true;
            return 0;
        }
        u8 b = lex->banks[p.bank * (kTrieBankNibbles / 2) + p.pos / 2];
        u32 v = p.pos % 2 == 0 ? u32(b >> 4) : u32(b & 15);
        if (++p.pos == kTrieBankNibbles) {
            ++p.bank;
            p.pos = 0;
        }
        return v;
    }
    u32 number(int nibbles) {
        u32 v = 0;
        for (int i = 0; i < nibbles; ++i) v = v << 4 | next();
        return v;
    }
    // Moves on by n nibbles, within the stream.
    void skip(u32 n) {
        u32 to = linear(p) + n;
        if (to > streamEnd(lex)) {
            failed = true;
            return;
        }
        p = SplTriePos{to / kTrieBankNibbles, to % kTrieBankNibbles};
    }
};

// The body of a node (after its start nibble), the start's kind given.
bool readBody(const SplTrieLexicon* lex, NibbleStream* s, u32 kind, SplTrieNode* node) {
    // A run of 15s past the letter table is damage; reading on to its end would make every read
    // of the node cost the run's length.
    u32 letter = 0, n = 0;
    do {
        n = s->next();
        letter += n;
    } while (n == 15 && !s->failed && letter < lex->letterCount);
    if (s->failed || letter >= lex->letterCount) return false;
    node->index = letter;
    node->letter = lex->letters[letter];
    node->classCount = 0;
    if (kind == kTriePair || kind == kTriePairInner) {
        u32 index = s->number(4);
        if (s->failed || index >= lex->pairCount) return false;
        node->classes[0] = lex->pairs[2 * index];
        node->classes[1] = lex->pairs[2 * index + 1];
        node->classCount = 2;
    } else if (kind == kTrieInline || kind == kTrieInlineInner) {
        node->classCount = s->next();
        if (node->classCount == 0 || node->classCount > kTrieMaxClasses) return false;
        for (u32 i = 0; i < node->classCount; ++i) node->classes[i] = u8(s->number(2));
    }
    node->hasChildren = kind == kTrieInner || kind == kTriePairInner || kind == kTrieInlineInner;
    if (node->hasChildren) {
        u32 length = s->number(6);
        node->children = s->p;
        node->childrenEnd = linear(s->p) + length;
        if (length == 0) return false;
        s->skip(length);
    }
    return !s->failed;
}

// Reads the node at p of a list that ends at listEnd, after a sibling of letter index previous
// (-1 for the first); false where the node breaks the rules of the layout.
bool readAt(const SplTrieLexicon* lex, SplTriePos p, u32 listEnd, int previous, SplTrieNode* node) {
    NibbleStream s{lex, p};
    u32 start = s.next();
    node->at = p;
    node->last = (start & kTrieLast) != 0;
    node->listEnd = listEnd;
    u32 kind = start & 7;
    if (kind == kTrieShared) {
        u32 index = s.number(4);
        if (s.failed || index >= lex->sharedCount) return false;
        node->next = s.p;
        node->shared = int(index);
        NibbleStream target{lex, SplTriePos{readLE16(lex->shared + 4 * index), readLE16(lex->shared + 4 * index + 2)}};
        u32 targetKind = target.next() & 7;
        // A body that reaches the reference could hold it, and its walk come back here.
        if (target.failed || targetKind == kTrieShared || targetKind > kTrieInlineInner ||
            !readBody(lex, &target, targetKind, node) || linear(target.p) > linear(p))
            return false;
    } else {
        if (kind > kTrieInlineInner || !readBody(lex, &s, kind, node)) return false;
        node->next = s.p;
        node->shared = -1;
    }
    return linear(node->next) <= listEnd && int(node->index) > previous;
}

// Sizes up the tree as the walkers see it: each shared subtree is read once, its size and
// height kept, and counted at every use.
struct Census {
    const SplTrieLexicon* lex;
    u64 reads = 0;
    u64 readLimit = 0;
    std::vector<u64> sharedNodes;   // per shared entry: the nodes below it, 0 when not read yet
    std::vector<u32> sharedHeight;  // and the letters of its longest path below

    // The nodes and the longest path (in letters) of the list under parent (null: the top-level
    // list), whose nodes stand at depth; false when the tree is too large or too deep or takes
    // too many reads.
    bool measure(const SplTrieNode* parent, u32 depth, u64* nodes, u32* height) {
        *nodes = 0;
        *height = 0;
        SplTrieNode node;
        for (bool ok = splTrieFirstNode(lex, parent, &node); ok; ok = splTrieNextNode(lex, &node)) {
            if (++reads > readLimit || depth >= kTrieMaxWord) return false;
            u64 below = 0;
            u32 deeper = 0;
            if (node.shared >= 0 && sharedNodes[u32(node.shared)] > 0) {
                below = sharedNodes[u32(node.shared)] - 1;
                deeper = sharedHeight[u32(node.shared)];
            } else if (node.hasChildren && !measure(&node, depth + 1, &below, &deeper)) {
                return false;
            }
            if (node.shared >= 0) {
                sharedNodes[u32(node.shared)] = below + 1;
                sharedHeight[u32(node.shared)] = deeper;
            }
            *nodes += 1 + below;
            *height = std::max(*height, deeper + 1);
            if (*nodes > kTrieMaxNodes || depth + *height > kTrieMaxWord) return false;
        }
        return true;
    }
};

// Walks form's letters down from the top level; the classes stored where it ends.
u32 descend(const SplTrieLexicon* lex, const u8* form, u8* classes) {
    const u8* rest = form;
    SplTrieNode node, parent;
    for (u32 depth = 0; depth < kTrieMaxDepth; ++depth) {
        bool found = splTrieFirstNode(lex, depth == 0 ? nullptr : &parent, &node);
        while (found && node.letter != *rest) found = splTrieNextNode(lex, &node);
        if (!found) return 0;
        ++rest;
        if (*rest == 0) {
            std::memcpy(classes, node.classes, node.classCount);
            return node.classCount;
        }
        parent = node;
    }
    return 0;
}

bool compatibleClass(u32 flags, const u8* classes, u32 count, u32* wordClass) {
    for (u32 i = 0; i < count; ++i)
        if (compatfl(flags, classes[i])) {
            *wordClass = classes[i];
            return true;
        }
    return false;
}

// The suffix variants of form: for each rule whose ending form carries, the stem with its
// stem ending, accepted when stored with the rule's class and that class fits the flags.
bool suffixVariant(const SplTrieLexicon* lex, u32 flags, const u8* form, u32* wordClass) {
    Cursor c{lex->suffixes, lex->suffixSize};
    u32 length = u32(std::strlen(reinterpret_cast<const char*>(form)));
    for (u32 r = 0; r < lex->suffixCount; ++r) {
        u32 n = c.u8v();
        const u8* ending = c.take(n);
        u32 m = c.u8v();
        const u8* stemEnding = c.take(m);
        u32 ruleClass = c.u8v();
        if (c.failed) return false;
        if (n >= length || length - n + m > kTrieMaxWord || std::memcmp(form + length - n, ending, n) != 0) continue;
        u8 stem[kTrieMaxWord + 1];
        std::memcpy(stem, form, length - n);
        std::memcpy(stem + length - n, stemEnding, m);
        stem[length - n + m] = 0;
        u8 classes[kTrieMaxClasses];
        u32 count = descend(lex, stem, classes);
        for (u32 i = 0; i < count; ++i)
            if (classes[i] == ruleClass && compatfl(flags, ruleClass)) {
                *wordClass = ruleClass;
                return true;
            }
    }
    return false;
}

// The encoder's states form a tree laid out parents first, no deeper than kTspMaxPattern; its
// outputs name codes, none or one of its strings, each string of valid (output, letter) pairs
// ended inside the area.
bool checkEncoder(SplTrieLexicon* lex) {
    const u8* at = lex->encoderStrings;
    const u8* end = at + lex->encoderStringSize;
    while (at < end) {
        while (at < end && *at != 0) {
            if (!((*at >= 16 && *at <= 31) || *at == kTspNoOutput) || end - at < 2) return false;
            at += 2;
        }
        if (at == end) return false;
        ++at;
        ++lex->encoderStringCount;
    }
    std::vector<u8> depth(lex->encoderStates, 0);
    for (u32 s = 0; s < lex->encoderStates; ++s) {
        const u8* state = lex->encoder + kTspStateSize * s;
        u8 output = state[1];
        bool code = output >= 16 && output <= 31;
        bool string = output >= kTspFirstString && u32(output - kTspFirstString) < lex->encoderStringCount;
        if (!code && !string && output != kTspNoOutput) return false;
        u32 first = readLE16(state + 2), count = state[4];
        if (count == 0) continue;
        if (first <= s || first + count > lex->encoderStates || depth[s] >= kTspMaxPattern) return false;
        for (u32 c = first; c < first + count; ++c) depth[c] = u8(depth[s] + 1);
        lex->longestPattern = std::max<u32>(lex->longestPattern, depth[s] + 1u);
    }
    return lex->encoderStates > 0 && lex->encoder[4] > 0;
}

// Every special word lies inside the pool with its class byte, replacement and both NULs, and
// the table is sorted by word.
bool checkSpecials(const SplTrieLexicon* lex) {
    const u8* previous = nullptr;
    for (u32 i = 0; i < lex->specialCount; ++i) {
        u32 at = readLE16(lex->specialOffsets + 2 * i);
        if (at == 0 || at >= lex->specialPoolSize) return false;
        const u8* word = lex->specialPool + at;
        u32 room = lex->specialPoolSize - at;
        const u8* nul = static_cast<const u8*>(std::memchr(word, 0, room));
        if (nul == nullptr || nul == word || u32(nul - word) > kTrieMaxWord) return false;
        u32 rest = room - u32(nul - word) - 1;
        const u8* end = static_cast<const u8*>(std::memchr(nul + 1, 0, rest));
        if (end == nullptr || u32(end - nul - 1) > kTrieMaxWord) return false;
        if (previous != nullptr &&
            std::strcmp(reinterpret_cast<const char*>(previous), reinterpret_cast<const char*>(word)) > 0)
            return false;
        previous = word;
    }
    return true;
}

bool lookUp(const SplTrieLexicon* lex, u32 flags, const u8* form, u32* wordClass) {
    u8 classes[kTrieMaxClasses];
    u32 count = splTrieFetch(lex, form, classes);
    return compatibleClass(flags, classes, count, wordClass) || suffixVariant(lex, flags, form, wordClass);
}

}  // namespace

bool splTrieInit(SplTrieLexicon* lex, int language, const u8* image, u32 size) {
    *lex = SplTrieLexicon{};
    lex->language = u8(language);
    Cursor c{image, size};
    lex->letterCount = c.u16v();
    lex->letters = c.take(lex->letterCount);
    lex->pairCount = c.u16v();
    lex->pairs = c.take(2 * lex->pairCount);
    lex->sharedCount = c.u16v();
    lex->shared = c.take(4 * lex->sharedCount);
    lex->suffixCount = c.u8v();
    u32 suffixStart = c.at;
    for (u32 r = 0; r < lex->suffixCount && !c.failed; ++r) {
        c.take(c.u8v());
        c.take(c.u8v());
        c.u8v();
    }
    if (c.failed) return false;
    lex->suffixes = image + suffixStart;
    lex->suffixSize = c.at - suffixStart;
    lex->encoderStates = c.u16v();
    if (lex->encoderStates > 0) {
        lex->encoder = c.take(kTspStateSize * lex->encoderStates);
        lex->encoderStringSize = c.u16v();
        lex->encoderStrings = c.take(lex->encoderStringSize);
        if (c.failed || !checkEncoder(lex)) return false;
    }
    lex->specialCount = c.u16v();
    lex->specialPoolSize = c.u16v();
    lex->specialOffsets = c.take(2 * lex->specialCount);
    lex->specialPool = c.take(lex->specialPoolSize);
    if (c.failed || (lex->specialCount > 0 && !checkSpecials(lex))) return false;
    lex->rootBank = c.u16v();
    lex->rootPos = c.u16v();
    lex->bankCount = c.u16v();
    lex->lastBankNibbles = c.u16v();
    if (c.failed || lex->letterCount == 0 || lex->letterCount > 255 || lex->bankCount == 0 || lex->bankCount > 255 ||
        lex->lastBankNibbles == 0 || lex->lastBankNibbles > kTrieBankNibbles)
        return false;
    u32 bytes = (lex->bankCount - 1) * (kTrieBankNibbles / 2) + (lex->lastBankNibbles + 1) / 2;
    lex->banks = c.take(bytes);
    if (c.failed || c.at != size) return false;
    for (u32 i = 0; i < lex->sharedCount; ++i) {
        u32 bank = readLE16(lex->shared + 4 * i), pos = readLE16(lex->shared + 4 * i + 2);
        if (bank >= lex->bankCount || pos >= kTrieBankNibbles) return false;
    }
    if (lex->rootBank >= lex->bankCount || lex->rootPos >= kTrieBankNibbles) return false;
    Census census{lex, 0, streamEnd(lex) / 2, std::vector<u64>(lex->sharedCount, 0),
                  std::vector<u32>(lex->sharedCount, 0)};
    u64 nodes = 0;
    u32 height = 0;
    return census.measure(nullptr, 0, &nodes, &height);
}

bool splTrieFirstNode(const SplTrieLexicon* lex, const SplTrieNode* parent, SplTrieNode* node) {
    if (parent == nullptr) return readAt(lex, SplTriePos{lex->rootBank, lex->rootPos}, streamEnd(lex), -1, node);
    return parent->hasChildren && readAt(lex, parent->children, parent->childrenEnd, -1, node);
}

bool splTrieNextNode(const SplTrieLexicon* lex, SplTrieNode* node) {
    SplTrieNode next;
    if (node->last || !readAt(lex, node->next, node->listEnd, int(node->index), &next)) return false;
    *node = next;
    return true;
}

void splTrieToRoot(SplTrieWalker* w, const SplTrieLexicon* lex) {
    w->lex = lex;
    w->depth = 0;
}

bool splTrieHasChildren(const SplTrieWalker* w) { return w->depth == 0 || w->frames[w->depth - 1].hasChildren; }

bool splTrieFirstChild(SplTrieWalker* w) {
    if (w->depth >= kTrieMaxDepth || !splTrieHasChildren(w)) return false;
    const SplTrieNode* parent = w->depth == 0 ? nullptr : &w->frames[w->depth - 1];
    if (!splTrieFirstNode(w->lex, parent, &w->frames[w->depth])) return false;
    ++w->depth;
    return true;
}

bool splTrieNextSibling(SplTrieWalker* w) { return w->depth > 0 && splTrieNextNode(w->lex, &w->frames[w->depth - 1]); }

bool splTrieUp(SplTrieWalker* w) {
    if (w->depth == 0) return false;
    --w->depth;
    return true;
}

u32 splTrieFetch(const SplTrieLexicon* lex, const u8* form, u8* classes) {
    if (form[0] == 0) return 0;
    return descend(lex, form, classes);
}

int splTrieVerify(const u8* word, void* lexicon, u32* near, u32* wordClass) {
    auto* lex = static_cast<SplTrieLexicon*>(lexicon);
    bool tolerant = *near > 0;
    *near = 0;
    *wordClass = 0;
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(word, form, lex->language);
    if (flags == 0) return 0;
    const u8* right = form;
    for (const u8* p = form; *p != 0; ++p)
        if (*p == kPairSeparator) right = p + 1;
    if (std::strlen(reinterpret_cast<const char*>(right)) > kTrieMaxWord) return 0;
    if (lookUp(lex, flags, right, wordClass)) return 1;
    const u8* unaccent = splUnaccentTable(lex->language);
    if (!tolerant || (flags & kIwVerbatim) || unaccent == nullptr) return 0;
    u8 folded[kSplShapeOutSize];
    u32 n = 0;
    for (; right[n] != 0; ++n) folded[n] = unaccent[right[n]];
    folded[n] = 0;
    if (std::memcmp(folded, right, n) == 0 || !lookUp(lex, flags, folded, wordClass)) return 0;
    *near = 1;
    return 1;
}
