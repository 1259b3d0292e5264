// The eraser keeps the plain pencil's id and takes its tip shape from the panel's code.
#include <gtest/gtest.h>

#include "tools/erasers/REraserTool.h"

namespace {

TEST(EraserTool, ShapeCodes) {
    REraserTool eraser;
    EXPECT_EQ(eraser.GetToolId(), 99);
    struct Case {
        i16 code;
        i16 shape;
    };
    for (Case c : {Case{kEraserShapeRound, kEraserShapeRound}, Case{kEraserShapeSquare, kEraserShapeSquare},
                   Case{889, kEraserShapeRound}, Case{0, kEraserShapeRound}}) {
        eraser.SetShape(c.code);
        EXPECT_EQ(eraser.GetShape(), c.shape) << c.code;
    }
}

}  // namespace
