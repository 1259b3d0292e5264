#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/ProxRules.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplShape.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTspProximity.h"
#include "spell/SplTypoTree.h"
#include "spell/SplVerify.h"

namespace {

using spelltest::withinSeconds;

std::vector<std::string> trieWords() {
    std::vector<std::string> words = {"dog", "Paris", "NASA", "don't", "well-known", "polish", "Polish", "x",
                                      "etc.", "cafe", "a", "abcdefghijklmnopqrstuvwxyz"};
    for (const char* stem : {"walk", "talk", "jump", "play", "work", "call", "help", "look", "turn", "want"})
        for (const char* ending : {"", "s", "ed", "ing", "er"}) words.push_back(std::string(stem) + ending);
    return words;
}

const std::vector<TrieSuffixRule> kTrieRules = {{"s", "", kIwCommon}, {"ed", "", kIwCommon}};

std::vector<u8> build(const std::vector<std::string>& words, const std::vector<TrieSuffixRule>& rules,
                      int language = 1) {
    std::vector<u8> image;
    u32 skipped = 0;
    std::string error;
    EXPECT_TRUE(buildTrieLexImage(words, rules, language, &image, &skipped, &error)) << error;
    return image;
}

// Every form the walker reaches, with its classes.
std::map<std::string, std::vector<u8>> walkAll(const SplTrieLexicon* lex) {
    std::map<std::string, std::vector<u8>> out;
    SplTrieWalker w;
    splTrieToRoot(&w, lex);
    std::string path;
    std::function<void()> visit = [&] {
        if (!splTrieFirstChild(&w)) return;
        do {
            const SplTrieNode& node = w.frames[w.depth - 1];
            path.push_back(char(node.letter));
            if (node.classCount > 0) out[path].assign(node.classes, node.classes + node.classCount);
            if (splTrieHasChildren(&w)) visit();
            path.pop_back();
        } while (splTrieNextSibling(&w));
        splTrieUp(&w);
    };
    visit();
    return out;
}

TEST(SplTrieLexiconTest, VerifiesEveryWordThroughAContextSlotAndRefusesOthers) {
    std::vector<u8> image = build(trieWords(), kTrieRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    ASSERT_EQ(splCorrCtxAddLexicon(&lex, 0, 31, ctx), 1);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    auto verify = [&](const std::string& w) {
        u32 result = 0;
        return splVerifyWord(spelltest::bytes(w), &rec, &result) != 0;
    };
    for (const std::string& w : trieWords()) {
        EXPECT_TRUE(verify(w)) << w;
        std::string upper = w;
        for (char& c : upper) c = char(std::toupper(u8(c)));
        EXPECT_TRUE(verify(upper)) << upper;
    }
    for (const char* w : {"Dog", "Walking", "Polish", "Etc.", "X"}) EXPECT_TRUE(verify(w)) << w;
    for (const char* w : {"paris", "nasa", "Nasa", "dOg", "walkin", "wantz", "abcdefghijklmnopqrstuvwxy", "do", "dogz",
                          "b", "parises"})
        EXPECT_FALSE(verify(w)) << w;
    splCorrCtxFree(ctx);
}

TEST(SplTrieLexiconTest, SuffixRulesStandForTheFormsTheyDerive) {
    std::vector<u8> image = build(trieWords(), kTrieRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    std::map<std::string, std::vector<u8>> stored = walkAll(&lex);
    EXPECT_EQ(stored.count("walk"), 1u);
    EXPECT_EQ(stored.count("walks"), 0u);
    EXPECT_EQ(stored.count("walked"), 0u);
    EXPECT_EQ(stored.count("walking"), 1u);
    EXPECT_EQ(stored["polish"], (std::vector<u8>{u8(kIwCommon)}));  // Polish is covered by the lower-case class
    u8 classes[kTrieMaxClasses];
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("walks"), classes), 0u);
    u32 near = 0, wordClass = 0;
    EXPECT_EQ(splTrieVerify(spelltest::bytes("walks"), &lex, &near, &wordClass), 1);
    EXPECT_EQ(wordClass, kIwCommon);
    // A rule never makes a proper name's stem take a common ending.
    EXPECT_EQ(splTrieVerify(spelltest::bytes("Pariss"), &lex, &near, &wordClass), 0);

    std::vector<u8> plain = build(trieWords(), {});
    SplTrieLexicon all;
    ASSERT_TRUE(splTrieInit(&all, 1, plain.data(), u32(plain.size())));
    EXPECT_EQ(walkAll(&all).count("walks"), 1u);
    EXPECT_EQ(splTrieVerify(spelltest::bytes("dogs"), &all, &near, &wordClass), 0);
}

TEST(SplTrieLexiconTest, AccentsAreForgivenOnlyWhenAsked) {
    std::vector<u8> image = build({"cafe", "arbol", spelltest::set1("canción")}, {}, 4);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 4, image.data(), u32(image.size())));
    struct Case {
        std::string word;
        u32 nearIn;
        int accepted;
        u32 nearOut;
    } cases[] = {{"cafe", 0, 1, 0}, {"cafe", 1, 1, 0}, {spelltest::set1("café"), 0, 0, 0}, {spelltest::set1("café"), 1, 1, 1},
                   {spelltest::set1("cofé"), 1, 0, 0}, {spelltest::set1("CAFÉ"), 1, 1, 1},
                   {spelltest::set1("canción"), 0, 1, 0}, {"cancion", 1, 0, 0}};
    for (const Case& c : cases) {
        u32 near = c.nearIn, wordClass = 0;
        EXPECT_EQ(splTrieVerify(spelltest::bytes(c.word), &lex, &near, &wordClass), c.accepted) << c.word << c.nearIn;
        EXPECT_EQ(near, c.nearOut) << c.word << c.nearIn;
    }
}

