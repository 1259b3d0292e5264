#pragma once
// The letter-tree lexicon (kind 7): lookup forms (as doflags makes them) in a tree of letters,
// kept as a nibble stream in banks. Layout, numbers little-endian:
//   u16        letter count L (1-255), then L bytes: the letter table, most used first
//   u16        class pair count P, then P x 2 bytes: pairs of class codes
//   u16        shared node count S, then S x (u16 bank, u16 position): where each shared node starts
//   u8         suffix rule count X, then X rules: u8 n, n bytes ending; u8 m, m bytes stem ending;
//              u8 class. A word ending in the ending (and longer than it) is also accepted when
//              the word less the ending plus the stem ending is stored with that class, and the
//              class accepts the word's shape.
//   u16        proximity encoder state count E (0: the lexicon offers no proximity walk), then
//              E states of 5 bytes: u8 letter (the input byte minus 'X', modulo 256); u8 output
//              (16-31 a code, 127 none, 128 + n the n-th output string); u16 first child; u8
//              child count. State 0 is the root (its letter and output unused); a state's
//              children come after it (first child above its own index) and are at most
//              kTspMaxPattern deep; then u16 output string area size and the area: strings of
//              two bytes per letter of the pattern they end, the output (16-31 or 127) and the
//              letter the code stands for (0: the input letter), each string ended by a 0
//              output byte. A single output stands for the input letter.
//   u16 u16    special word count W and pool size Z (1-0xFFFF when W > 0), W u16 offsets into
//              the pool, sorted by the word there, then the pool; at an offset o (1 or more) the
//              word (NUL-ended, 1-63 bytes) with its class byte at o - 1, then its replacement
//              (NUL-ended, empty when the word is its own correction)
//   u16 u16    bank and position of the first top-level node
//   u16 u16    bank count N (1-255) and the nibbles used in the last bank (1-0x4000)
//   banks      N-1 full banks of 0x2000 bytes (0x4000 nibbles), then the last bank's bytes
// A position counts nibbles within its bank (high nibble of a byte first) and wraps into the
// next bank at 0x4000. A node:
//   start nibble  bit 3: last of its siblings; low three bits, the kind:
//                 0 shared: four nibbles (u16, high first) index the shared node table, and the
//                   node found there stands here with its letter, classes and children (it may
//                   not itself be shared); the next sibling follows the four nibbles
//                 1 letter with children; 2 word end, class pair; 3 the same with children;
//                 4 word end, inline classes; 5 the same with children; 6 and 7 are damage
//   letter        nibbles summed while each is 15: the index in the letter table
//   classes       kinds 2, 3: four nibbles (u16) index the pair table; kinds 4, 5: a nibble n
//                 (1-3) and n class bytes of two nibbles each
//   children      kinds 1, 3, 5: six nibbles (u24) give the length in nibbles of the children
//                 list that follows them; siblings are in rising letter-index order
// Every node lies inside its list (a node's children inside its body, the top-level list inside
// the stream), and a shared node's body ends at or before every reference to it: so no walk
// can meet a node again below itself. Damaged data reads as "not found": a list ends at the
// first node that breaks these rules.
// Seen as a tree (each shared node counted at every use), the lexicon holds at most
// kTrieMaxNodes nodes and no path longer than kTrieMaxWord letters; an image whose tree is
// larger, or whose lists overlap so that reading the tree takes more than one node per two
// nibbles of the stream, is refused at open. This bounds every walk over the tree.
#include "engine/base/EngineTypes.h"

constexpr u32 kTrieBankNibbles = 0x4000;
constexpr u32 kTrieMaxClasses = 3;
constexpr u32 kTrieMaxWord = 63;
constexpr u32 kTrieMaxDepth = 64;
constexpr u32 kTrieMaxNodes = 1u << 22;
constexpr u32 kTspMaxPattern = 8;
constexpr u32 kTspStateSize = 5;
constexpr u8 kTspNoOutput = 127;
constexpr u8 kTspFirstString = 128;

// Node kinds of the start nibble.
constexpr u32 kTrieShared = 0;
constexpr u32 kTrieInner = 1;
constexpr u32 kTriePair = 2;
constexpr u32 kTriePairInner = 3;
constexpr u32 kTrieInline = 4;
constexpr u32 kTrieInlineInner = 5;
constexpr u32 kTrieLast = 8;

struct SplTrieLexicon {
    u8 kind = 7;
    u8 language = 0;
    const u8* letters = nullptr;
    u32 letterCount = 0;
    const u8* pairs = nullptr;
    u32 pairCount = 0;
    const u8* shared = nullptr;
    u32 sharedCount = 0;
    const u8* suffixes = nullptr;
    u32 suffixCount = 0;
    u32 suffixSize = 0;
    const u8* encoder = nullptr;   // the proximity encoder's states
    u32 encoderStates = 0;
    const u8* encoderStrings = nullptr;
    u32 encoderStringSize = 0;
    u32 encoderStringCount = 0;
    u32 longestPattern = 0;
    const u8* specialOffsets = nullptr;
    u32 specialCount = 0;
    const u8* specialPool = nullptr;
    u32 specialPoolSize = 0;
    u32 rootBank = 0, rootPos = 0;
    const u8* banks = nullptr;
    u32 bankCount = 0;
    u32 lastBankNibbles = 0;
};

struct SplTriePos {
    u32 bank = 0;
    u32 pos = 0;
};

// One node as the walker sees it.
struct SplTrieNode {
    SplTriePos at;        // where the node stands in its sibling list
    SplTriePos next;      // where its next sibling starts (meaningless for the last)
    SplTriePos children;  // its first child
    u32 childrenEnd = 0;  // the nibble after its children list, counted from the first bank
    u32 listEnd = 0;      // the nibble after its own sibling list
    u32 index = 0;        // its letter's place in the letter table
    int shared = -1;      // the shared table entry it was read through, or -1
    u8 letter = 0;
    bool last = false;
    bool hasChildren = false;
    u32 classCount = 0;
    u8 classes[kTrieMaxClasses] = {};
};

// The walker's stack: one frame per level, the node at that level.
struct SplTrieWalker {
    const SplTrieLexicon* lex = nullptr;
    SplTrieNode frames[kTrieMaxDepth];
    u32 depth = 0;  // 0: at the root, no node yet
};

// Checks the image's tables and addresses them; false for an inconsistent image. The record
// points into the image, which the caller keeps.
bool splTrieInit(SplTrieLexicon* lex, int language, const u8* image, u32 size);
// Reads the first node of the top-level list (parent null) or of parent's children; false when
// there is none or the data is damaged.
bool splTrieFirstNode(const SplTrieLexicon* lex, const SplTrieNode* parent, SplTrieNode* node);
// Moves node on to its next sibling; false, node unchanged, after the last or at damage.
bool splTrieNextNode(const SplTrieLexicon* lex, SplTrieNode* node);

void splTrieToRoot(SplTrieWalker* w, const SplTrieLexicon* lex);
bool splTrieHasChildren(const SplTrieWalker* w);
// Moves down to the first child (of the root when at the root); false when there is none or
// the data is damaged.
bool splTrieFirstChild(SplTrieWalker* w);
bool splTrieNextSibling(SplTrieWalker* w);
bool splTrieUp(SplTrieWalker* w);

// The classes stored for a lookup form (at most kTrieMaxClasses into classes); 0 when absent.
u32 splTrieFetch(const SplTrieLexicon* lex, const u8* form, u8* classes);
// The verify hook of kind 7.
int splTrieVerify(const u8* word, void* lexicon, u32* near, u32* wordClass);
