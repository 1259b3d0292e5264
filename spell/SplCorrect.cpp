#include "spell/SplCorrect.h"

#include <algorithm>
#include <cstring>

#include "spell/SplCharSets.h"
#include "spell/SplEnclitics.h"
#include "spell/SplSearch.h"
#include "spell/SplShape.h"

namespace {

constexpr u32 kTierScores[kCorrMaxTier + 1] = {65535, 65526, 65501, 65485, 65464, 65480};

size_t length(const u8* s) { return std::strlen(reinterpret_cast<const char*>(s)); }

bool englishLike(u32 language) { return language == 1 || language == 6 || language == 8 || language == 10; }

// The possessive ending of a word in the English-like languages: the position of "'s" or of a
// final "'"; value 1 for "'s", 0 for the bare apostrophe. -1 when there is none.
int possessive(const u8* word, u32* value) {
    size_t n = length(word);
    if (n >= 3 && word[n - 2] == '\'' && (word[n - 1] == 's' || word[n - 1] == 'S')) {
        *value = 1;
        return int(n - 2);
    }
    if (n >= 2 && word[n - 1] == '\'') {
        *value = 0;
        return int(n - 1);
    }
    return -1;
}

void prepare(const u8* word, SplCorrectReq* req) {
    size_t n = length(word);
    req->cut = n >= kSplMaxWord ? 1 : 0;
    n = std::min<size_t>(n, kSplMaxWord - 1);
    std::memcpy(req->word, word, n);
    req->word[n] = 0;
    std::memcpy(req->stem, req->word, n + 1);
    if (req->hooks && englishLike(req->language)) {
        u32 value = 0;
        int at = possessive(req->word, &value);
        if (at > 0) {
            std::memcpy(req->suffix, req->word + at, n - size_t(at) + 1);
            req->suffixValue = value;
            req->stem[at] = 0;
        }
    }
    req->threshold = 0;
}

// Prepares the slot's view of the stem: its lookup form and shape in the slot's language.
bool slotWord(SplCorrectReq* req, SplSlot* slot) {
    req->slot = slot;
    if (u32(slot->language) == req->slotLanguage && req->slotStem[0] != 0) return true;
    req->slotLanguage = u32(slot->language);
    u8 form[kSplShapeOutSize];
    u32 flags = doflags(req->stem, form, slot->language);
    req->slotStem[0] = 0;
    if (flags == 0) return false;
    u8* sep = reinterpret_cast<u8*>(std::strchr(reinterpret_cast<char*>(form), kSplLrSep));
    if ((flags & kIwVerbatim) && sep != nullptr) *sep = 0;
    size_t n = length(form);
    if (n >= kSplMaxWord) return false;
    std::memcpy(req->slotStem, form, n + 1);
    req->flagByte = flags;
    req->stemLength = u32(n);
    return true;
}

// The score a candidate needs to enter a full list; an entry of the top score there leaves no
// room above it, so the floor stays at the top score instead of passing it.
u32 listFloor(const SplCorrectReq* req) {
    return std::min(req->entries[req->order[kCorrMaxSuggestions - 1]].score + 1, kCorrTopScore);
}

bool sameEntry(const SplSuggestion& e, const u8* word, u8 cls) {
    return e.cls == cls && std::strcmp(reinterpret_cast<const char*>(e.word), reinterpret_cast<const char*>(word)) == 0;
}

bool secondary(const SplSlot* slot) { return slot != nullptr && (slot->flags & kSlotSecondary) != 0; }

u32 lessened(u32 score, const SplSlot* slot) {
    if (!secondary(slot)) return score;
    return score > kCorrSecondaryPenalty ? score - kCorrSecondaryPenalty : 0;
}

// How a candidate differs from the word typed (kCorrAccents...): whether it is the word with
// accents put on vowels written without them (a child's "abía" is no "abia", nor "vaño"
// "vano"). In Spanish a verb written without accents keeps its stress when pronouns are
// attached: "explicamelo" is "explícamelo" as "explica" is "explíca", not the "explicámelo" of
// "explicá".
u8 accentsOnly(const u8* candidate, const u8* typed, int stress, int language) {
    const u8* lower = splLowerTable(language);
    const u8* unaccent = splUnaccentTable(language);
    const u8* classes = splLetterClassTable(language);
    if (classes == nullptr || length(candidate) != length(typed)) return kCorrAccentsOther;
    bool added = false;
    for (size_t i = 0; typed[i] != 0; ++i) {
        const u8 t = lower[typed[i]], c = lower[candidate[i]];
        if (t == c) continue;
        if (unaccent[c] != t || t >= 128 || !(classes[t] & kLcVowel)) return kCorrAccentsOther;
        added = true;
    }
    if (!added) return kCorrAccentsOther;
    const bool onStress = stress >= 0 && lower[candidate[stress]] != lower[typed[stress]];
    return onStress ? kCorrAccentsOnStress : kCorrAccentsOnly;
}

// Ranks the candidates of both passes together. A child often leaves out every accent, so a word
// that differs from the word typed only by its accents comes first ("camión" before "camino").
// A word both one slip away and sounding like the word typed is what was meant far more often
// than either alone, and so is a word that sounds just as the word typed ("yave", "llave"),
// however many letters differ: it ranks above every slip that only sounds near it. A slip alone
// ranks by its kind of slip, a sound alone by how close it sounds, the closest above the slips;
// a less common word (a secondary slot's) loses the secondary penalty.
void blend(SplCorrectReq* req) {
    const int language = int(req->language);
    u8 lowered[kSplMaxWord];
    splLowerCopy(lowered, req->stem, language);
    const int stress = language == kSplLangSpanish ? splEncliticStress(lowered) : -1;
    for (u32 i = 0; i < req->count; ++i) {
        SplSuggestion& e = req->entries[i];
        e.accents = accentsOnly(e.word, req->stem, stress, language);
        const bool alike = e.typoRank > 0 || e.sound >= kCorrTopScore;
        if (e.sound > 0) e.score = e.sound + (alike ? kCorrBothBonus : 0);
        else if (e.typoRank > 0) e.score = kCorrTypoOnly - kCorrTypoStep * e.typoRank;
        else continue;
        e.score = lessened(e.score, e.slot);
    }
    std::stable_sort(req->order, req->order + req->count, [req](u8 a, u8 b) {
        const SplSuggestion &x = req->entries[a], &y = req->entries[b];
        return x.accents != y.accents ? x.accents > y.accents : x.score > y.score;
    });
}

void collect(SplCorrectReq* req) {
    SplCorrCtx* ctx = req->ctx;
    if (req->mode & kCorrModeTypo) {
        for (SplSlot* s = ctx->slots; s < ctx->end; ++s) {
            if (!(s->flags & kSlotTypo) || s->typo == nullptr || !slotWord(req, s)) continue;
            s->typo(s->lexicon, req->slotStem, req);
            if (req->stop != nullptr && req->stop()) return;
        }
        for (u32 rank = 0; rank < req->count; ++rank) req->entries[req->order[rank]].typoRank = u8(rank + 1);
        for (u32 rank = req->typoKeep; rank < req->count; ++rank)
            req->entries[req->order[rank]].score = kCorrTypoFloor - rank;
        // The floor of a full list follows its lowered scores, or every candidate of the next
        // pass would be measured against a score no entry holds any longer.
        if (req->count == kCorrMaxSuggestions) req->threshold = listFloor(req);
    }
    if (req->mode & kCorrModeCandidates) {
        req->soundPass = 1;
        for (SplSlot* s = ctx->slots; s < ctx->end; ++s) {
            if (!(s->flags & kSlotCandidates) || s->candidates == nullptr || !slotWord(req, s)) continue;
            s->candidates(req->slotStem, req->flagByte, s->lexicon, req);
            if (req->stop != nullptr && req->stop()) return;
        }
        if (req->mode & kCorrModeTypo) blend(req);
    }
}

void foldCopy(u8* out, const u8* word, int language) {
    const u8* lower = splLowerTable(language);
    const u8* unaccent = splUnaccentTable(language);
    size_t i = 0;
    for (; word[i] != 0; ++i) out[i] = unaccent[lower[word[i]]];
    out[i] = 0;
}

// The candidate as it should be written for the misspelled word: capitals where the word or the
// candidate's class has them.
void surfaceForm(const SplSuggestion& e, int language, u32 capitalise, u8* out) {
    const u8* upper = splUpperTable(language);
    size_t n = length(e.word);
    std::memcpy(out, e.word, n + 1);
    u32 shape = e.flagByte & 3;
    if (shape == kIwCaps || e.cls == kIwCaps) {
        for (size_t i = 0; i < n; ++i) out[i] = upper[out[i]];
    } else if (n > 0 && (shape == kIwProper || e.cls == kIwProper || capitalise)) {
        out[0] = upper[out[0]];
    }
}

bool allLower(const u8* word, int language) {
    const u8* types = splTypeTable(language);
    for (const u8* p = word; *p != 0; ++p)
        if (types[*p] & kCtUpper) return false;
    return true;
}

bool capitalised(const SplSuggestion& e) { return e.cls == kIwProper || e.cls == kIwCaps; }

void finish(SplCorrectReq* req) {
    int language = int(req->language);
    u8 stem[kSplMaxWord];
    foldCopy(stem, req->stem, language);
    u32 stemLength = u32(length(stem));
    u32 best = 0;
    if (req->similarity) {
        for (u32 i = 0; i < req->count; ++i) {
            SplSuggestion& e = req->entries[i];
            if (e.score >= kCorrTopScore) continue;
            u8 folded[kSplMaxWord];
            foldCopy(folded, e.word, language);
            e.score = seqlen(folded, stem, u32(length(folded)), stemLength);
            best = std::max(best, e.score);
        }
    }
    if (allLower(req->stem, language)) {
        // A word typed in small letters most likely means a word written that way: names and
        // capitalised forms follow the small-letter candidates.
        auto small = [req](u8 index) { return !capitalised(req->entries[index]); };
        std::stable_partition(req->order, req->order + req->count, small);
    }
    u32 out = 0;
    for (u32 rank = 0; rank < req->count; ++rank) {
        const SplSuggestion& e = req->entries[req->order[rank]];
        if (req->similarity && e.score == 0 && stemLength > 2) continue;
        if (i64(e.score) < i64(stemLength) - 4 || i64(e.score) < i64(best) - 2) continue;
        u8* text = req->surface[out];
        surfaceForm(e, e.slot != nullptr ? e.slot->language : language, req->capitalise, text);
        size_t n = length(text);
        size_t s = length(req->suffix);
        if (req->hooks && n + s < sizeof req->surface[0]) std::memcpy(text + n, req->suffix, s + 1);
        // A word listed under several classes (a verb form that also takes pronouns) is offered once.
        auto same = [text](const u8* given) { return std::strcmp(reinterpret_cast<const char*>(given), reinterpret_cast<const char*>(text)) == 0; };
        if (std::any_of(req->results, req->results + out, same)) continue;
        req->results[out] = text;
        req->resultSlots[out] = e.slot;
        ++out;
    }
    req->results[out] = nullptr;
    req->resultSlots[out] = nullptr;
}

}  // namespace