// Enough words that the stream runs over several banks and shares many tails.
TEST(SplTrieLexiconTest, LargeTreesSpanBanksAndShareTails) {
    std::vector<std::string> words;
    const char* stems[] = {"bra", "cle", "dro", "fli", "gru", "pla", "sti", "tre", "vor", "whe"};
    const char* middles[] = {"n", "m", "st", "ck", "ll", "rd", "p", "t", "z", "x", "qu", "v"};
    const char* ends[] = {"ation", "ing", "ment", "ness", "ful", "ous", "ive", "ly", "able", "ist", "ism", "ette"};
    for (const char* a : stems)
        for (const char* m : middles)
            for (const char* b : stems)
                for (const char* e : ends) words.push_back(std::string(a) + m + b + e);
    u32 seed = 7;
    for (int i = 0; i < 6000; ++i) {
        std::string w;
        for (int n = 6 + i % 7; n > 0; --n) {
            seed = seed * 1103515245u + 12345u;
            w.push_back(char('a' + (seed >> 16) % 26));
        }
        words.push_back(w);
    }
    std::vector<u8> image = build(words, {});
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    EXPECT_GT(lex.bankCount, 2u);
    EXPECT_GT(lex.sharedCount, 0u);
    std::set<std::string> distinct(words.begin(), words.end());
    EXPECT_EQ(walkAll(&lex).size(), distinct.size());
    u32 near = 0, wordClass = 0;
    for (const std::string& w : words) ASSERT_EQ(splTrieVerify(spelltest::bytes(w), &lex, &near, &wordClass), 1) << w;
    EXPECT_EQ(splTrieVerify(spelltest::bytes("bransxation"), &lex, &near, &wordClass), 0);
}

TEST(SplTrieLexiconTest, TheWriterSkipsWordsItCannotHoldAndFailsWithNone) {
    struct Case {
        std::vector<std::string> words;
        bool built;
        u32 skipped;
    } cases[] = {
        {{"dog", std::string(63, 'a')}, true, 0},
        {{"dog", std::string(64, 'a')}, true, 1},
        {{"dog", "left\x08right"}, true, 1},
        {{std::string(64, 'a')}, false, 1},
        {{}, false, 0},
    };
    for (const Case& c : cases) {
        std::vector<u8> image;
        u32 skipped = 0;
        std::string error;
        EXPECT_EQ(buildTrieLexImage(c.words, {}, 1, &image, &skipped, &error), c.built) << c.words.size() << error;
        EXPECT_EQ(skipped, c.skipped) << c.words.size();
        EXPECT_EQ(error.empty(), c.built);
        SplTrieLexicon lex;
        if (!c.built) continue;
        ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
        u8 classes[kTrieMaxClasses];
        EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes(std::string(63, 'a')), classes), c.skipped == 0 ? 1u : 0u);
    }
}

