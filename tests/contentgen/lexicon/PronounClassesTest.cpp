#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contentgen/lexicon/PronounClasses.h"

namespace {

// The class a verb form gets from the dictionary's forms with pronouns: which pronouns it takes
// (row 0 all, 1 all but "te", 2 the third persons) and how many letters before them the accent goes.
TEST(SpanishPronounClasses, FormsWithPronounsGiveTheVerbItsRowAndAccent) {
    struct Case {
        std::vector<std::string> words;
        const char* verb;
        int row, shift;
    } cases[] = {
        {{"come", "cómelo", "cómetelo"}, "come", 0, 3},
        // "se" alone is no ending of the pronoun table, yet it shows the form takes two pronouns.
        {{"coman", "cómanlo", "cómanse"}, "coman", 1, 4},
        // Forms of "comentá" (said "vos") are not forms of "comenta".
        {{"comenta", "comentá", "coméntalo", "comentámelo", "comentámela"}, "comenta", 2, 4},
    };
    for (Case& c : cases) {
        std::sort(c.words.begin(), c.words.end());
        const auto classes = spanishPronounClasses(c.words);
        const auto found = classes.find(c.verb);
        ASSERT_NE(found, classes.end()) << c.verb;
        EXPECT_EQ(found->second & 15, c.row) << c.verb;
        EXPECT_EQ((found->second >> 4) & 7, c.shift) << c.verb;
    }
}

}  // namespace
