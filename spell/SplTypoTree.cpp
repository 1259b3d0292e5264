#include "spell/SplTypoTree.h"

#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplCorrect.h"
#include "spell/SplSpecials.h"

namespace {

struct Step {
    u8 next;
    u8 action;  // bit 0 consume the candidate's letter; bit 1 advance one typed letter, bit 2 two
};

constexpr u8 kNone = 0;
constexpr u8 kNoResult = 6;

// Columns: c differs from both typed letters | equals only the next | equals only the current |
// equals both.
constexpr Step kTable[13][4] = {
    {{1, 1}, {3, 1}, {0, 3}, {0, 3}},  {{0, 0}, {9, 5}, {10, 3}, {2, 3}}, {{0, 0}, {9, 5}, {10, 3}, {2, 3}},
    {{11, 4}, {4, 2}, {6, 2}, {0, 0}}, {{0, 0}, {0, 0}, {9, 3}, {5, 3}},  {{0, 0}, {11, 5}, {9, 3}, {5, 3}},
    {{8, 1}, {7, 3}, {0, 0}, {0, 0}},  {{0, 0}, {11, 5}, {12, 3}, {7, 3}}, {{0, 0}, {12, 5}, {10, 3}, {8, 3}},
    {{0, 0}, {0, 0}, {9, 3}, {9, 3}},  {{0, 0}, {0, 0}, {10, 3}, {10, 3}}, {{0, 0}, {0, 0}, {11, 3}, {11, 3}},
    {{0, 0}, {0, 0}, {12, 3}, {12, 3}},
};
constexpr u8 kResult[13] = {0, 6, 3, 2, 6, 6, 6, 6, 6, 4, 3, 2, 1};

struct Walk {
    const SplTrieLexicon* lex;
    const u8* unaccent;
    u8 typed[kTrieMaxWord + 2];
    u32 length;
    u8 candidate[kTrieMaxWord + 1];
    SplTypoReport report;
    void* arg;
    u32 reports;
};

void visitList(Walk* w, const SplTrieNode* above, u32 depth, u8 state, u32 pos);

// The candidate's current byte c (0 for the end of a word, whose class is cls) meets the typed
// word at pos in the given state.
void visit(Walk* w, const SplTrieNode* node, u8 c, u8 cls, u32 depth, u8 state, u32 pos) {
    for (;;) {
        u8 w0 = pos < w->length ? w->typed[pos] : 0;
        u8 w1 = pos + 1 < w->length ? w->typed[pos + 1] : 0;
        u8 folded = w->unaccent[c];
        const Step& step = kTable[state][(folded == w0 ? 2 : 0) + (folded == w1 ? 1 : 0)];
        if (step.action == kNone) return;
        u32 advance = (step.action & 4) ? 2 : (step.action & 2) ? 1 : 0;
        if (!(step.action & 1)) {
            state = step.next;
            pos += advance;
            continue;
        }
        if (c == 0) {
            if (kResult[step.next] != kNoResult) {
                w->candidate[depth] = 0;
                w->report(w->arg, w->candidate, cls, kResult[step.next]);
                ++w->reports;
            }
            return;
        }
        if (depth >= kTrieMaxWord) return;
        w->candidate[depth] = c;
        if (node->classCount > 0) visit(w, node, 0, node->classes[0], depth + 1, step.next, pos + advance);
        if (node->hasChildren) visitList(w, node, depth + 1, step.next, pos + advance);
        return;
    }
}

// The list under above (null: the top-level list).
void visitList(Walk* w, const SplTrieNode* above, u32 depth, u8 state, u32 pos) {
    SplTrieNode node;
    for (bool ok = splTrieFirstNode(w->lex, above, &node); ok; ok = splTrieNextNode(w->lex, &node))
        visit(w, &node, node.letter, 0, depth, state, pos);
}

void toRequest(void* arg, const u8* candidate, u8 cls, u32 kind) {
    splCorrTierCallback(static_cast<SplCorrectReq*>(arg), candidate, cls, kind, 0);
}

void specialToRequest(void* arg, const u8* replacement, u8 cls, u32 kind, u32 penalty) {
    splCorrTierCallback(static_cast<SplCorrectReq*>(arg), replacement, cls, kind, penalty);
}

}  // namespace

u32 splTspTypoStart(const u8* word, const SplTrieLexicon* lex, SplTypoReport report, void* arg) {
    const u8* unaccent = splUnaccentTable(lex->language);
    size_t n = std::strlen(reinterpret_cast<const char*>(word));
    if (unaccent == nullptr || n == 0 || n > kTrieMaxWord) return 0;
    Walk w{lex, unaccent, {}, u32(n), {}, report, arg, 0};
    for (size_t i = 0; i < n; ++i) w.typed[i] = unaccent[word[i]];
    visitList(&w, nullptr, 0, 0, 0);
    return w.reports;
}

void splTrieTypoCandidates(void* lexicon, const u8* stem, SplCorrectReq* req) {
    const auto* lex = static_cast<const SplTrieLexicon*>(lexicon);
    splTspTypoStart(stem, lex, toRequest, req);
    splSpecialsCorrect(stem, lex, specialToRequest, req);
}
