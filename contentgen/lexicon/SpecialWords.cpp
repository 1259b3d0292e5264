#include "contentgen/lexicon/SpecialWords.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "contentgen/lexicon/WordSource.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCharSets.h"
#include "spell/SplTrieLexicon.h"

namespace {

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool add(const std::string& word, const std::string& replacement, int language, std::vector<SpecialWord>* out) {
    SpecialWord s;
    if (!utf8ToSet1(word, &s.word) || !utf8ToSet1(replacement, &s.replacement) || s.word.empty()) return false;
    const u8* lower = splLowerTable(language);
    for (char& c : s.word) c = char(lower[u8(c)]);
    out->push_back(s);
    return true;
}

void put16(std::vector<u8>* out, size_t v) {
    u8 b[2];
    writeLE16(b, u16(v));
    out->insert(out->end(), b, b + 2);
}

}  // namespace

bool parseSpecialWords(const std::string& text, int language, std::vector<SpecialWord>* out, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = trim(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        size_t gap = line.find_first_of(" \t");
        std::string word = line.substr(0, gap);
        std::string replacement = gap == std::string::npos ? "" : trim(line.substr(gap));
        if (!add(word, replacement, language, out)) {
            *error = "line " + std::to_string(number) + ": a character outside the character set";
            return false;
        }
    }
    return true;
}

bool affixFileSpecials(const std::string& affPath, int language, std::vector<SpecialWord>* out) {
    std::ifstream in(affPath);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag, from, to;
        if (!(fields >> tag >> from >> to) || tag != "REP" || to.find('_') == std::string::npos ||
            from.find_first_of("^$_") != std::string::npos)
            continue;
        std::replace(to.begin(), to.end(), '_', ' ');
        add(from, to, language, out);
    }
    return true;
}

bool buildSpecialsSection(const std::vector<SpecialWord>& words, std::vector<u8>* section, std::string* error) {
    std::map<std::string, SpecialWord> sorted;
    for (const SpecialWord& w : words) {
        if (w.word.size() > kTrieMaxWord || w.replacement.size() > kTrieMaxWord) {
            *error = "the special word " + w.word + " or its correction is longer than 63 bytes";
            return false;
        }
        sorted.insert({w.word, w});
    }
    std::vector<u8> pool{0};
    std::vector<size_t> offsets;
    for (const auto& [word, w] : sorted) {
        pool.back() = w.cls;
        offsets.push_back(pool.size());
        pool.insert(pool.end(), word.begin(), word.end());
        pool.push_back(0);
        pool.insert(pool.end(), w.replacement.begin(), w.replacement.end());
        pool.push_back(0);
        pool.push_back(0);  // the next word's class byte
    }
    if (pool.size() > 0xFFFF || offsets.size() > 0xFFFF) {
        *error = "the special words outgrow their 16-bit offsets";
        return false;
    }
    section->clear();
    put16(section, sorted.empty() ? 0 : offsets.size());
    put16(section, sorted.empty() ? 0 : pool.size());
    for (size_t at : offsets) put16(section, at);
    if (!sorted.empty()) section->insert(section->end(), pool.begin(), pool.end());
    return true;
}
