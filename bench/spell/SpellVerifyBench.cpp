// Verification throughput of the spelling engine and of the peer library over the same words:
// SPELL_BENCH_WORDS (default 20000) words of the lexicon's own word list that the peer accepts,
// every one of which both must accept.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "SpellBenchSupport.h"

namespace {

using namespace spellbench;

struct WordSet {
    std::vector<std::string> utf8, set1;
};

const WordSet& words(const Language& lang) {
    static WordSet sets[2];
    WordSet& s = sets[lang.code == 1 ? 0 : 1];
    if (!s.utf8.empty()) return s;
    const char* count = std::getenv("SPELL_BENCH_WORDS");
    size_t n = count != nullptr ? std::strtoul(count, nullptr, 10) : 20000;
    std::vector<std::string> all = readLines(lexiconDir() + "/" + lang.prefix + "_words.txt");
    Peer peer(lang);
    for (size_t k = 0; k < all.size() && s.utf8.size() < n; ++k) {
        const std::string& w = all[(k * 7919) % all.size()];
        std::string bytes;
        if (w.size() >= 60 || !toSet1(w, &bytes) || !peer.verify(w)) continue;
        s.utf8.push_back(w);
        s.set1.push_back(bytes);
    }
    return s;
}

void BM_TumbloVerify(benchmark::State& state, const Language& lang) {
    Speller speller(lang);
    const WordSet& set = words(lang);
    if (!speller.ok() || set.set1.empty()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    size_t accepted = 0;
    for (auto _ : state) {
        accepted = 0;
        for (const std::string& w : set.set1) accepted += speller.verify(w);
    }
    if (accepted != set.set1.size()) state.SkipWithError("a word of the lexicon's own list was refused");
    state.SetItemsProcessed(i64(state.iterations()) * i64(set.set1.size()));
}

void BM_HunspellVerify(benchmark::State& state, const Language& lang) {
    Peer peer(lang);
    const WordSet& set = words(lang);
    if (set.utf8.empty()) {
        state.SkipWithError("no word list");
        return;
    }
    size_t accepted = 0;
    for (auto _ : state) {
        accepted = 0;
        for (const std::string& w : set.utf8) accepted += peer.verify(w);
    }
    if (accepted != set.utf8.size()) state.SkipWithError("the peer refused a word it accepted before");
    state.SetItemsProcessed(i64(state.iterations()) * i64(set.utf8.size()));
}

BENCHMARK_CAPTURE(BM_TumbloVerify, English, kEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HunspellVerify, English, kEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TumbloVerify, Spanish, kSpanish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HunspellVerify, Spanish, kSpanish)->Unit(benchmark::kMillisecond);

}  // namespace