TEST(SplTrieLexiconTest, InconsistentHeadersAreRefused) {
    std::vector<u8> image = build(trieWords(), kTrieRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    size_t letters = readLE16(image.data());
    size_t pairsAt = 2 + letters;
    size_t pairs = readLE16(image.data() + pairsAt);
    size_t sharedAt = pairsAt + 2 + 2 * pairs;
    size_t shared = readLE16(image.data() + sharedAt);
    size_t rulesAt = sharedAt + 2 + 4 * shared;
    // After the two rules: no encoder states (u16), no special words (u16 count, u16 pool size).
    size_t rootAt = rulesAt + 1 + (1 + 1 + 1 + 1) + (1 + 2 + 1 + 1) + 2 + 4;
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>*)> damage;
        bool opens;
    } cases[] = {
        {"as written", [](std::vector<u8>*) {}, true},
        {"one byte short", [](std::vector<u8>* b) { b->pop_back(); }, false},
        {"one byte over", [](std::vector<u8>* b) { b->push_back(0); }, false},
        {"no letters", [](std::vector<u8>* b) { writeLE16(b->data(), 0); }, false},
        {"letters past the end", [](std::vector<u8>* b) { writeLE16(b->data(), 0xFFFF); }, false},
        {"pairs past the end", [&](std::vector<u8>* b) { writeLE16(b->data() + pairsAt, 0xFFFF); }, false},
        {"shared past the end", [&](std::vector<u8>* b) { writeLE16(b->data() + sharedAt, 0xFFFF); }, false},
        {"rule ending past the end", [&](std::vector<u8>* b) { (*b)[rulesAt + 1] = 0xFF; }, false},
        {"root in the last bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt, 0); }, true},
        {"root in a bank past the last", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt, 1); }, false},
        {"root position at the bank's last nibble", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 2, 0x3FFF); },
         true},
        {"root position past the bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 2, 0x4000); }, false},
        {"no banks", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 4, 0); }, false},
        {"an empty last bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 6, 0); }, false},
        {"a last bank past its size", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 6, 0x4001); }, false},
    };
    ASSERT_EQ(image[rulesAt], 2);
    for (const Case& c : cases) {
        std::vector<u8> bytes = image;
        c.damage(&bytes);
        EXPECT_EQ(splTrieInit(&lex, 1, bytes.data(), u32(bytes.size())), c.opens) << c.what;
    }
}

