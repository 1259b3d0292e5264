#include "contentgen/lexicon/SuffixClasses.h"

#include <algorithm>
#include <bit>
#include <sstream>

#include "contentgen/lexicon/WordSource.h"
#include "spell/SplErrors.h"
#include "spell/SplSuffixClass.h"

namespace {

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool parseSuffixRules(const std::string& text, SuffixRules* rules, std::string* error) {
    *rules = SuffixRules{};
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line.substr(0, line.find('#')));
        std::string key, a, b;
        if (!(in >> key)) continue;
        in >> a >> b;
        std::string where = "line " + std::to_string(number) + ": ";
        if (key == "percent" || key == "minstem") {
            int v = -1;
            try {
                v = std::stoi(a);
            } catch (...) {
            }
            if (v < 0 || v > (key == "percent" ? 100 : 255)) return *error = where + "a number is wanted", false;
            (key == "percent" ? rules->percent : rules->minStem) = u8(v);
        } else if (key == "suffix") {
            std::string s, c;
            if (!utf8ToSet1(a, &s) || !utf8ToSet1(b, &c) || s.empty() || s.size() >= size_t(kSplMaxWord) ||
                c.size() >= size_t(kSplMaxWord))
                return *error = where + "a suffix of 1-63 letters of the character set is wanted", false;
            if (std::find(rules->suffixes.begin(), rules->suffixes.end(), s) != rules->suffixes.end())
                return *error = where + "the suffix " + a + " is given twice", false;
            rules->suffixes.push_back(s);
            rules->companions.push_back(c);
        } else {
            return *error = where + "percent, minstem or suffix is wanted", false;
        }
    }
    if (rules->suffixes.size() > 64) return *error = "more than 64 suffixes", false;
    return true;
}

SuffixClassPlan planSuffixClasses(const std::map<std::string, SuffixFormInfo>& forms, const SuffixRules& rules) {
    SuffixClassPlan plan;
    auto isStem = [&](const std::string& form, const SuffixFormInfo& info) {
        if (info.classByte != 0 || form.find(char(kSplLrSep)) != std::string::npos) return false;
        for (const std::string& s : rules.suffixes)
            if (endsWith(form, s)) return false;
        return true;
    };
    std::map<std::string, u64> stemMasks;
    std::map<u64, size_t> uses;
    for (const auto& [form, info] : forms) {
        if (!isStem(form, info)) continue;
        u64 mask = 0;
        for (size_t i = 0; i < rules.suffixes.size(); ++i) {
            std::string f = form + rules.suffixes[i];
            auto it = forms.find(f);
            if (f.size() < size_t(kSplMaxWord) && it != forms.end() && it->second.classByte == 0 &&
                it->second.codes == info.codes)
                mask |= u64(1) << i;
        }
        if (mask == 0) continue;
        stemMasks[form] = mask;
        ++uses[mask];
    }
    // The sets that leave out the most forms become classes.
    std::vector<std::pair<size_t, u64>> ranked;
    for (const auto& [mask, n] : uses) ranked.push_back({n * size_t(std::popcount(mask)), mask});
    std::sort(ranked.begin(), ranked.end(), [](auto a, auto b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    for (size_t i = 0; i < ranked.size() && plan.masks.size() < kSuffixMaxRows; ++i) plan.masks.push_back(ranked[i].second);
    for (const auto& [form, mask] : stemMasks) {
        size_t best = 0;
        for (size_t c = 1; c < plan.masks.size(); ++c)
            if ((plan.masks[c] & ~mask) == 0 && std::popcount(plan.masks[c]) > std::popcount(plan.masks[best])) best = c;
        if (best != 0) plan.classBytes[form] = u8(kClassByte | kClassAlone | best);
    }
    for (const auto& [form, cls] : plan.classBytes) {
        u64 mask = plan.masks[cls & kClassMask];
        for (size_t i = 0; i < rules.suffixes.size(); ++i) {
            std::string f = form + rules.suffixes[i];
            if ((mask >> i & 1) && !plan.classBytes.count(f)) plan.omitted.insert(f);
        }
    }
    return plan;
}

bool buildTagArea(const SuffixRules& rules, const std::vector<u64>& masks, std::vector<u8>* area, std::string* error) {
    size_t count = rules.suffixes.size();
    size_t width = (count + 7) / 8;
    if (count == 0 || masks.size() > kSuffixMaxRows) return *error = "a suffix table needs 1-64 suffixes and classes", false;
    std::vector<u8> strings(masks.size() * width, 0);
    for (size_t c = 0; c < masks.size(); ++c)
        for (size_t i = 0; i < count; ++i)
            if (masks[c] >> i & 1) strings[c * width + i / 8] |= u8(1 << (i % 8));
    // The index: each suffix backwards, sorted, after its bit number; then the companions in that order.
    std::vector<std::pair<std::string, size_t>> index;
    for (size_t i = 0; i < count; ++i) index.push_back({std::string(rules.suffixes[i].rbegin(), rules.suffixes[i].rend()), i});
    std::sort(index.begin(), index.end());
    for (const auto& [backwards, bit] : index) {
        strings.push_back(u8(bit));
        strings.insert(strings.end(), backwards.begin(), backwards.end());
        strings.push_back(0);
    }
    for (const auto& [backwards, bit] : index) {
        strings.insert(strings.end(), rules.companions[bit].begin(), rules.companions[bit].end());
        strings.push_back(0);
    }
    if (strings.size() > 0xFFFF) return *error = "the suffix table needs more than 65535 bytes", false;
    const size_t headSize = 16;
    area->assign(headSize, 0);
    (*area)[1] = u8(headSize);
    (*area)[2] = u8(strings.size() & 0xFF);
    (*area)[3] = u8(strings.size() >> 8);
    (*area)[4] = u8(count);
    (*area)[8] = u8(masks.size());
    (*area)[9] = u8(width);
    (*area)[10] = rules.percent;
    (*area)[11] = rules.minStem;
    (*area)[12] = 1;
    area->insert(area->end(), strings.begin(), strings.end());
    return true;
}
