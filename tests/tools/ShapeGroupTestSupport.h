#pragma once
// Shape groups for the tools that lay a group's frames (the roller, the spray's patterns):
// the sprite layer's tables started over archives made in memory, and groups of plain 16-bit
// frames loaded into them.
#include <vector>

#include "engine/gfx/sprites/SprShapes.h"
#include "tests/engine/gfx/sprites/SprShapesTestSupport.h"

namespace tooltest {

// A plain frame of one colour.
inline testshape::Frame solidFrame(u16 width, u16 height, u16 colour) {
    return testshape::frame16(width, height, std::vector<u16>(size_t(width) * height, colour));
}

class ShapeGroups : public testshape::SprShapesTest {
protected:
    // Loads a group of the frames under the id; its slot.
    u16 LoadGroup(u16 groupId, const std::vector<testshape::Frame>& frames) {
        EXPECT_NE(openArchive({{kSprGroupType, groupId, testshape::makeGroup(frames)}}), 0);
        return sprLoadGroup(groupId, 0, 0, 0, kSprFirstIsGroupId);
    }
};

}  // namespace tooltest