TEST(SplTrieLexiconTest, DamagedStreamsReadAsNotFound) {
    std::vector<u8> image = build(trieWords(), kTrieRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    size_t streamAt = size_t(lex.banks - image.data());
    // Shared references to nothing, kinds 6 and 7, a letter with a runaway children length, four
    // inline classes, a pair past the table.
    for (u8 fill : {0x00, 0x88, 0xFF, 0x66, 0x77, 0x1F, 0x50, 0x35}) {
        std::vector<u8> bytes = image;
        std::fill(bytes.begin() + long(streamAt), bytes.end(), fill);
        ASSERT_TRUE(splTrieInit(&lex, 1, bytes.data(), u32(bytes.size())));
        int found = 0;
        for (const std::string& w : trieWords()) {
            u32 near = 1, wordClass = 0;
            found += splTrieVerify(spelltest::bytes(w), &lex, &near, &wordClass);
        }
        EXPECT_EQ(found, 0) << int(fill);
        walkAll(&lex);
    }
}

// Trees laid out nibble by nibble, to break the layout's rules one at a time. Letter indexes
// below 15; positions count nibbles from the first bank.
std::string hexNumber(u32 value, int nibbles) {
    std::string out;
    for (int i = nibbles - 1; i >= 0; --i) out.push_back("0123456789abcdef"[value >> (4 * i) & 15]);
    return out;
}
// A word end with one class.
std::string leaf(u32 letter, bool last = false) {
    return hexNumber(kTrieInline | (last ? kTrieLast : 0), 1) + hexNumber(letter, 1) + "101";
}
// A word end with children when classed, else a plain inner node; length overrides the
// children's real length.
std::string inner(u32 letter, const std::string& children, bool last = false, bool classed = false, int length = -1) {
    u32 kind = (classed ? kTrieInlineInner : kTrieInner) | (last ? kTrieLast : 0);
    return hexNumber(kind, 1) + hexNumber(letter, 1) + (classed ? "101" : "") +
           hexNumber(length < 0 ? u32(children.size()) : u32(length), 6) + children;
}
std::string ref(u32 shared, bool last = false) { return hexNumber(last ? kTrieLast : 0, 1) + hexNumber(shared, 4); }

// The image: letters, shared nodes at the given nibbles, the top-level list at root, the stream
// (hex digits) followed by padding zero nibbles, and the English proximity encoder when asked.
std::vector<u8> handImage(const std::string& letters, const std::vector<u32>& shared, u32 root,
                          const std::string& stream, u32 padding = 0, bool encoder = false) {
    std::vector<u8> image;
    auto put16 = [&](u32 v) { image.insert(image.end(), {u8(v), u8(v >> 8)}); };
    put16(u32(letters.size()));
    image.insert(image.end(), letters.begin(), letters.end());
    put16(0);
    put16(u32(shared.size()));
    auto putPosition = [&](u32 at) { put16(at / kTrieBankNibbles), put16(at % kTrieBankNibbles); };
    for (u32 at : shared) putPosition(at);
    image.push_back(0);
    std::vector<u8> section;
    std::string error;
    if (encoder) {
        EXPECT_TRUE(buildProxEncoder(spelltest::readText(std::filesystem::path(SPELL_RULES_DIR) / "en.prox"), &section,
                                     &error))
            << error;
    }
    if (section.empty()) put16(0);
    image.insert(image.end(), section.begin(), section.end());
    put16(0), put16(0);
    std::string nibbles = stream + std::string(padding, '0');
    u32 banks = u32(nibbles.size() + kTrieBankNibbles - 1) / kTrieBankNibbles;
    EXPECT_LE(banks, 255u);
    putPosition(root), put16(banks), put16(u32(nibbles.size()) - (banks - 1) * kTrieBankNibbles);
    if (nibbles.size() % 2) nibbles.push_back('0');
    auto value = [](char hex) { return u8(hex <= '9' ? hex - '0' : hex - 'a' + 10); };
    for (size_t i = 0; i < nibbles.size(); i += 2) image.push_back(u8(value(nibbles[i]) << 4 | value(nibbles[i + 1])));
    return image;
}

// What every walk over a lexicon finds: the walker's forms, the proximity and typo walks'
// candidates for typed.
struct Walks {
    std::map<std::string, std::vector<u8>> forms;
    std::map<std::string, u32> near;
    std::set<std::string> typos;
    bool operator==(const Walks&) const = default;
};

Walks walkEverything(const SplTrieLexicon* lex, const std::string& typed) {
    Walks found;
    withinSeconds(typed.c_str(), [&] {
        found.forms = walkAll(lex);
        splTspCorrectStart(spelltest::bytes(typed), lex,
                           [](const u8* candidate, u8, u32 score, void* arg) {
                               auto* near = static_cast<std::map<std::string, u32>*>(arg);
                               (*near)[reinterpret_cast<const char*>(candidate)] = score;
                               return 0u;
                           },
                           &found.near);
        splTspTypoStart(spelltest::bytes(typed), lex,
                        [](void* arg, const u8* candidate, u8, u32) {
                            static_cast<std::set<std::string>*>(arg)->insert(reinterpret_cast<const char*>(candidate));
                        },
                        &found.typos);
    });
    return found;
}

// A child list without its last mark ran on into the lists after it; two such lists that run
// into a top-level list naming both their parents made every walk below a path that doubles at
// each letter. A list ends where its parent says.
TEST(SplTrieLexiconTest, ListsEndWhereTheirParentSaysThem) {
    const std::string typed = "aeaeaeaeaeaeaeaeaeaeaeaeaeaeaeaeaeaeaeae";
    auto image = [](bool marked) {
        std::string a = inner(0, leaf(2, marked)), e = inner(1, leaf(2, marked));
        return handImage("aei", {0, u32(a.size())}, u32(a.size() + e.size()), a + e + ref(0) + ref(1, true), 0, true);
    };
    std::vector<u8> sound = image(true), unmarked = image(false);
    SplTrieLexicon lex, soundLex;
    ASSERT_TRUE(splTrieInit(&soundLex, 1, sound.data(), u32(sound.size())));
    ASSERT_TRUE(splTrieInit(&lex, 1, unmarked.data(), u32(unmarked.size())));
    Walks expected = walkEverything(&soundLex, typed);
    EXPECT_EQ(expected.forms.size(), 2u);
    EXPECT_EQ(walkEverything(&lex, typed), expected);
    for (const char* typo : {"ai", "ia", "eia"})
        EXPECT_EQ(walkEverything(&lex, typo), walkEverything(&soundLex, typo)) << typo;
    u8 classes[kTrieMaxClasses];
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("ei"), classes), 1u);
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("eiai"), classes), 0u);
}

