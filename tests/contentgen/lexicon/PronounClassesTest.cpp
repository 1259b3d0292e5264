#include <gtest/gtest.h>

#include "contentgen/lexicon/PronounClasses.h"

namespace {

// A verb form's class from the dictionary's forms with pronouns (sorted): its row (0 all, 1 all
// but "te", 2 the third persons) and how many letters before the pronouns the accent goes. "se"
// alone shows two pronouns; the forms of "comentá" (said with "vos") are none of "comenta".
TEST(SpanishPronounClasses, FormsWithPronounsGiveTheVerbItsRowAndAccent) {
    struct Case {
        std::vector<std::string> words;
        const char* verb;
        int row, shift;
    } cases[] = {{{"come", "cómelo", "cómetelo"}, "come", 0, 3},
                 {{"coman", "cómanlo", "cómanse"}, "coman", 1, 4},
                 {{"comenta", "comentá", "comentámela", "comentámelo", "coméntalo"}, "comenta", 2, 4}};
    for (const Case& c : cases) {
        const auto classes = spanishPronounClasses(c.words);
        ASSERT_EQ(classes.count(c.verb), 1u) << c.verb;
        EXPECT_EQ(classes.at(c.verb), 128 + (c.shift << 4) + c.row) << c.verb;
    }
}

}  // namespace
