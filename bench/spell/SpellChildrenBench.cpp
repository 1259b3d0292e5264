// How the spelling engine serves children against the peer library, in one run per language
// and test set: top-1 and top-5 hits on the children's misspellings of our test sets (the words
// spelt by ear, tests/spell/data/children_<lang>.txt, the words as children write them,
// tests/spell/data/writing_<lang>.txt, and Spanish words written without any accent,
// tests/spell/data/accents_es.txt), false alarms on 5,000 common words (the
// most frequent words of real text found in the lexicon sources: the Debian word list and the
// expanded Debian dictionary), and words checked and suggestion lists made per second by each.
// A pair counts only when both sides accept its word and refuse its misspelling.
// SPELL_BENCH_MISSES=1 lists the misspellings whose word the engine does not put first.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdlib>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "SpellBenchSupport.h"
#include "SpellCorpus.h"

namespace {

using namespace spellbench;

constexpr size_t kCommonWords = 5000;
constexpr int kCheckRounds = 20;

struct Word {
    std::string utf8, set1;
};

struct Pair {
    Word typed, wanted;
};

std::vector<Pair> childrenPairs(const Language& lang, const char* set, Speller& ours, Peer& peer) {
    std::vector<Pair> out;
    for (const std::string& line : readLines(std::string(SPELL_BENCH_CHILDREN) + "/" + set + "_" + lang.prefix + ".txt")) {
        if (line[0] == '#') continue;
        std::istringstream fields(line);
        Pair p;
        if (!(fields >> p.typed.utf8 >> p.wanted.utf8)) continue;
        if (!toSet1(p.typed.utf8, &p.typed.set1) || !toSet1(p.wanted.utf8, &p.wanted.set1)) continue;
        if (!ours.verify(p.wanted.set1) || !peer.verify(p.wanted.utf8)) continue;
        if (ours.verify(p.typed.set1) || peer.verify(p.typed.utf8)) continue;
        out.push_back(p);
    }
    return out;
}

std::vector<Word> commonWords(const Language& lang) {
    std::set<std::string> known;
    std::vector<std::string> sources = {std::string(SPELL_BENCH_SOURCES) + (lang.code == 1 ? "/en_US_forms.txt" : "/es_ES_forms.txt")};
    if (lang.code == 1) sources.push_back("/usr/share/dict/american-english");
    for (const std::string& path : sources)
        for (const std::string& w : readLines(path)) known.insert(w);
    std::map<std::string, size_t> counts;
    tokenize(lang.code == 1 ? englishCorpus() : spanishCorpus(), &counts);
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const auto& [w, n] : counts)
        if (known.count(w) != 0) ranked.push_back({n, w});
    std::sort(ranked.rbegin(), ranked.rend());
    std::vector<Word> out;
    for (const auto& [n, w] : ranked) {
        Word word{w, {}};
        if (!toSet1(w, &word.set1)) continue;
        out.push_back(word);
        if (out.size() == kCommonWords) break;
    }
    return out;
}

// Processor time, so that a busy machine slows both sides alike.
double seconds(std::clock_t since) { return double(std::clock() - since) / CLOCKS_PER_SEC; }

struct Side {
    size_t top1 = 0, top5 = 0, alarms = 0;
    double listsPerSecond = 0, checksPerSecond = 0;
};