// Each case breaks one rule of the layout; the sound case beside it differs only there.
TEST(SplTrieLexiconTest, NodesBreakingTheLayoutEndTheirList) {
    std::string self = inner(0, ref(0, true), false, true);  // a shared word "a" whose child is itself
    struct Case {
        const char* what;
        std::vector<u8> image;
        std::set<std::string> forms;
    } cases[] = {
        {"letters rising", handImage("ab", {}, 0, leaf(0) + leaf(1, true)), {"a", "b"}},
        {"letters falling", handImage("ab", {}, 0, leaf(1) + leaf(0, true)), {"b"}},
        {"a letter twice", handImage("ab", {}, 0, leaf(0) + leaf(0, true)), {"a"}},
        {"a child inside its parent", handImage("ab", {}, 0, inner(0, leaf(1, true), true, true)), {"a", "ab"}},
        {"a child past its parent's end",
         handImage("ab", {}, 0, inner(0, leaf(1, true), true, true, 4) + "0"), {"a"}},
        {"a shared body before its reference",
         handImage("ab", {0}, 5, leaf(0) + ref(0) + leaf(1, true)), {"a", "b"}},
        {"a shared body holding its reference", handImage("ab", {0}, u32(self.size()), self + ref(0, true)), {"a"}},
    };
    for (const Case& c : cases) {
        SplTrieLexicon lex;
        ASSERT_TRUE(splTrieInit(&lex, 1, c.image.data(), u32(c.image.size()))) << c.what;
        std::set<std::string> forms;
        withinSeconds(c.what, [&] {
            for (const auto& [form, classes] : walkAll(&lex)) forms.insert(form);
        });
        EXPECT_EQ(forms, c.forms) << c.what;
        u8 classes[kTrieMaxClasses];
        for (const char* form : {"a", "b", "ab", "aa"})
            EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes(form), classes), forms.count(form)) << c.what << " " << form;
    }
}

// Levels of two shared nodes, each naming both of the level below: the tree doubles with every
// level: k levels hold 2^(k+2) - 2 nodes, then the extra leaves.
std::vector<u8> doubling(u32 levels, u32 extraLeaves) {
    std::string stream;
    std::vector<u32> shared;
    for (u32 k = 0; k <= levels; ++k)
        for (u32 letter = 0; letter < 2; ++letter) {
            shared.push_back(u32(stream.size()));
            stream += k == 0 ? leaf(letter) : inner(letter, ref(2 * k - 2) + ref(2 * k - 1, true));
        }
    u32 root = u32(stream.size());
    stream += ref(2 * levels) + ref(2 * levels + 1, extraLeaves == 0);
    for (u32 i = 0; i < extraLeaves; ++i) stream += leaf(2 + i, i + 1 == extraLeaves);
    return handImage("abcdefg", shared, root, stream);
}