int splCorrectInit(SplCorrCtx* ctx, u32 mode, u32 language, SplCorrectReq* req) {
    req->ctx = ctx;
    req->language = language;
    req->stop = nullptr;
    req->typoKeep = 2;
    req->similarity = language == 18 ? 0 : 1;
    req->mode = mode;
    req->hooks = englishLike(language) ? 1 : 0;
    return int(req->hooks);
}

const u8* const* splCorrectWord(const u8* word, SplCorrectReq* req, u32 capitalise) {
    SplCorrectReq header;
    header.ctx = req->ctx;
    header.language = req->language;
    header.stop = req->stop;
    header.typoKeep = req->typoKeep;
    header.similarity = req->similarity;
    header.mode = req->mode;
    header.hooks = req->hooks;
    *req = header;
    req->capitalise = capitalise;
    prepare(word, req);
    if (req->stem[0] != 0) collect(req);
    finish(req);
    return req->results;
}

u32 splCorrInsert(const u8* candidate, u8 cls, u32 score, SplCorrectReq* req) {
    size_t n = length(candidate);
    if (n == 0 || n >= kSplMaxWord) return req->threshold;
    if (req->suffix[0] != 0) {
        // A possessive is put back after the candidate: the candidate must not carry its own,
        // and a bare apostrophe needs a candidate ending in s.
        u32 value = 0;
        if (cls != 1 && cls != 2) return req->threshold;
        if (possessive(candidate, &value) >= 0) return req->threshold;
        u8 last = candidate[n - 1];
        if (req->suffixValue == 0 && last != 's' && last != 'S') return req->threshold;
    }
    // The list keeps its candidates in the order of their lessened scores; the sound pass's own
    // score is kept as it was for the final ranking.
    u32 sound = score;
    score = lessened(score, req->slot);
    u32 pos = 0;
    for (; pos < req->count && req->entries[req->order[pos]].score >= score; ++pos) {
        SplSuggestion& e = req->entries[req->order[pos]];
        if (!sameEntry(e, candidate, cls)) continue;
        if (req->soundPass) e.sound = std::max(e.sound, sound);
        return req->threshold;
    }
    if (pos >= kCorrMaxSuggestions) return req->threshold;
    u32 old = pos;
    while (old < req->count && !sameEntry(req->entries[req->order[old]], candidate, cls)) ++old;
    u8 index;
    if (old < req->count) {
        index = req->order[old];
    } else {
        if (req->count == kCorrMaxSuggestions) {
            old = kCorrMaxSuggestions - 1;
            index = req->order[old];
        } else {
            old = req->count;
            index = u8(req->count++);
        }
        SplSuggestion& e = req->entries[index];
        std::memcpy(e.word, candidate, n + 1);
        e.cls = cls;
        e.slot = req->slot;
        e.flagByte = u8(req->flagByte);
        e.typoRank = 0;
        e.sound = 0;
    }
    req->entries[index].score = score;
    if (req->soundPass) req->entries[index].sound = std::max(req->entries[index].sound, sound);
    for (u32 i = old; i > pos; --i) req->order[i] = req->order[i - 1];
    req->order[pos] = index;
    // Only a full list has a floor.
    if (req->count == kCorrMaxSuggestions) req->threshold = listFloor(req);
    return req->threshold;
}

u32 splCorrTierCallback(SplCorrectReq* req, const u8* candidate, u8 cls, u32 tier, u32 penalty) {
    if (tier > kCorrMaxTier) return req->threshold;
    u32 base = kTierScores[tier];
    u32 score = 2 * penalty >= base ? 0 : base - 2 * penalty;
    return splCorrInsert(candidate, cls, score, req);
}
