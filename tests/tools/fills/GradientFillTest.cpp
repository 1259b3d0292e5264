// The gradient fill's direction comes from the chosen strip item, in fours.
#include <gtest/gtest.h>

#include "tools/fills/RGradientFill.h"

namespace {

TEST(GradientFill, PatternIdPicksTheDirection) {
    RGradientFill fill;
    EXPECT_EQ(fill.GetToolId(), 118);
    struct Case {
        u16 id;
        GradientKind kind;
    };
    for (Case c : {Case{0, GradientKind::Vertical}, Case{21299, GradientKind::Vertical}, Case{21300, GradientKind::Vertical},
                   Case{21301, GradientKind::Horizontal}, Case{21302, GradientKind::Radial},
                   Case{21303, GradientKind::Diagonal}, Case{21305, GradientKind::Horizontal}}) {
        fill.SetFillPatternId(c.id);
        EXPECT_EQ(fill.Kind(), c.kind) << c.id;
        EXPECT_EQ(fill.GetFillPatternId(), c.id);
    }
}

}  // namespace