// A chain of inner nodes, the last a word: a path of the given letters.
std::vector<u8> chain(u32 letters) {
    std::string node = leaf(0, true);
    for (u32 i = 1; i < letters; ++i) node = inner(0, node, true);
    return handImage("a", {}, 0, node);
}

// Forty shared entries all naming one node of ten children, each reached on its own path:
// 12 per level less one list reads; the stream padded to the nibbles given.
std::vector<u8> rereading(u32 nibbles) {
    std::string children;
    for (u32 i = 1; i <= 10; ++i) children += leaf(i, i == 10);
    std::string body = inner(0, children);
    std::string list = ref(39, true);
    for (int j = 38; j >= 0; --j) list = ref(u32(j)) + inner(11, list, true);
    std::string stream = body + list;
    EXPECT_LE(stream.size(), nibbles);
    return handImage("abcdefghijkl", std::vector<u32>(40, 0), u32(body.size()), stream, u32(nibbles - stream.size()));
}

// Every bottom list of a tree four levels of fifteen letters deep names one shared node whose
// letter nibbles run on for run nibbles: reading it stops once the letter is past the table,
// not at the run's end, or opening and walking read run nibbles per list.
std::vector<u8> longLetterRun(u32 run) {
    std::function<std::string(u32)> level = [&](u32 k) {
        std::string list;
        for (u32 letter = 0; letter < 15; ++letter)
            list += k == 4 ? inner(letter, ref(0, true), letter == 14, true)
                           : inner(letter, level(k + 1), letter == 14);
        return list;
    };
    std::string target = hexNumber(kTrieInline, 1) + std::string(run, 'f');
    return handImage("abcdefghijklmno", {0}, u32(target.size()), target + level(1));
}

TEST(SplTrieLexiconTest, ALetterStopsBeingReadOncePastTheLetterTable) {
    std::vector<u8> image = longLetterRun(1u << 20);
    SplTrieLexicon lex;
    std::map<std::string, std::vector<u8>> forms;
    withinSeconds("a long letter run", [&] {
        ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
        forms = walkAll(&lex);
    });
    EXPECT_EQ(forms.size(), 15u * 15 * 15 * 15);
    EXPECT_EQ(forms.count("oooo"), 1u);
    u8 classes[kTrieMaxClasses];
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("oooo"), classes), 1u);
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("ooooa"), classes), 0u);
}

// Sizing the tree at open bounds every walk: a tree larger or deeper than a lexicon holds, or
// whose lists overlap so that it reads more nodes than its stream holds, is refused.
TEST(SplTrieLexiconTest, TreesPastTheLimitsAreRefusedAtOpen) {
    const u32 reads = 12 * 40 - 1;
    struct Case {
        const char* what;
        std::vector<u8> image;
        bool opens;
    } cases[] = {
        {"the most nodes", doubling(20, 2), true},
        {"one node more", doubling(20, 3), false},
        {"the longest word", chain(kTrieMaxWord), true},
        {"one letter longer", chain(kTrieMaxWord + 1), false},
        {"a read per two nibbles", rereading(2 * reads), true},
        {"one read more", rereading(2 * reads - 1), false},
    };
    static_assert(kTrieMaxNodes == (1u << 22));
    for (const Case& c : cases) {
        SplTrieLexicon lex;
        bool opened = false;
        withinSeconds(c.what, [&] { opened = splTrieInit(&lex, 1, c.image.data(), u32(c.image.size())); });
        EXPECT_EQ(opened, c.opens) << c.what;
    }
    SplTrieLexicon lex;
    std::vector<u8> deepest = chain(kTrieMaxWord);
    ASSERT_TRUE(splTrieInit(&lex, 1, deepest.data(), u32(deepest.size())));
    u8 classes[kTrieMaxClasses];
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes(std::string(kTrieMaxWord, 'a')), classes), 1u);
}

}  // namespace
