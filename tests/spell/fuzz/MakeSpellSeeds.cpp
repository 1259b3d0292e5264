// Writes the spelling fuzzers' seeds: <dir>/lex/*.lex, <dir>/env/*.env, <dir>/trie/*.trie,
// <dir>/comp/*.comp (compressed word lexicons) and <dir>/dct/*.dct,
// small files made by the lexicon builders, and <dir>/phon.env, the phonetic file every
// lexicon input is read with.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "contentgen/lexicon/CompLexWriter.h"
#include "contentgen/lexicon/LexBuilder.h"
#include "contentgen/lexicon/ProxRules.h"
#include "contentgen/lexicon/SpecialWords.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "contentgen/lexicon/WordSource.h"
#include "spell/SplLexicon.h"
#include "spell/SplPhonTable.h"
#include "spell/SplUserDict.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    fs::path dir = argv[1];
    fs::create_directories(dir / "lex");
    fs::create_directories(dir / "env");
    fs::create_directories(dir / "trie");
    fs::create_directories(dir / "dct");
    fs::create_directories(dir / "comp");
    std::ifstream rules(fs::path(SPELL_RULES_DIR) / "en.rules");
    std::stringstream text;
    text << rules.rdbuf();
    const std::vector<std::string> words = {"walk", "walks", "walked", "walking", "talk", "talks", "talked", "Paris",
                                            "NASA", "etc.", "e.g.", "McDonald", "don't", "cat", "dog", "class"};
    const u16 variants[] = {0, kLexFlagCompactFlags, kLexFlagSingleBin | kLexFlagProperNames};
    int n = 0;
    for (u16 flags : variants) {
        LexBuildInput input;
        // The first seed carries a suffix-class table.
        if (n == 0) input.suffixRulesText = "percent 60\nminstem 4\nsuffix s\nsuffix ed\nsuffix ing\n";
        input.language = 1;
        for (const std::string& w : words) input.words.push_back(w);
        input.rulesText = text.str();
        input.flags = flags;
        input.envPath = (dir / "phon.env").string();
        input.lexPath = (dir / "lex" / ("seed" + std::to_string(n++) + ".lex")).string();
        input.headerText = "seed lexicon\n";
        LexBuildReport report;
        std::string error;
        if (!buildLexicon(input, &report, &error)) {
            std::fprintf(stderr, "make_spell_seeds: %s\n", error.c_str());
            return 1;
        }
    }
    const std::vector<std::vector<TrieSuffixRule>> ruleSets = {{}, {{"s", "", 1}, {"ed", "", 1}}, {}};
    for (size_t i = 0; i < ruleSets.size(); ++i) {
        std::vector<u8> image;
        u32 skipped = 0;
        std::string error;
        // The last seed carries an encoder and special words.
        TrieLexExtras extras;
        if (i + 1 == ruleSets.size()) {
            std::ifstream prox(fs::path(SPELL_RULES_DIR) / "en.prox");
            std::stringstream proxText;
            proxText << prox.rdbuf();
            std::vector<SpecialWord> specials;
            if (!buildProxEncoder(proxText.str(), &extras.encoder, &error) ||
                !parseSpecialWords("alot a lot\ndont don't\nok\n", 1, &specials, &error) ||
                !buildSpecialsSection(specials, &extras.specials, &error)) {
                std::fprintf(stderr, "make_spell_seeds: %s\n", error.c_str());
                return 1;
            }
        }
        if (!buildTrieLexImage(words, ruleSets[i], 1, &image, &skipped, &error, extras)) {
            std::fprintf(stderr, "make_spell_seeds: %s\n", error.c_str());
            return 1;
        }
        std::ofstream out(dir / "trie" / ("seed" + std::to_string(i) + ".trie"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    }
    // Compressed lexicons: the sample's words, and many of every length in many bins.
    std::vector<std::string> many = words;
    for (int i = 0; i < 600; ++i) many.push_back(std::string(size_t(1 + i % 15), char('a' + i % 26)) + char('a' + i / 26 % 26));
    for (const auto& [name, list] : {std::pair{"sample", words}, std::pair{"many", many}}) {
        std::vector<u8> image;
        u32 skipped = 0;
        std::string error;
        if (!buildCompLexImage(list, 1, &image, &skipped, &error)) {
            std::fprintf(stderr, "make_spell_seeds: %s\n", error.c_str());
            return 1;
        }
        std::ofstream out(dir / "comp" / (std::string(name) + ".comp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    }
    fs::copy_file(dir / "phon.env", dir / "env" / "seed.env", fs::copy_options::overwrite_existing);
    // Personal dictionaries: one of a single block, one grown past a root split.
    u32 error = 0;
    SplPhonTable* phon = splPhonOpen((dir / "phon.env").string().c_str(), 0, &error);
    if (phon == nullptr) return 1;
    for (int count : {3, 400}) {
        fs::path seed = dir / "dct" / ("seed" + std::to_string(count) + ".dct");
        fs::remove(seed);
        SplUserDict* d = splUserDictOpen(seed.string().c_str(), kUdModeCreate, phon, &error);
        if (d == nullptr) return 1;
        for (int i = 0; i < count; ++i) {
            std::string w = words[size_t(i) % words.size()] + std::string(1, char('a' + i % 26)) + char('a' + i / 26);
            splUserDictAddWord(reinterpret_cast<const u8*>(w.c_str()), d);
        }
        splUserDictClose(d);
    }
    splPhonClose(phon);
    return 0;
}
