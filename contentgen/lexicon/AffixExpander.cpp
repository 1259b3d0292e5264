#include "contentgen/lexicon/AffixExpander.h"

#include <fstream>
#include <map>
#include <sstream>

namespace {

using Text = std::u32string;

Text decode(const std::string& s) {
    Text out;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : 3;
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra && i + size_t(k) < s.size(); ++k) cp = (cp << 6) | (s[i + size_t(k)] & 0x3F);
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

std::string encode(const Text& t) {
    std::string out;
    for (char32_t cp : t) {
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

// A condition: one element per character, each a set of characters (negated or not).
struct Element {
    Text set;
    bool negated = false;
    bool any = false;
};

std::vector<Element> parseCondition(const Text& c) {
    std::vector<Element> out;
    for (size_t i = 0; i < c.size(); ++i) {
        Element e;
        if (c[i] == U'.') {
            e.any = true;
        } else if (c[i] == U'[') {
            ++i;
            if (i < c.size() && c[i] == U'^') e.negated = true, ++i;
            while (i < c.size() && c[i] != U']') e.set.push_back(c[i++]);
        } else {
            e.set.push_back(c[i]);
        }
        out.push_back(e);
    }
    return out;
}

bool elementMatches(const Element& e, char32_t c) {
    if (e.any) return true;
    bool in = e.set.find(c) != Text::npos;
    return in != e.negated;
}

struct Rule {
    Text strip, add, continuation;
    std::vector<Element> condition;
};

struct Affix {
    bool suffix = true;
    bool cross = false;
    std::vector<Rule> rules;
};

bool matches(const Rule& r, const Text& w, bool suffix) {
    size_t n = r.condition.size();
    if (w.size() < n || w.size() < r.strip.size() || w.size() == r.strip.size()) return false;
    for (size_t i = 0; i < n; ++i) {
        char32_t c = suffix ? w[w.size() - n + i] : w[i];
        if (!elementMatches(r.condition[i], c)) return false;
    }
    return suffix ? w.compare(w.size() - r.strip.size(), r.strip.size(), r.strip) == 0
                  : w.compare(0, r.strip.size(), r.strip) == 0;
}

Text apply(const Rule& r, const Text& w, bool suffix) {
    return suffix ? w.substr(0, w.size() - r.strip.size()) + r.add : r.add + w.substr(r.strip.size());
}

struct AffixFile {
    bool utf8Flags = false;
    std::map<char32_t, Affix> affixes;

    // Flags as characters: one per UTF-8 character with FLAG UTF-8, one per byte otherwise.
    Text flags(const std::string& s) const {
        if (utf8Flags) return decode(s);
        Text out;
        for (unsigned char c : s) out.push_back(c);
        return out;
    }
};

bool readAffixFile(const std::string& path, AffixFile* aff) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string kind, flag, a, b, c;
        if (!(f >> kind)) continue;
        if (kind == "FLAG" && f >> a) aff->utf8Flags = a == "UTF-8";
        if (kind != "SFX" && kind != "PFX") continue;
        if (!(f >> flag >> a >> b)) continue;
        Text flagText = aff->flags(flag);
        if (flagText.size() != 1) continue;
        Affix& affix = aff->affixes[flagText[0]];
        affix.suffix = kind == "SFX";
        // A header line ("Y"/"N" and a count) ends there; a rule goes on to its condition.
        bool hasCondition = static_cast<bool>(f >> c);
        if ((a == "Y" || a == "N") && !hasCondition) {
            affix.cross = a == "Y";
            continue;
        }
        if (!hasCondition) c = ".";
        Rule r;
        r.strip = a == "0" ? Text() : decode(a);
        size_t slash = b.find('/');
        std::string add = b.substr(0, slash);
        r.add = add == "0" ? Text() : decode(add);
        if (slash != std::string::npos) r.continuation = aff->flags(b.substr(slash + 1));
        r.condition = parseCondition(decode(c));
        affix.rules.push_back(r);
    }
    return true;
}

void expandStem(const AffixFile& aff, const Text& stem, const Text& flags, std::vector<std::string>* out) {
    out->push_back(encode(stem));
    std::vector<Text> crossable;
    for (char32_t f : flags) {
        auto it = aff.affixes.find(f);
        if (it == aff.affixes.end() || !it->second.suffix) continue;
        for (const Rule& r : it->second.rules) {
            if (!matches(r, stem, true)) continue;
            Text w = apply(r, stem, true);
            out->push_back(encode(w));
            if (it->second.cross) crossable.push_back(w);
            for (char32_t g : r.continuation) {
                auto next = aff.affixes.find(g);
                if (next == aff.affixes.end() || !next->second.suffix) continue;
                for (const Rule& r2 : next->second.rules)
                    if (matches(r2, w, true)) out->push_back(encode(apply(r2, w, true)));
            }
        }
    }
    for (char32_t f : flags) {
        auto it = aff.affixes.find(f);
        if (it == aff.affixes.end() || it->second.suffix) continue;
        for (const Rule& r : it->second.rules) {
            if (matches(r, stem, false)) out->push_back(encode(apply(r, stem, false)));
            if (!it->second.cross) continue;
            for (const Text& w : crossable)
                if (matches(r, w, false)) out->push_back(encode(apply(r, w, false)));
        }
    }
}

}  // namespace

bool expandAffixes(const std::string& affPath, const std::string& dicPath, std::vector<std::string>* forms,
                   std::string* error) {
    return expandAffixFamilies(
        affPath, dicPath,
        [forms](const std::vector<std::string>& family) { forms->insert(forms->end(), family.begin(), family.end()); },
        error);
}

bool expandAffixFamilies(const std::string& affPath, const std::string& dicPath, const AffixFamilyVisitor& visit,
                         std::string* error) {
    AffixFile aff;
    if (!readAffixFile(affPath, &aff)) {
        *error = "cannot read " + affPath;
        return false;
    }
    std::ifstream dic(dicPath);
    if (!dic) {
        *error = "cannot read " + dicPath;
        return false;
    }
    std::string line;
    std::getline(dic, line);  // the entry count
    std::vector<std::string> family;
    while (std::getline(dic, line)) {
        size_t end = line.find_first_of("\t \r");
        if (end != std::string::npos) line.resize(end);
        size_t slash = line.find('/');
        std::string stem = line.substr(0, slash);
        if (stem.empty()) continue;
        Text flags = slash == std::string::npos ? Text() : aff.flags(line.substr(slash + 1));
        family.clear();
        expandStem(aff, decode(stem), flags, &family);
        visit(family);
    }
    return true;
}
