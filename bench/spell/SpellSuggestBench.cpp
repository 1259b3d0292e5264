// Suggestion quality and speed of the spelling engine against the peer library, side by side:
// for each misspelling the top-1 and top-5 hit rates (the intended word first, or among the first
// five suggestions) and suggestions per second. English misspellings are the published list
// codespell ships (misspelling->correction); Spanish ones are made from the lexicon's own words
// by the usual slips: accents left out, b/v, ll/y, z/s, c/s and a dropped h. Only pairs whose
// word both accept and whose misspelling both refuse are kept. SPELL_BENCH_SUGGEST_WORDS bounds
// the pairs per language (default 1000, evenly spaced). The engine runs as the front end opens
// it, and once more with the letter tree's proximity walk on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "SpellBenchSupport.h"

namespace {

using namespace spellbench;

const char* const kCodespellList = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";

struct Pair {
    std::string wrongUtf8, rightUtf8, wrongSet1, rightSet1;
};

size_t pairLimit() {
    const char* limit = std::getenv("SPELL_BENCH_SUGGEST_WORDS");
    return limit != nullptr ? std::strtoul(limit, nullptr, 10) : 1000;
}

std::string replaceOnce(const std::string& w, const std::string& from, const std::string& to) {
    size_t at = w.find(from);
    if (at == std::string::npos) return std::string();
    return w.substr(0, at) + to + w.substr(at + from.size());
}

// One Spanish slip of a word, chosen in turn among those that apply.
std::string spanishSlip(const std::string& w, size_t turn) {
    const std::pair<const char*, const char*> accents[] = {{"á", "a"}, {"é", "e"}, {"í", "i"}, {"ó", "o"}, {"ú", "u"}};
    std::vector<std::string> slips;
    for (auto [from, to] : accents)
        if (std::string s = replaceOnce(w, from, to); !s.empty()) slips.push_back(s);
    for (auto [from, to] : std::initializer_list<std::pair<const char*, const char*>>{
             {"b", "v"}, {"v", "b"}, {"ll", "y"}, {"y", "ll"}, {"z", "s"}, {"ce", "se"}, {"ci", "si"}, {"h", ""}})
        if (std::string s = replaceOnce(w, from, to); !s.empty()) slips.push_back(s);
    return slips.empty() ? std::string() : slips[turn % slips.size()];
}

std::vector<std::pair<std::string, std::string>> candidates(const Language& lang) {
    std::vector<std::pair<std::string, std::string>> out;
    if (lang.code == kEnglish.code) {
        for (const std::string& line : readLines(kCodespellList)) {
            size_t arrow = line.find("->");
            if (arrow == std::string::npos) continue;
            std::string right = line.substr(arrow + 2);
            right = right.substr(0, right.find(','));
            if (right.find(' ') != std::string::npos) continue;
            out.emplace_back(line.substr(0, arrow), right);
        }
    } else {
        std::vector<std::string> words = readLines(lexiconDir() + "/es_words.txt");
        for (size_t i = 0; i < words.size(); ++i)
            if (std::string slip = spanishSlip(words[i], i); !slip.empty()) out.emplace_back(slip, words[i]);
    }
    return out;
}

const std::vector<Pair>& pairs(const Language& lang, Speller& ours, Peer& peer) {
    static std::vector<Pair> cache[2];
    std::vector<Pair>& set = cache[lang.code == kEnglish.code ? 0 : 1];
    if (!set.empty()) return set;
    std::vector<std::pair<std::string, std::string>> all = candidates(lang);
    // Evenly spaced over the list, each kept only when both sides agree on it.
    size_t limit = pairLimit();
    size_t stride = std::max<size_t>(1, all.size() / (4 * limit + 1));
    for (size_t i = 0; i < all.size() && set.size() < limit; i += stride) {
        Pair p{all[i].first, all[i].second, {}, {}};
        if (p.wrongUtf8.size() < 3 || !toSet1(p.wrongUtf8, &p.wrongSet1) || !toSet1(p.rightUtf8, &p.rightSet1)) continue;
        if (!ours.verify(p.rightSet1) || !peer.verify(p.rightUtf8)) continue;
        if (ours.verify(p.wrongSet1) || peer.verify(p.wrongUtf8)) continue;
        set.push_back(std::move(p));
    }
    return set;
}

template <typename Suggest>
void measure(benchmark::State& state, const std::vector<Pair>& set, bool set1, Suggest suggest) {
    if (set.empty()) {
        state.SkipWithError("no misspellings: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    size_t top1 = 0, top5 = 0, listed = 0;
    for (auto _ : state) {
        top1 = top5 = listed = 0;
        for (const Pair& p : set) {
            std::vector<std::string> list = suggest(set1 ? p.wrongSet1 : p.wrongUtf8);
            const std::string& right = set1 ? p.rightSet1 : p.rightUtf8;
            listed += list.size();
            auto at = std::find(list.begin(), list.end(), right);
            top1 += !list.empty() && list.front() == right;
            top5 += at != list.end() && at - list.begin() < 5;
        }
    }
    if (listed == 0) state.SkipWithError("no suggestion at all");
    state.SetItemsProcessed(i64(state.iterations()) * i64(set.size()));
    state.counters["words"] = double(set.size());
    state.counters["top1"] = double(top1) / double(set.size());
    state.counters["top5"] = double(top5) / double(set.size());
    state.counters["listed"] = double(listed) / double(set.size());
}

void BM_TumbloSuggest(benchmark::State& state, Language lang) {
    Speller ours(lang);
    Peer peer(lang);
    if (!ours.ok()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    measure(state, pairs(lang, ours, peer), true, [&](const std::string& w) { return ours.suggest(w); });
}

// The same with the letter tree's proximity walk on.
void BM_TumbloSuggestWalk(benchmark::State& state, Language lang) {
    Speller ours(lang, kSlotTypo | kSlotCandidates);
    Peer peer(lang);
    if (!ours.ok()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    measure(state, pairs(lang, ours, peer), true, [&](const std::string& w) { return ours.suggest(w); });
}

void BM_HunspellSuggest(benchmark::State& state, Language lang) {
    Speller ours(lang);
    Peer peer(lang);
    if (!ours.ok()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    measure(state, pairs(lang, ours, peer), false, [&](const std::string& w) { return peer.suggest(w); });
}

}  // namespace

BENCHMARK_CAPTURE(BM_TumbloSuggest, English, kEnglish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_TumbloSuggestWalk, English, kEnglish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_HunspellSuggest, English, kEnglish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_TumbloSuggest, Spanish, kSpanish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_TumbloSuggestWalk, Spanish, kSpanish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_HunspellSuggest, Spanish, kSpanish)->Unit(benchmark::kMillisecond)->Iterations(1);
