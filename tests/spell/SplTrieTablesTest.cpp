// The letter tree's encoder and special-word tables as the reader checks them: each refused
// table differs from an accepted one in the one value a check guards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contentgen/lexicon/TrieLexWriter.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplTrieLexicon.h"

namespace {

struct State {
    u8 letter, output;
    u16 first;
    u8 count;
};

void put16(std::vector<u8>* out, size_t v) {
    u8 b[2];
    writeLE16(b, u16(v));
    out->insert(out->end(), b, b + 2);
}

std::vector<u8> encoder(const std::vector<State>& states, const std::vector<u8>& strings) {
    std::vector<u8> out;
    put16(&out, states.size());
    for (const State& s : states) {
        out.insert(out.end(), {s.letter, s.output});
        put16(&out, s.first);
        out.push_back(s.count);
    }
    put16(&out, strings.size());
    out.insert(out.end(), strings.begin(), strings.end());
    return out;
}

// A patternChain of patterns n letters deep.
std::vector<State> patternChain(u32 n) {
    std::vector<State> states{{0, 127, 1, 1}};
    for (u32 i = 1; i <= n; ++i) states.push_back({u8('a' - 'X'), 16, u16(i < n ? i + 1 : 0), u8(i < n ? 1 : 0)});
    return states;
}

// Specials section of (class, word, replacement) entries at the offsets given.
std::vector<u8> specials(const std::vector<std::string>& words, std::vector<size_t> offsets = {}, bool endNul = true) {
    std::vector<u8> pool{1};
    std::vector<size_t> at;
    for (const std::string& w : words) {
        at.push_back(pool.size());
        pool.insert(pool.end(), w.begin(), w.end());
        pool.push_back(0);
        pool.push_back(0);  // no replacement
        pool.push_back(1);
    }
    if (!endNul) pool.resize(pool.size() - 2);
    if (offsets.empty()) offsets = at;
    std::vector<u8> out;
    put16(&out, offsets.size());
    put16(&out, pool.size());
    for (size_t o : offsets) put16(&out, o);
    out.insert(out.end(), pool.begin(), pool.end());
    return out;
}

bool opens(const TrieLexExtras& extras) {
    std::vector<u8> image;
    u32 skipped = 0;
    std::string error;
    return buildTrieLexImage({"dog", "cat"}, {}, 1, &image, &skipped, &error, extras);
}

TEST(TrieTables, EncoderLimits) {
    struct Case {
        const char* what;
        std::vector<State> states;
        std::vector<u8> strings;
        bool accepted;
    } cases[] = {
        {"patterns 8 deep", patternChain(8), {}, true},
        {"patterns 9 deep", patternChain(9), {}, false},
        {"code 16", {{0, 127, 1, 1}, {9, 16, 0, 0}}, {}, true},
        {"code 31", {{0, 127, 1, 1}, {9, 31, 0, 0}}, {}, true},
        {"code 15", {{0, 127, 1, 1}, {9, 15, 0, 0}}, {}, false},
        {"code 32", {{0, 127, 1, 1}, {9, 32, 0, 0}}, {}, false},
        {"no output", {{0, 127, 1, 1}, {9, 127, 0, 0}}, {}, true},
        {"the last string", {{0, 127, 1, 1}, {9, 128, 0, 0}}, {16, 'x', 0}, true},
        {"past the last string", {{0, 127, 1, 1}, {9, 129, 0, 0}}, {16, 'x', 0}, false},
        {"a string of codes", {{0, 127, 1, 1}, {9, 128, 0, 0}}, {16, 0, 127, 0, 0}, true},
        {"a string with a bad code", {{0, 127, 1, 1}, {9, 128, 0, 0}}, {16, 0, 15, 0, 0}, false},
        {"a string without its end", {{0, 127, 1, 1}, {9, 128, 0, 0}}, {16, 0}, false},
        {"a string's last pair cut", {{0, 127, 1, 1}, {9, 128, 0, 0}}, {16}, false},
        {"children after their parent", {{0, 127, 1, 1}, {9, 16, 2, 1}, {9, 16, 0, 0}}, {}, true},
        {"a child that is its parent", {{0, 127, 1, 1}, {9, 16, 1, 1}, {9, 16, 0, 0}}, {}, false},
        {"children up to the last state", {{0, 127, 1, 2}, {9, 16, 0, 0}, {10, 16, 0, 0}}, {}, true},
        {"children past the last state", {{0, 127, 1, 3}, {9, 16, 0, 0}, {10, 16, 0, 0}}, {}, false},
        {"a root without children", {{0, 127, 0, 0}}, {}, false},
    };
    for (const Case& c : cases) {
        TrieLexExtras extras;
        extras.encoder = encoder(c.states, c.strings);
        EXPECT_EQ(opens(extras), c.accepted) << c.what;
    }
    TrieLexExtras cut;
    cut.encoder = encoder(patternChain(2), {});
    cut.encoder.resize(cut.encoder.size() - 3);
    EXPECT_FALSE(opens(cut));
}

TEST(TrieTables, SpecialWordLimits) {
    std::string longest(63, 'x'), tooLong(64, 'x');
    struct Case {
        const char* what;
        std::vector<u8> section;
        bool accepted;
    } cases[] = {
        {"none", specials({}), true},
        {"sorted", specials({"alot", "dont"}), true},
        {"not sorted", specials({"dont", "alot"}), false},
        {"a word of 63 bytes", specials({longest}), true},
        {"a word of 64 bytes", specials({tooLong}), false},
        {"offset 1", specials({"alot"}, {1}), true},
        {"offset 0", specials({"alot"}, {0}), false},
        {"an offset at the pool's end", specials({"alot"}, {8}), false},
        {"an empty word", specials({""}), false},
        {"a pool without its last NUL", specials({"alot"}, {}, false), false},
    };
    for (const Case& c : cases) {
        TrieLexExtras extras;
        extras.specials = c.section;
        EXPECT_EQ(opens(extras), c.accepted) << c.what;
    }
}

}  // namespace
