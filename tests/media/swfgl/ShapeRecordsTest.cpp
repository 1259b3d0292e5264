#include "media/swfgl/ShapeRecords.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/swf/ShapeBlock.h"

namespace swf::draw {
namespace {

// A shape block with no style arrays: a move to (x, y), then one edge of the given kind whose
// deltas (both halves of a curve) are `delta`.
std::vector<u8> MoveThenEdge(i32 x, i32 y, u16 kind, i32 delta) {
    std::vector<u8> block(6 + shape::kStyleChangeFixedSize);
    writeLE16(block.data() + 4, 6);
    u8* change = block.data() + 6;
    writeLE16(change, shape::kStyleChange | shape::kMoveTo);
    writeLE16(change + 2, u16(shape::kStyleChangeFixedSize));
    writeLE32(change + 4, u32(x));
    writeLE32(change + 8, u32(y));
    const size_t at = block.size();
    const u32 size = kind == shape::kCurvedEdge ? shape::kCurvedEdgeSize : shape::kStraightEdgeSize;
    block.resize(at + size + 2, 0);
    writeLE16(block.data() + at, kind);
    for (u32 field = 2; field < size; field += 4) writeLE32(block.data() + at + field, u32(delta));
    return block;
}

// Pens are 32-bit twips: a movie whose edges add up past the range wraps around, as the
// file's 32-bit arithmetic does, and the walk goes on.
TEST(ShapeRecords, PenPositionsWrapAroundAtTheEdgesOfTheirRange) {
    constexpr i32 kMax = std::numeric_limits<i32>::max(), kMin = std::numeric_limits<i32>::min();
    struct Case {
        const char* name;
        u16 kind;
        i32 x, delta;
        i32 controlX, toX;
    };
    const Case cases[] = {
        {"straight, at the limit", shape::kStraightEdge, kMax - 10, 10, 0, kMax},
        {"straight, one past", shape::kStraightEdge, kMax - 10, 11, 0, kMin},
        {"straight, below the least", shape::kStraightEdge, kMin + 5, -6, 0, kMax},
        {"curve, control past", shape::kCurvedEdge, kMax - 3, 4, kMin, kMin + 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<u8> block = MoveThenEdge(c.x, 7, c.kind, c.delta);
        ShapeRecords walk(block.data(), u32(block.size()), 6);
        ShapeRecord record;
        ASSERT_TRUE(walk.Next(record));
        ASSERT_TRUE(walk.Next(record));
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.fromX, c.x);
        if (c.kind == shape::kCurvedEdge) {
            EXPECT_EQ(record.controlX, c.controlX);
        }
        EXPECT_EQ(record.toX, c.toX);
    }
}

}  // namespace
}  // namespace swf::draw
