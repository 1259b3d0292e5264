#include "framework/filedialogs/mfxFileFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilter, PatternsMatchNamesWithoutRegardToCase) {
    struct Case {
        const char* patterns;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.tbx", "Picture.tbx", true},      {"*.tbx", "Picture.TBX", true},    {"*.tbx", "Picture.tbx.bak", false},
        {"*.bmp;*.jpg", "cat.jpg", true},    {"*.bmp;*.jpg", "cat.gif", false}, {"*.*", "README", true},
        {"pic?.tbx", "pic1.tbx", true},      {"pic?.tbx", "pic12.tbx", false},  {"", "x", false},
        {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.patterns) + " ~ " + c.name);
        EXPECT_EQ(mfxFilterMatches({"label", c.patterns}, c.name), c.matches);
    }
}

}  // namespace
