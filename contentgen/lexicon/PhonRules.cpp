#include "contentgen/lexicon/PhonRules.h"

#include <sstream>

#include "contentgen/lexicon/WordSource.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCharSets.h"
#include "spell/SplPhonTable.h"

namespace {

void put16(std::vector<u8>* image, u32 value) {
    u8 bytes[2];
    writeLE16(bytes, u16(value));
    image->insert(image->end(), bytes, bytes + 2);
}

// Codes 17 to 31 that the bin computation keeps.
std::vector<u8> keptCodes() {
    std::vector<u8> codes;
    for (u8 c = 17; c <= 31; ++c)
        if (c != 24 && c != 30 && c != 31) codes.push_back(c);
    return codes;
}

// "<letter> <n|-> <as|->" of a heard line.
bool parseHeard(std::istringstream& fields, PhonRules* rules) {
    std::string letter, code, as, extra;
    if (!(fields >> letter >> code >> as) || (fields >> extra)) return false;
    std::string l, a;
    if (!utf8ToSet1(letter, &l) || l.size() != 1) return false;
    if (as != "-" && (!utf8ToSet1(as, &a) || a.size() != 1)) return false;
    int n = kPairCodeNone;
    if (code != "-") {
        if (code.find_first_not_of("0123456789") != std::string::npos || code.size() > 2) return false;
        n = std::stoi(code);
        if (n >= kEnvPlainCodes) return false;
        n += 16;
    }
    rules->heard.push_back({u8(l[0]), u8(n), as == "-" ? u8(0) : u8(a[0])});
    return true;
}

// The letter each pair of the table sounds as; empty when the rules hear letters as written.
std::vector<u8> heardLetters(const PhonRules& rules, const u8 (&reserved)[kEnvReservedPairs][2],
                             const std::set<std::pair<u8, u8>>& pairs) {
    std::vector<u8> out;
    if (rules.heard.empty()) return out;
    for (const auto& r : reserved) out.push_back(r[0]);
    for (const auto& [letter, code] : pairs) {
        u8 as = letter;
        for (const PhonRules::Heard& h : rules.heard)
            if (h.letter == letter && h.code == code) as = h.as;
        out.push_back(as);
    }
    return out;
}

}  // namespace

bool parsePhonRules(const std::string& text, int language, PhonRules* rules, std::string* error) {
    rules->language = language;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream fields(line);
        std::string pattern, second;
        if (!(fields >> pattern)) continue;
        if (pattern == "heard") {
            if (!parseHeard(fields, rules)) {
                *error = "line " + std::to_string(number) + ": heard needs a letter, its code or -, and a letter or -";
                return false;
            }
            continue;
        }
        std::string bytes;
        if (!utf8ToSet1(pattern, &bytes) || !(fields >> second)) {
            *error = "line " + std::to_string(number) + ": bad pattern or missing code";
            return false;
        }
        if (second == "=") {
            std::string codes;
            int code;
            while (fields >> code) {
                if (code != 11 && (code < 16 || code > 31)) {
                    *error = "line " + std::to_string(number) + ": code out of range";
                    return false;
                }
                codes.push_back(char(code));
            }
            if (codes.empty()) {
                *error = "line " + std::to_string(number) + ": replacement without codes";
                return false;
            }
            size_t index = rules->replacements.size();
            if (kEnvPlainCodes + index >= kPhonNoOutput) {
                *error = "too many replacement rules";
                return false;
            }
            rules->replacements.push_back(codes);
            rules->outputs.push_back(u8(kEnvPlainCodes + index));
        } else {
            int code = std::stoi(second);
            if (code < 0 || code >= kEnvPlainCodes) {
                *error = "line " + std::to_string(number) + ": ordinary code must be 0-15";
                return false;
            }
            rules->outputs.push_back(u8(code));
        }
        rules->patterns.push_back(bytes);
    }
    if (rules->patterns.empty()) {
        *error = "no rules";
        return false;
    }
    return true;
}

