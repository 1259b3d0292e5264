#include "contentgen/lexicon/TrieLexWriter.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "engine/base/ByteOrder.h"
#include "spell/SplCompat.h"
#include "spell/SplShape.h"
#include "spell/SplTrieLexicon.h"

namespace {

using Classes = std::vector<u8>;
using Nibbles = std::vector<u8>;

constexpr size_t kReferenceNibbles = 5;

// True when every shape that class c accepts is accepted by class d too.
bool covers(u8 d, u8 c) {
    for (u32 w = 0; w < 32; ++w)
        if (compatfl(w, c) && !compatfl(w, d)) return false;
    return true;
}

// The classes a form needs: one that another covers is dropped.
Classes reduce(const std::set<u8>& all) {
    Classes kept(all.begin(), all.end());
    for (size_t i = 0; i < kept.size();) {
        bool covered = false;
        for (size_t j = 0; j < kept.size() && !covered; ++j) covered = j != i && covers(kept[j], kept[i]);
        if (covered) kept.erase(kept.begin() + long(i));
        else ++i;
    }
    return kept;
}

struct TrieNode {
    Classes classes;
    std::map<u8, std::unique_ptr<TrieNode>> children;
};

// A node up to identity: equal subtrees get one id.
struct Shape {
    u8 letter;
    Classes classes;
    std::vector<u32> children;
    auto operator<=>(const Shape&) const = default;
};

struct Encoder {
    std::map<Shape, u32> ids;
    std::vector<Shape> shapes;
    std::vector<u32> uses;
    std::vector<Nibbles> bodies;
    std::vector<int> sharedIndex;  // -1: not shared
    std::vector<u32> sharedOrder;
    std::map<std::pair<u8, u8>, u32> pairs;
    std::vector<int> letterIndex = std::vector<int>(256, -1);

    u32 intern(u8 letter, const TrieNode& node) {
        Shape s{letter, node.classes, {}};
        for (const auto& [c, child] : node.children) s.children.push_back(intern(c, *child));
        auto [it, added] = ids.insert({s, u32(shapes.size())});
        if (added) {
            shapes.push_back(s);
            uses.push_back(0);
        }
        ++uses[it->second];
        return it->second;
    }

    static void put(Nibbles* n, u32 value, int nibbles) {
        for (int i = nibbles - 1; i >= 0; --i) n->push_back(u8(value >> (4 * i) & 15));
    }

    // The children list of ids, each shared one as a reference, the last marked.
    bool list(std::vector<u32> children, Nibbles* out, std::string* error) {
        std::sort(children.begin(), children.end(), [this](u32 a, u32 b) {
            return letterIndex[shapes[a].letter] < letterIndex[shapes[b].letter];
        });
        for (u32 id : children) {
            if (!encode(id, error)) return false;
            size_t start = out->size();
            if (uses[id] >= 2 && bodies[id].size() > kReferenceNibbles) {
                if (sharedIndex[id] < 0) {
                    sharedIndex[id] = int(sharedOrder.size());
                    sharedOrder.push_back(id);
                }
                out->push_back(u8(kTrieShared));
                put(out, u32(sharedIndex[id]), 4);
            } else {
                out->insert(out->end(), bodies[id].begin(), bodies[id].end());
            }
            if (id == children.back()) (*out)[start] |= kTrieLast;
        }
        return true;
    }

    bool encode(u32 id, std::string* error) {
        if (!bodies[id].empty()) return true;
        const Shape& s = shapes[id];
        bool inner = !s.children.empty();
        Nibbles body;
        u32 kind = s.classes.size() == 2 ? kTriePair : !s.classes.empty() ? kTrieInline : kTrieInner;
        if (inner && kind != kTrieInner) ++kind;
        body.push_back(u8(kind));
        u32 letter = u32(letterIndex[s.letter]);
        for (; letter >= 15; letter -= 15) body.push_back(15);
        body.push_back(u8(letter));
        if (s.classes.size() == 2) {
            auto [it, added] = pairs.insert({{s.classes[0], s.classes[1]}, u32(pairs.size())});
            put(&body, it->second, 4);
        } else if (!s.classes.empty()) {
            body.push_back(u8(s.classes.size()));
            for (u8 c : s.classes) put(&body, c, 2);
        }
        if (inner) {
            Nibbles children;
            if (!list(s.children, &children, error)) return false;
            if (children.size() >= (1u << 24)) {
                *error = "a node's children need more nibbles than a 24-bit length holds";
                return false;
            }
            put(&body, u32(children.size()), 6);
            body.insert(body.end(), children.begin(), children.end());
        }
        bodies[id] = std::move(body);
        return true;
    }
};

void put16(std::vector<u8>* image, size_t v) {
    u8 b[2];
    writeLE16(b, u16(v));
    image->insert(image->end(), b, b + 2);
}

void putBank(std::vector<u8>* image, size_t linear) {
    put16(image, linear / kTrieBankNibbles);
    put16(image, linear % kTrieBankNibbles);
}

// The forms a suffix rule can stand for: each needs one class, equal to
// the rule's, and its stem is kept with that class.
std::set<std::string> derivable(const std::map<std::string, Classes>& forms, const std::vector<TrieSuffixRule>& rules) {
    std::set<std::string> candidates;
    std::map<std::string, std::string> stemOf;
    for (const auto& [form, classes] : forms) {
        if (classes.size() != 1) continue;
        for (const TrieSuffixRule& r : rules) {
            size_t n = r.ending.size();
            if (r.stemClass != classes[0] || n >= form.size() || form.compare(form.size() - n, n, r.ending) != 0) continue;
            std::string stem = form.substr(0, form.size() - n) + r.stemEnding;
            auto it = forms.find(stem);
            if (it == forms.end() || std::find(it->second.begin(), it->second.end(), r.stemClass) == it->second.end())
                continue;
            candidates.insert(form);
            stemOf[form] = stem;
            break;
        }
    }
    std::set<std::string> left;
    for (const std::string& form : candidates)
        if (!candidates.count(stemOf[form])) left.insert(form);
    return left;
}

}  // namespace

