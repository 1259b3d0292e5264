#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/spellcheck/SpellWords.h"

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    SpellWord w;
    u32 at = 0;
    while (spellNextWord(text, at, &w, &at)) out.push_back(text.substr(w.offset, w.length));
    return out;
}

using Words = std::vector<std::string>;

TEST(SpellWords, SplitsAtBlanksPunctuationAndControlCharacters) {
    struct Case {
        std::string text;
        Words expected;
    } cases[] = {
        {"\xBF" "D\xF3nde est\xE1 el ni\xF1o?", {"D\xF3nde", "est\xE1", "el", "ni\xF1o"}},
        {"\xA1Hola!", {"Hola"}},
        {"\xABuno\xBB \x93" "dos\x94 \x91tres\x92", {"uno", "dos", "tres"}},
        {"don't stop_me", {"don't", "stop_me"}},
        {"well-known", {"well", "known"}},
        {"'quoted' ''twice''", {"quoted", "twice"}},
        {"a\x01" "b\x1f" "c\x7f" "d\te\nf\rg", {"a", "b", "c", "d", "e", "f", "g"}},
        {"route66 1st ok 42", {"ok"}},
        {"caf\xE9\xA0noir", {"caf\xE9", "noir"}},
        {"\x95one\x95two \x86three\x87 four\x99 five\xA9 six\xAE", {"one", "two", "three", "four", "five", "six"}},
        {"\x80" "5 \xA7seven \xB0" "eight\xB1nine\xD7ten\xF7" "eleven \xAD\xA6\xB6", {"seven", "eight", "nine", "ten", "eleven"}},
        {"\x8A\x9Ckoda \xFF\x83 \xAA\xBA\xB5 \xC0\xD6\xD8\xF6\xF8", {"\x8A\x9Ckoda", "\xFF\x83", "\xAA\xBA\xB5", "\xC0\xD6\xD8\xF6\xF8"}},
        {"m\xB2 \xBD" "cup x\xB3 \xB9st ok", {"ok"}},
        {"' '' -- ...", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(words(c.text), c.expected) << c.text;
}

TEST(SpellWords, OffsetsPointIntoTheText) {
    std::string text = "  \xBFQu\xE9 tal?";
    SpellWord w;
    u32 at = 0;
    ASSERT_TRUE(spellNextWord(text, at, &w, &at));
    EXPECT_EQ(w.offset, 3u);
    EXPECT_EQ(w.length, 3u);
    ASSERT_TRUE(spellNextWord(text, at, &w, &at));
    EXPECT_EQ(w.offset, 7u);
    EXPECT_FALSE(spellNextWord(text, at, &w, &at));
}

}  // namespace
