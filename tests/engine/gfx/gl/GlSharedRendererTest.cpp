#include "engine/gfx/gl/GlSharedRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A program stopped on its way (exit called by a fault handler, a test that never shuts down)
// still destroys the shared renderer with the statics: that must not touch the record of live
// renderers after it is gone. The child runs alone, so the shared renderer is its first.
TEST(GlSharedRendererDeathTest, AProgramExitingWithoutReleasingItExitsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            glMakeSharedRenderer();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
