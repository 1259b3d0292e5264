// Agreement of the spelling engine with the peer library on real text: English from the plain
// text documents Debian installs (/usr/share/doc), Spanish from the translations of the Spanish
// message catalogues (/usr/share/locale/es/LC_MESSAGES/*.mo). Every distinct word is checked by
// both; the counters give the disagreements (by occurrence and by distinct word) and the most
// frequent examples of each side are printed once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "SpellBenchSupport.h"
#include "SpellCorpus.h"

namespace {

using namespace spellbench;

void report(const char* language, const std::vector<std::pair<size_t, std::string>>& onlyTumblo,
            const std::vector<std::pair<size_t, std::string>>& onlyPeer) {
    auto show = [](const char* what, std::vector<std::pair<size_t, std::string>> list) {
        std::sort(list.rbegin(), list.rend());
        std::fprintf(stderr, "  %s (%zu distinct):", what, list.size());
        for (size_t i = 0; i < list.size() && i < 20; ++i)
            std::fprintf(stderr, " %s(%zu)", list[i].second.c_str(), list[i].first);
        std::fprintf(stderr, "\n");
    };
    std::fprintf(stderr, "%s agreement:\n", language);
    show("refused only by Tumblo", onlyTumblo);
    show("refused only by the peer", onlyPeer);
}

void BM_Agreement(benchmark::State& state, const Language& lang) {
    Speller speller(lang);
    Peer peer(lang);
    if (!speller.ok()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    std::map<std::string, size_t> counts;
    tokenize(lang.code == 1 ? englishCorpus() : spanishCorpus(), &counts);
    std::vector<std::pair<std::string, std::string>> words;  // UTF-8, set 1
    std::vector<size_t> weights;
    for (const auto& [w, n] : counts) {
        std::string bytes;
        if (!toSet1(w, &bytes)) continue;
        words.push_back({w, bytes});
        weights.push_back(n);
    }
    if (words.empty()) {
        state.SkipWithError("no corpus text found");
        return;
    }
    std::vector<std::pair<size_t, std::string>> onlyTumblo, onlyPeer;
    size_t occurrences = 0, disagreeing = 0;
    for (auto _ : state) {
        onlyTumblo.clear();
        onlyPeer.clear();
        occurrences = disagreeing = 0;
        for (size_t i = 0; i < words.size(); ++i) {
            bool t = speller.verify(words[i].second);
            bool h = peer.verify(words[i].first);
            occurrences += weights[i];
            if (t == h) continue;
            disagreeing += weights[i];
            (t ? onlyPeer : onlyTumblo).push_back({weights[i], words[i].first});
        }
    }
    state.counters["distinct"] = double(words.size());
    state.counters["occurrences"] = double(occurrences);
    state.counters["disagree_occ"] = double(disagreeing);
    state.counters["only_tumblo_refuses"] = double(onlyTumblo.size());
    state.counters["only_peer_refuses"] = double(onlyPeer.size());
    state.SetItemsProcessed(i64(state.iterations()) * i64(words.size()));
    report(lang.prefix, onlyTumblo, onlyPeer);
}

BENCHMARK_CAPTURE(BM_Agreement, English, kEnglish)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Agreement, Spanish, kSpanish)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
