#include "platform/cursor/Cursors.h"

#include <gtest/gtest.h>

using namespace plat::cursor;

class CursorsTest : public ::testing::Test {
protected:
    void SetUp() override { resetCursors(); }
    void TearDown() override { resetCursors(); }
};

TEST_F(CursorsTest, MadeCursorsLiveUntilDestroyedAndStopShowingThen) {
    CursorImage image;
    image.hotX = 3;
    CursorId made = createCursor(image);
    ASSERT_NE(made, kNoCursor);
    EXPECT_EQ(cursorImage(made)->hotX, 3);
    EXPECT_EQ(setCursor(made), kNoCursor);
    destroyCursor(made);
    EXPECT_EQ(liveCursorCount(), 0u);
    EXPECT_EQ(currentCursor(), kNoCursor);
    image.hotY = 32;
    EXPECT_EQ(createCursor(image), kNoCursor);
}

TEST_F(CursorsTest, SystemCursorsAreDistinctAndNeverCounted) {
    EXPECT_NE(systemCursor(SystemCursor::Arrow), systemCursor(SystemCursor::Wait));
    setCursor(systemCursor(SystemCursor::IBeam));
    destroyCursor(systemCursor(SystemCursor::IBeam));
    EXPECT_EQ(liveCursorCount(), 0u);
    EXPECT_EQ(showCursor(false), -1);
    EXPECT_EQ(showCursor(true), 0);
}
