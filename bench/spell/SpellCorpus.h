#pragma once
// Real text for the spelling benchmarks: English from the plain text documents Debian installs
// (/usr/share/doc), Spanish from the translations of the Spanish message catalogues
// (/usr/share/locale/es/LC_MESSAGES/*.mo), and the words counted in it.
// SPELL_BENCH_CORPUS_BYTES bounds the text read per language (default 4000000).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/base/ByteOrder.h"

namespace spellbench {

namespace fs = std::filesystem;

inline size_t corpusLimit() {
    const char* limit = std::getenv("SPELL_BENCH_CORPUS_BYTES");
    return limit != nullptr ? std::strtoul(limit, nullptr, 10) : 4000000;
}

inline bool isLetterAt(const std::string& t, size_t i, size_t* width) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return *width = 1, true;
    if (b == 0xC3 && i + 1 < t.size()) {
        unsigned cp = 0xC0 | (static_cast<unsigned char>(t[i + 1]) & 0x3F);
        if (cp != 0xD7 && cp != 0xF7) return *width = 2, true;
    }
    return false;
}

// Words: letters with single inner apostrophes; a word touching a digit, '_', '/', '@', '\\',
// '=' or '.' followed by a letter (names, paths, addresses) is left out.
inline void tokenize(const std::string& text, std::map<std::string, size_t>* counts) {
    size_t i = 0;
    while (i < text.size()) {
        size_t w;
        if (!isLetterAt(text, i, &w)) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size()) {
            if (isLetterAt(text, i, &w)) i += w;
            else if (text[i] == '\'' && i + 1 < text.size() && isLetterAt(text, i + 1, &w)) ++i;
            else break;
        }
        auto technical = [&](size_t at) {
            if (at >= text.size()) return false;
            char c = text[at];
            return (c >= '0' && c <= '9') || c == '_' || c == '/' || c == '@' || c == '\\' || c == '=' ||
                   (c == '.' && at + 1 < text.size() && isLetterAt(text, at + 1, &w));
        };
        if ((start > 0 && technical(start - 1)) || technical(i)) continue;
        std::string word = text.substr(start, i - start);
        if (word.size() >= 2 && word.size() < 40) ++(*counts)[word];
    }
}

inline std::string englishCorpus() {
    std::string text;
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator("/usr/share/doc", ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) break;
        const fs::path& p = it->path();
        if (it->is_regular_file(ec) && p.extension() != ".gz" && p.extension() != ".html") files.push_back(p);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
        if (text.size() >= corpusLimit()) break;
        std::ifstream in(p, std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        text.push_back('\n');
    }
    return text;
}

// The translated strings of a GNU message catalogue, each bounds-checked against the file.
inline void catalogueTranslations(const std::string& mo, std::string* text) {
    auto u8p = reinterpret_cast<const u8*>(mo.data());
    if (mo.size() < 28 || readLE32(u8p) != 0x950412deu) return;
    u32 count = readLE32(u8p + 8), table = readLE32(u8p + 16);
    for (u32 k = 0; k < count; ++k) {
        u64 at = u64(table) + 8ull * k;
        if (at + 8 > mo.size()) return;
        u32 length = readLE32(u8p + at), offset = readLE32(u8p + at + 4);
        if (u64(offset) + length > mo.size()) continue;
        text->append(mo, offset, length);
        text->push_back('\n');
    }
}

inline std::string spanishCorpus() {
    std::string text;
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/usr/share/locale/es/LC_MESSAGES", ec))
        if (e.path().extension() == ".mo") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
        if (text.size() >= corpusLimit()) break;
        std::ifstream in(p, std::ios::binary);
        std::string mo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        catalogueTranslations(mo, &text);
    }
    return text;
}

}  // namespace spellbench
