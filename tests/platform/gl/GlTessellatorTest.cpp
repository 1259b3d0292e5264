#include "platform/gl/GlTessellator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gl/Gl.h"

namespace plat::gl {
namespace {

TEST(GlTessellator, TrianglesCoverTheContourAndCrossingsMakeVertices) {
    auto tessellator = Tessellator::create();
    ASSERT_NE(tessellator, nullptr);
    TessResult out;
    ASSERT_TRUE(tessellator->run({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {4}, out));
    ASSERT_FALSE(out.primitives.empty());
    uint32_t triangles = 0;
    for (const TessPrimitive& p : out.primitives) triangles += p.type == kTriangles ? p.count / 3 : p.count - 2;
    EXPECT_EQ(triangles, 2u);
    // A bow tie: GLU makes the crossing at (5, 5).
    ASSERT_TRUE(tessellator->run({{0, 0}, {10, 10}, {10, 0}, {0, 10}}, {4}, out));
    EXPECT_NE(std::find(out.vertices.begin(), out.vertices.end(), TessPoint{5, 5}), out.vertices.end());
}

}  // namespace
}  // namespace plat::gl
