#include "text/speech/Respelling.h"

#include <gtest/gtest.h>

namespace {

TEST(RespellingTest, WholeWordsOfTheFamilyAreReplacedIgnoringCase) {
    const std::vector<Pronunciation> list = {
        {"gif", "jif", 0, 0}, {"queso", "keso", 0, 1}, {"cat", "kat", 0, 0}, {"cat", "kitty", 0, 0}};
    struct Case {
        const char* text;
        u32 family;
        const char* spoken;
    };
    const Case cases[] = {
        {"A GIF, a gift.", 0, "A jif, a gift."},
        {"queso y gif", 0, "queso y jif"},
        {"queso y gif", 1, "keso y gif"},
        {"cat's cat", 0, "cat's kitty"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(respell(c.text, list, c.family), c.spoken);
    }
}

}  // namespace