std::set<std::pair<u8, u8>> phonPairsFor(const PhonRules& rules, const std::set<u8>& characters) {
    std::set<std::pair<u8, u8>> pairs;
    for (u8 c : characters) pairs.insert({c, kPairCodeNone});
    for (size_t r = 0; r < rules.patterns.size(); ++r) {
        const std::string& p = rules.patterns[r];
        u8 out = rules.outputs[r];
        if (out < kEnvPlainCodes) {
            size_t first = p[0] == 'Y' ? 1 : 0;
            if (first < p.size() && p[first] != 'Z') pairs.insert({u8(p[first]), u8(out + 16)});
            continue;
        }
        const std::string& codes = rules.replacements[out - kEnvPlainCodes];
        size_t k = 0;
        for (char ch : p) {
            if (ch == 'Y') continue;
            if (ch == 'Z') break;
            pairs.insert({u8(ch), k < codes.size() ? u8(codes[k++]) : kPairCodeNone});
        }
    }
    return pairs;
}

bool buildPhonImage(const PhonRules& rules, const std::set<std::pair<u8, u8>>& pairs, std::vector<u8>* image,
                    std::string* error) {
    u32 pairCount = kEnvReservedPairs + u32(pairs.size());
    if (pairCount + 16 > 255) {
        *error = "the rules and letters need " + std::to_string(pairCount) + " pair codes; a key byte allows 239";
        return false;
    }
    std::string patterns;
    for (const std::string& p : rules.patterns) patterns += p + '\0';
    std::string replacements;
    for (const std::string& codes : rules.replacements) replacements += codes + '\0' + codes + '\0';
    std::vector<u16> bins{0};
    for (u8 a : keptCodes()) {
        bins.push_back(u16(a << 8));
        for (u8 b : keptCodes()) bins.push_back(u16((a << 8) | b));
    }
    if (kEnvFirstBin + (bins.size() - 1) / kEnvBinColumns >= pairCount || kEnvFirstBin + kEnvBinColumns - 1 >= pairCount) {
        *error = "too few pair codes for the bin table";
        return false;
    }
    if (patterns.size() > 0xFFFF || replacements.size() > 0xFFFF) {
        *error = "rule tables exceed a 16-bit size";
        return false;
    }

    const u8 reserved[kEnvReservedPairs][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {kPairLetterSeparator, kPairCodeNone},
                                               {kPairLetterRepeat, kPairCodeNone}, {kPairCodeNone, kPairCodeNone}};
    const std::vector<u8> heard = heardLetters(rules, reserved, pairs);
    image->clear();
    image->push_back(1);
    image->push_back(u8(rules.language));
    image->push_back('P');
    image->push_back('H');
    u32 words[16] = {u32(rules.patterns.size()), pairCount, kEnvSingleBin, kEnvUnknownIndex, kEnvPlainCodes,
                     kEnvFirstBin, kEnvBinColumns, u32(patterns.size()), 2 * pairCount, 256, 256, 256,
                     u32(rules.outputs.size()), u32(replacements.size()), u32(2 * bins.size()), u32(heard.size())};
    for (u32 w : words) put16(image, w);
    image->insert(image->end(), patterns.begin(), patterns.end());
    for (const auto& r : reserved) image->insert(image->end(), r, r + 2);
    for (const auto& [letter, code] : pairs) {
        image->push_back(letter);
        image->push_back(code);
    }
    image->insert(image->end(), 256, 0);
    const u8* classes = splLetterClassTable(rules.language);
    const u8* unaccent = splUnaccentTable(rules.language);
    for (int i = 0; i < 256; ++i) image->push_back(classes != nullptr ? classes[i] : 0);
    for (int i = 0; i < 256; ++i) image->push_back(unaccent != nullptr ? unaccent[i] : u8(i));
    image->insert(image->end(), rules.outputs.begin(), rules.outputs.end());
    image->insert(image->end(), replacements.begin(), replacements.end());
    for (u16 b : bins) put16(image, b);
    image->insert(image->end(), heard.begin(), heard.end());
    return true;
}
