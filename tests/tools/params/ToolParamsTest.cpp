// A tool's parameters from its settings section: what is read, what keeps its default.
#include <gtest/gtest.h>

#include "tools/params/ToolParams.h"

namespace {

TEST(ToolParams, ReadsEveryKey) {
    ToolParams p = toolParamsFromPairs({{"sizes", "1, 3,9"}, {"STARTSOUNDID", "700"}, {"strokeSoundID", "701"},
                                        {"endSoundID", "702"}, {"fullSpeed", "300"}});
    EXPECT_EQ(p.sizes, (std::vector<i16>{1, 3, 9}));
    EXPECT_EQ(p.startSound, 700);
    EXPECT_EQ(p.strokeSound, 701);
    EXPECT_EQ(p.endSound, 702);
    EXPECT_EQ(p.fullSpeed, 300);
}

TEST(ToolParams, EmptySectionGivesDefaults) {
    ToolParams p = toolParamsFromPairs({});
    EXPECT_EQ(p.sizes, ToolParams{}.sizes);
    EXPECT_EQ(p.startSound, 0);
}

TEST(ToolParams, SizeListLimits) {
    const std::vector<i16> defaults = ToolParams{}.sizes;
    std::string sixteen = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16";
    struct Case {
        const char* why;
        std::string text;
        bool kept;
    };
    for (const Case& c : {Case{"largest size", "200", true}, Case{"one past", "201", false}, Case{"zero", "0", false},
                          Case{"sixteen sizes", sixteen, true}, Case{"seventeen", sixteen + ",17", false},
                          Case{"empty", "", false}, Case{"junk entry", "4,x,8", false}, Case{"trailing comma", "4,", false},
                          Case{"negative", "-3", false}}) {
        ToolParams p = toolParamsFromPairs({{"sizes", c.text}});
        EXPECT_EQ(p.sizes != defaults, c.kept) << c.why;
    }
}

TEST(ToolParams, SoundIdLimits) {
    struct Case {
        const char* text;
        u16 expected;
    };
    for (Case c : {Case{"65535", 65535}, Case{"65536", 0}, Case{"-1", 0}, Case{"12abc", 0}, Case{" 44 ", 44}})
        EXPECT_EQ(toolParamsFromPairs({{"startSoundID", c.text}}).startSound, c.expected) << c.text;
}

TEST(ToolParams, WithoutAProfileTheDefaults) {
    ToolParams p = readToolParams(nullptr, "Circle");
    EXPECT_EQ(p.sizes, ToolParams{}.sizes);
}

}  // namespace
