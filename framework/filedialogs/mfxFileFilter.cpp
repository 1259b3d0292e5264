#include "framework/filedialogs/mfxFileFilter.h"

#include <cctype>

namespace {

char folded(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

// Iterative, with one remembered star: no pattern can make it take more than
// name × pattern steps.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0;
    size_t n = 0;
    size_t star = std::string::npos;
    size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || folded(pattern[p]) == folded(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool mfxFilterMatches(const mfxFileFilter& filter, const std::string& name) {
    size_t start = 0;
    while (start <= filter.patterns.size()) {
        size_t end = filter.patterns.find(';', start);
        if (end == std::string::npos) end = filter.patterns.size();
        std::string pattern = filter.patterns.substr(start, end - start);
        // "*.*" is every name, with or without a dot.
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty() && wildcardMatch(pattern, name)) return true;
        start = end + 1;
    }
    return false;
}
