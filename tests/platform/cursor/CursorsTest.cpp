#include "platform/cursor/Cursors.h"

#include <gtest/gtest.h>

#include <optional>

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
}

TEST_F(CursorsTest, HotspotsOutsideThePictureAreRefused) {
    struct Case {
        int hotX, hotY;
        bool made;
    } cases[] = {
        {0, 0, true}, {kCursorSize - 1, kCursorSize - 1, true}, {kCursorSize, 0, false},
        {0, kCursorSize, false}, {-1, 0, false}, {0, -1, false},
    };
    for (const Case& c : cases) {
        CursorImage image;
        image.hotX = c.hotX;
        image.hotY = c.hotY;
        EXPECT_EQ(createCursor(image) != kNoCursor, c.made) << c.hotX << "," << c.hotY;
    }
}

TEST_F(CursorsTest, OnlySystemCursorIdsNameASystemCursor) {
    for (SystemCursor kind : {SystemCursor::Arrow, SystemCursor::Cross, SystemCursor::IBeam, SystemCursor::Wait})
        EXPECT_EQ(systemCursorOf(systemCursor(kind)), kind);
    EXPECT_EQ(systemCursorOf(kNoCursor), std::nullopt);
    EXPECT_EQ(systemCursorOf(systemCursor(kLastSystemCursor) + 1), std::nullopt);
    EXPECT_EQ(systemCursorOf(createCursor({})), std::nullopt);
}

TEST_F(CursorsTest, SystemCursorsAreDistinctAndNeverCounted) {
    EXPECT_NE(systemCursor(SystemCursor::Arrow), systemCursor(SystemCursor::Wait));
    setCursor(systemCursor(SystemCursor::IBeam));
    destroyCursor(systemCursor(SystemCursor::IBeam));
    EXPECT_EQ(liveCursorCount(), 0u);
    EXPECT_EQ(showCursor(false), -1);
    EXPECT_EQ(showCursor(true), 0);
}