bool buildTrieLexImage(const std::vector<std::string>& words, const std::vector<TrieSuffixRule>& rules, int language,
                       std::vector<u8>* image, u32* skipped, std::string* error, const TrieLexExtras& extras) {
    *skipped = 0;
    std::vector<std::string> kept;
    std::map<std::string, std::set<u8>> seen;
    for (const std::string& w : words) {
        u8 form[kSplShapeOutSize];
        u32 flags = w.size() < 64 ? doflags(reinterpret_cast<const u8*>(w.c_str()), form, language) : 0;
        size_t length = std::strlen(reinterpret_cast<const char*>(form));
        if (flags == 0 || length > kTrieMaxWord || std::memchr(form, 8, length) != nullptr) {
            ++*skipped;
            continue;
        }
        seen[std::string(reinterpret_cast<const char*>(form), length)].insert(u8(flags));
        kept.push_back(w);
    }
    if (seen.empty()) {
        *error = "no word the letter tree can hold";
        return false;
    }
    std::map<std::string, Classes> forms;
    for (const auto& [form, classes] : seen) {
        forms[form] = reduce(classes);
        if (forms[form].size() > kTrieMaxClasses) {
            *error = "more than three classes for one word: " + form;
            return false;
        }
    }
    std::set<std::string> omitted = derivable(forms, rules);

    TrieNode root;
    std::vector<size_t> frequency(256, 0);
    for (const auto& [form, classes] : forms) {
        if (omitted.count(form)) continue;
        TrieNode* node = &root;
        for (char ch : form) {
            auto& child = node->children[u8(ch)];
            if (!child) {
                child = std::make_unique<TrieNode>();
                ++frequency[u8(ch)];
            }
            node = child.get();
        }
        node->classes = classes;
    }
    Encoder enc;
    std::vector<u32> top;
    for (const auto& [c, child] : root.children) top.push_back(enc.intern(c, *child));
    std::vector<u8> letters;
    for (int c = 1; c < 256; ++c)
        if (frequency[size_t(c)] > 0) letters.push_back(u8(c));
    std::stable_sort(letters.begin(), letters.end(), [&](u8 a, u8 b) { return frequency[a] > frequency[b]; });
    for (size_t i = 0; i < letters.size(); ++i) enc.letterIndex[letters[i]] = int(i);
    enc.bodies.resize(enc.shapes.size());
    enc.sharedIndex.assign(enc.shapes.size(), -1);
    Nibbles topList;
    if (!enc.list(top, &topList, error)) return false;

    Nibbles stream;
    std::vector<size_t> sharedAt;
    for (u32 id : enc.sharedOrder) {
        sharedAt.push_back(stream.size());
        stream.insert(stream.end(), enc.bodies[id].begin(), enc.bodies[id].end());
    }
    size_t rootAt = stream.size();
    stream.insert(stream.end(), topList.begin(), topList.end());
    size_t banks = (stream.size() + kTrieBankNibbles - 1) / kTrieBankNibbles;
    if (banks > 255 || enc.sharedOrder.size() > 0xFFFF || enc.pairs.size() > 0xFFFF || rules.size() > 255) {
        *error = "the letter tree outgrows its tables (banks, shared nodes, class pairs or suffix rules)";
        return false;
    }

    image->clear();
    put16(image, letters.size());
    image->insert(image->end(), letters.begin(), letters.end());
    put16(image, enc.pairs.size());
    std::vector<std::pair<u8, u8>> pairList(enc.pairs.size());
    for (const auto& [pair, index] : enc.pairs) pairList[index] = pair;
    for (auto [a, b] : pairList) image->insert(image->end(), {a, b});
    put16(image, sharedAt.size());
    for (size_t at : sharedAt) putBank(image, at);
    image->push_back(u8(rules.size()));
    for (const TrieSuffixRule& r : rules) {
        if (r.ending.size() > 255 || r.stemEnding.size() > 255) {
            *error = "a suffix rule's ending is longer than 255 bytes";
            return false;
        }
        image->push_back(u8(r.ending.size()));
        image->insert(image->end(), r.ending.begin(), r.ending.end());
        image->push_back(u8(r.stemEnding.size()));
        image->insert(image->end(), r.stemEnding.begin(), r.stemEnding.end());
        image->push_back(r.stemClass);
    }
    if (extras.encoder.empty()) put16(image, 0);
    image->insert(image->end(), extras.encoder.begin(), extras.encoder.end());
    if (extras.specials.empty()) put16(image, 0), put16(image, 0);
    image->insert(image->end(), extras.specials.begin(), extras.specials.end());
    putBank(image, rootAt);
    put16(image, banks);
    put16(image, stream.size() - (banks - 1) * kTrieBankNibbles);
    if (stream.size() % 2) stream.push_back(0);
    for (size_t i = 0; i < stream.size(); i += 2) image->push_back(u8(stream[i] << 4 | stream[i + 1]));

    SplTrieLexicon lex;
    if (!splTrieInit(&lex, language, image->data(), u32(image->size()))) {
        *error = "the written letter tree does not open";
        return false;
    }
    for (const std::string& w : kept) {
        u32 near = 0, wordClass = 0;
        if (!splTrieVerify(reinterpret_cast<const u8*>(w.c_str()), &lex, &near, &wordClass)) {
            *error = "the written letter tree refuses " + w;
            return false;
        }
    }
    return true;
}
