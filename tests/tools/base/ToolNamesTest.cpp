// The tool-name table: every id has a name, names are unique, and the fixed indices hold.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/base/ToolNames.h"

namespace {

TEST(ToolNames, EveryIdHasAUniqueName) {
    std::set<std::string> seen;
    for (i16 id = 0; id < kToolCount; ++id) {
        ASSERT_NE(toolName(id), nullptr) << id;
        EXPECT_TRUE(seen.insert(toolName(id)).second) << toolName(id);
    }
}

TEST(ToolNames, LimitsOfTheTable) {
    struct Case {
        i16 id;
        bool named;
    };
    for (Case c : {Case{-1, false}, Case{0, true}, Case{138, true}, Case{139, false}, Case{32767, false}})
        EXPECT_EQ(toolName(c.id) != nullptr, c.named) << c.id;
}

TEST(ToolNames, FixedIndicesNameTheirTools) {
    struct Case {
        i16 id;
        const char* name;
    };
    for (Case c : {Case{kToolIdCircle, "Circle"}, Case{kToolIdMarker, "Marker"}, Case{kToolIdLine, "Line"},
                   Case{kToolIdFilledPoly, "FilledPoly"}, Case{kToolIdCutFree, "CutFree"}, Case{kToolIdCutPoly, "CutPoly"},
                   Case{kToolIdEraser, "Eraser"}, Case{kToolIdGradientFill, "GradientFill"},
                   Case{kToolIdMarchingAnts, "MarchingAnts"}, Case{kToolIdFirecracker, "Firecracker"},
                   Case{kToolIdFullCutEraser, "FullCutEraser"}, Case{kToolIdText, "Text"}, Case{30, "LoopingLine1"},
                   Case{31, "LoopingLine2"}, Case{88, "BlurBrush"}})
        EXPECT_STREQ(toolName(c.id), c.name);
}

}  // namespace
