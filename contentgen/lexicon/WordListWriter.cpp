#include "contentgen/lexicon/WordListWriter.h"

#include <algorithm>
#include <cstring>

std::string buildWordListTable(std::vector<std::string> words) {
    // The search compares bytes as unsigned values, which is strcmp's order.
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::string table;
    for (const std::string& w : words) {
        if (w.empty() || w.find('\0') != std::string::npos) continue;
        table += w;
        table.push_back('\0');
    }
    return table;
}
