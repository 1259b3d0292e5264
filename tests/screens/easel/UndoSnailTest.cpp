// The pointer over the undo snail brings it to rest, unless it is animating an undo (its
// frames 1083 to 1102) or the hover is the pointer leaving.
#include "engine/gfx/sprites/SprLayer.h"
#include "screens/easel/EaselCommands.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

struct SnailCase {
    u16 shape;
    u16 entering;
    u16 after;
};

class UndoSnailHover : public testscreens::EaselHarness, public ::testing::WithParamInterface<SnailCase> {};

TEST_P(UndoSnailHover, ComesToRestUnlessItIsAnimatingAnUndo) {
    enterEasel();
    SprSprite* snail = sprFind(easel->UndoSprite());
    ASSERT_NE(snail, nullptr);
    sprSetShape(snail, GetParam().shape, nullptr, 0);
    RMessage hover(kEaselUndoHover, 0, GetParam().entering);
    easel->HandleMessage(&hover, 0);
    EXPECT_EQ(snail->shape, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Table, UndoSnailHover,
                         ::testing::Values(SnailCase{1082, 1, 1103}, SnailCase{1082, 0, 1082}, SnailCase{1083, 1, 1083},
                                           SnailCase{1102, 1, 1102}));

}  // namespace