template <typename Verify, typename Suggest>
Side measure(const std::vector<Pair>& pairs, const std::vector<Word>& common, bool set1, Verify verify, Suggest suggest,
             std::vector<std::string>* alarms) {
    Side side;
    auto form = [set1](const Word& w) -> const std::string& { return set1 ? w.set1 : w.utf8; };
    std::clock_t start = std::clock();
    for (const Pair& p : pairs) {
        std::vector<std::string> list = suggest(form(p.typed));
        auto at = std::find(list.begin(), list.end(), form(p.wanted));
        side.top1 += at == list.begin() && at != list.end();
        side.top5 += at != list.end() && at - list.begin() < 5;
        if (set1 && at != list.begin() && std::getenv("SPELL_BENCH_MISSES") != nullptr) {
            std::fprintf(stderr, "miss %s -> %s at %d:", p.typed.utf8.c_str(), p.wanted.utf8.c_str(),
                         at == list.end() ? -1 : int(at - list.begin()));
            for (size_t k = 0; k < list.size() && k < 5; ++k) std::fprintf(stderr, " %s", list[k].c_str());
            std::fprintf(stderr, "\n");
        }
    }
    side.listsPerSecond = double(pairs.size()) / seconds(start);
    for (const Word& w : common)
        if (!verify(form(w))) alarms->push_back(w.utf8);
    side.alarms = alarms->size();
    start = std::clock();
    size_t accepted = 0;
    for (int round = 0; round < kCheckRounds; ++round)
        for (const Word& w : common) accepted += verify(form(w));
    side.checksPerSecond = double(kCheckRounds) * double(common.size()) / seconds(start);
    benchmark::DoNotOptimize(accepted);
    return side;
}

void BM_Children(benchmark::State& state, Language lang, const char* set) {
    Speller ours(lang);
    Peer peer(lang);
    if (!ours.ok()) {
        state.SkipWithError("no lexicon: build the lexicons_full target or set SPELL_BENCH_LEXICONS");
        return;
    }
    std::vector<Pair> pairs = childrenPairs(lang, set, ours, peer);
    std::vector<Word> common = commonWords(lang);
    if (pairs.empty() || common.empty()) {
        state.SkipWithError("no children's misspellings or no common words");
        return;
    }
    Side t, h;
    std::vector<std::string> alarmsT, alarmsH;
    for (auto _ : state) {
        alarmsT.clear();
        alarmsH.clear();
        t = measure(pairs, common, true, [&](const std::string& w) { return ours.verify(w); },
                    [&](const std::string& w) { return ours.suggest(w); }, &alarmsT);
        h = measure(pairs, common, false, [&](const std::string& w) { return peer.verify(w); },
                    [&](const std::string& w) { return peer.suggest(w); }, &alarmsH);
    }
    double n = double(pairs.size());
    std::fprintf(stderr,
                 "%s, %s: %zu misspellings, %zu common words\n"
                 "            top-1    top-5    false alarms  checks/s     lists/s\n"
                 "  Tumblo    %5.1f%%   %5.1f%%   %6zu        %9.0f   %9.0f\n"
                 "  hunspell  %5.1f%%   %5.1f%%   %6zu        %9.0f   %9.0f\n"
                 "  ratio                                    %6.2fx    %6.2fx\n",
                 lang.prefix, set, pairs.size(), common.size(), 100 * double(t.top1) / n, 100 * double(t.top5) / n,
                 t.alarms, t.checksPerSecond, t.listsPerSecond, 100 * double(h.top1) / n, 100 * double(h.top5) / n,
                 h.alarms, h.checksPerSecond, h.listsPerSecond, t.checksPerSecond / h.checksPerSecond,
                 t.listsPerSecond / h.listsPerSecond);
    for (const auto& [who, list] : {std::pair{"Tumblo", &alarmsT}, std::pair{"hunspell", &alarmsH}}) {
        std::fprintf(stderr, "  refused by %s:", who);
        for (const std::string& w : *list) std::fprintf(stderr, " %s", w.c_str());
        std::fprintf(stderr, "\n");
    }
    state.counters["top1"] = double(t.top1) / n;
    state.counters["top1_peer"] = double(h.top1) / n;
    state.counters["top5"] = double(t.top5) / n;
    state.counters["top5_peer"] = double(h.top5) / n;
    state.counters["alarms"] = double(t.alarms);
    state.counters["alarms_peer"] = double(h.alarms);
    state.counters["check_ratio"] = t.checksPerSecond / h.checksPerSecond;
    state.counters["list_ratio"] = t.listsPerSecond / h.listsPerSecond;
}

}  // namespace

BENCHMARK_CAPTURE(BM_Children, EnglishByEar, kEnglish, "children")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Children, EnglishWriting, kEnglish, "writing")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Children, SpanishByEar, kSpanish, "children")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Children, SpanishWriting, kSpanish, "writing")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Children, SpanishAccents, kSpanish, "accents")->Unit(benchmark::kMillisecond)->Iterations(1);
