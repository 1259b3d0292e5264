#include <cstring>

#include "OffscreenTestSupport.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxMeasureText.h"
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/WindowRectConversions.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace {

const GfxColor kPortRed = GfxColor::rgb(255, 0, 0);
const GfxColor kBlue = GfxColor::rgb(0, 0, 255);

// A window of the message core with a 40 × 30 face on a headless display, and its port.
class WindowPortTest : public OffscreenTest {
protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        plat::setDisplayDriver(&display);
        window = plat::createWindow({"Test", "test", plat::defaultWindowProcedure});
        face = display.openWindow(window, "test", 40, 30);
        port = static_cast<GfxDDrawWindowPort*>(gfxNewDDrawWindowPort(window, 0, nullptr));
        ASSERT_NE(port, nullptr);
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        while (port && port->lockCount) gfxUnlockPort(port);
        gfxDisposePort(port);
        face.reset();
        plat::destroyWindow(window);
        drainMessages();
        plat::setDisplayDriver(nullptr);
        OffscreenTest::TearDown();
    }
    static void drainMessages() {
        plat::Message m;
        while (plat::peekMessage(m, true)) {
        }
    }
    u32 shown(i32 x, i32 y) const { return static_cast<plat::HeadlessWindow&>(*face).shownPixel(x, y); }
    void fillWhole(const GfxColor& color) {
        ASSERT_EQ(gfxLockPort(port), kErrNone);
        ASSERT_EQ(port->FillColorRect(Rect16{0, 0, 40, 30}, color, 0), kErrNone);
        ASSERT_EQ(gfxUnlockPort(port), kErrNone);
    }

    plat::HeadlessDisplay display;
    plat::WindowHandle window = plat::kNoWindow;
    std::unique_ptr<plat::DisplayWindow> face;
    GfxDDrawWindowPort* port = nullptr;
};

TEST_F(WindowPortTest, DrawingShowsWhenTheLastLockEnds) {
    EXPECT_EQ(port->kind, kGfxKindWindow);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    EXPECT_EQ(port->depth, 24);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    ASSERT_EQ(port->FillColorRect(Rect16{5, 5, 10, 8}, kPortRed, 0), kErrNone);
    gfxUnlockPort(port);
    EXPECT_EQ(shown(5, 5), 0u) << "nothing is shown while the port is still locked";
    gfxUnlockPort(port);
    EXPECT_EQ(shown(5, 5), 0xFF0000u);
    EXPECT_EQ(shown(9, 7), 0xFF0000u);
    EXPECT_EQ(shown(10, 7), 0u);
    EXPECT_EQ(shown(9, 8), 0u);
}

TEST_F(WindowPortTest, APictureCopiedIntoTheWindowShowsAtOnceWhileThePortIsHeldLocked) {
    // The application holds the window port locked from start to exit; its sprite layer
    // copies each change of the screen in. Both copy roads: another depth and the same.
    GfxOffscreenPort* other = makeOffscreen(40, 30, 16, nullptr, false);
    GfxOffscreenPort* same = makeOffscreen(40, 30, 24, nullptr, false);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    for (GfxOffscreenPort* picture : {other, same}) {
        SCOPED_TRACE(picture->depth);
        ASSERT_EQ(gfxLockPort(picture), kErrNone);
        ASSERT_EQ(picture->FillColorRect(Rect16{0, 0, 40, 30}, picture == other ? kPortRed : kBlue, 0), kErrNone);
        const u32 expected = picture == other ? 0xF80000u : 0x0000F8u;
        const Rect16 copied = picture == other ? Rect16{4, 3, 12, 9} : Rect16{20, 10, 30, 20};
        ASSERT_EQ(picture->CopyBits(port, copied, copied, 0, 0), kErrNone);
        gfxUnlockPort(picture);
        EXPECT_EQ(shown(copied.left, copied.top) & 0xF8F8F8, expected);
        EXPECT_EQ(shown(copied.right - 1, copied.bottom - 1) & 0xF8F8F8, expected);
        // Only the copied part is shown: around it the window still shows what it showed.
        EXPECT_EQ(shown(copied.right, copied.top), 0u);
        EXPECT_EQ(shown(copied.left, copied.bottom), 0u);
    }
    EXPECT_GE(port->lockCount, 1);
    gfxUnlockPort(port);
}

TEST_F(WindowPortTest, OffscreenPictureCopiedToTheWindowReadsBackPixelForPixel) {
    GfxOffscreenPort* picture = makeOffscreen(40, 30, 16, nullptr, false);
    for (i32 y = 0; y < 30; ++y)
        for (i32 x = 0; x < 40; ++x) setWord(picture, x, y, u16((x * 31 / 39) << 10 | (y * 31 / 29) << 5 | ((x + y) & 31)));
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    ASSERT_EQ(picture->CopyBits(port, Rect16{0, 0, 40, 30}, Rect16{0, 0, 40, 30}, 0, 0), kErrNone);
    ASSERT_EQ(gfxUnlockPort(port), kErrNone);
    for (i32 y = 0; y < 30; ++y)
        for (i32 x = 0; x < 40; ++x) {
            u16 w = word(picture, x, y);
            u32 expected = (u32((w >> 10) & 31) << 19) | (u32((w >> 5) & 31) << 11) | (u32(w & 31) << 3);
            ASSERT_EQ(shown(x, y) & 0xF8F8F8, expected) << x << "," << y;
        }
}

TEST_F(WindowPortTest, UpdateOfACleanWindowDrawsTheWholePort) {
    ASSERT_EQ(port->BeginUpdate(), kErrNone);
    EXPECT_EQ(port->BeginUpdate(), kGfxErrUpdateActive);
    fillWhole(kBlue);
    EXPECT_EQ(shown(0, 0), 0x0000FFu);
    EXPECT_EQ(shown(39, 29), 0x0000FFu);
    EXPECT_EQ(port->EndUpdate(), kErrNone);
    EXPECT_EQ(port->EndUpdate(), kGfxErrNoUpdate);
}

TEST_F(WindowPortTest, UpdateCutsDrawingToTheInvalidAreaAndValidatesIt) {
    face->invalidate(plat::gdi::Rect{0, 0, 10, 10});
    face->invalidate(plat::gdi::Rect{30, 20, 40, 30});
    ASSERT_EQ(port->BeginUpdate(), kErrNone);
    EXPECT_TRUE(face->updateRegion().empty()) << "the window stops asking to be painted";
    fillWhole(kBlue);
    EXPECT_EQ(shown(9, 9), 0x0000FFu);
    EXPECT_EQ(shown(35, 25), 0x0000FFu);
    EXPECT_EQ(shown(20, 15), 0u);
    ASSERT_EQ(port->EndUpdate(), kErrNone);
    fillWhole(kPortRed);
    EXPECT_EQ(shown(20, 15), 0xFF0000u) << "after the update the clip is whole again";
}

// The drawing API's update calls work on the current port, which must be a window's.
TEST_F(WindowPortTest, TheUpdateCallsTakeTheCurrentWindowPortInOrder) {
    gfxSetPort(nullptr);
    EXPECT_EQ(gfxBeginUpdate(), kGfxErrBadPort);
    makeOffscreen(4, 4, 16);
    EXPECT_EQ(gfxBeginUpdate(), kGfxErrBadPort);
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    gfxSetPort(port);
    using Step = std::pair<EngineErr (*)(), EngineErr>;
    for (auto [call, expected] : {Step{gfxEndUpdate, kGfxErrNoUpdate}, {gfxBeginUpdate, kErrNone},
                                  {gfxBeginUpdate, kGfxErrUpdateActive}, {gfxEndUpdate, kErrNone}}) {
        EXPECT_EQ(call(), expected);
        EXPECT_EQ(gfxGetLastError(), expected);
    }
    EXPECT_FALSE(port->Updating());
}

TEST_F(WindowPortTest, ScrollMarksTheUncoveredAreaUnlessTheCallerTakesIt) {
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    ASSERT_EQ(port->Scroll(Rect16{0, 0, 40, 30}, 0, -5, 0), kErrNone);
    EXPECT_EQ(face->updateRegion(), plat::gdi::Region(plat::gdi::Rect{0, 25, 40, 30}));
    face->validate(face->clientRect());
    memHandle uncovered = rgnCreate();
    ASSERT_EQ(port->Scroll(Rect16{0, 0, 40, 30}, 4, 0, uncovered), kErrNone);
    EXPECT_TRUE(face->updateRegion().empty());
    EXPECT_EQ(rgnContainsPoint(uncovered, Point16{3, 29}), 1);
    EXPECT_EQ(rgnContainsPoint(uncovered, Point16{4, 0}), 0);
    rgnDispose(uncovered);
    gfxUnlockPort(port);
}

TEST_F(WindowPortTest, DirectAccessWithoutTheDirectSurfacePathIsRefused) {
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    GfxPixelDescriptor descriptor{};
    EXPECT_EQ(port->LockBits(&descriptor), kGfxErrNotSupported);
    EXPECT_EQ(port->bitsLocked, 0);
    gfxUnlockPort(port);
}

TEST_F(WindowPortTest, WindowWithoutAFaceHasNoPort) {
    plat::WindowHandle bare = plat::createWindow({"Test", "bare", plat::defaultWindowProcedure});
    EXPECT_EQ(gfxNewDDrawWindowPort(bare, 0, nullptr), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrGdi);
    EXPECT_EQ(gfxNewDDrawWindowPort(window, 0, kGfxBadPaletteHandle), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    plat::destroyWindow(bare);
}

// The second face stands 40 pixels right of the first on the headless screen; a rectangle
// that cannot be converted stays as it was.
TEST_F(WindowPortTest, RectanglesGoBetweenAFacesClientAreaAndTheScreen) {
    const plat::WindowHandle second = plat::createWindow({"Test", "second", plat::defaultWindowProcedure});
    const std::unique_ptr<plat::DisplayWindow> secondFace = display.openWindow(second, "second", 10, 10);
    for (const auto& [w, onScreen] : {std::pair{second, LongRect{41, 2, 51, 12}}, {plat::kNoWindow, {1, 2, 11, 12}},
                                      {second, {INT32_MIN + 9, 0, INT32_MAX - 9, 1}}}) {
        LongRect rect = onScreen;
        EXPECT_EQ(ScreenRectToClient(w, &rect), w == second && onScreen.left > 0) << onScreen.left;
        EXPECT_TRUE(ClientRectToScreen(w, &rect) == (w == second && onScreen.left > 0) && std::memcmp(&rect, &onScreen, sizeof rect) == 0);
    }
    EXPECT_EQ(ClientRectToScreen(second, nullptr), 0);
    plat::destroyWindow(second);
}

// A port over a part of the face: its (0, 0) is the part's corner, and nothing it draws
// reaches the rest of the face. A part not inside the face makes no port.
TEST_F(WindowPortTest, APortOverAPartOfTheFaceDrawsOnlyThere) {
    struct Case {
        Rect16 area;
        bool made;
    };
    const Case cases[] = {{{0, 10, 40, 30}, true}, {{0, 0, 40, 30}, true}, {{0, 11, 40, 31}, false},
                          {{-1, 10, 39, 30}, false}, {{0, 10, 41, 30}, false}, {{0, 10, 0, 30}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.left << "," << c.area.top << "," << c.area.right << "," << c.area.bottom);
        GfxPort* part = gfxNewDDrawWindowPort(window, 0, nullptr, &c.area);
        ASSERT_EQ(part != nullptr, c.made);
        if (!part) {
            EXPECT_EQ(gfxGetLastError(), kGfxErrBadValue);
            continue;
        }
        fillWhole(kBlue);
        ASSERT_EQ(gfxLockPort(part), kErrNone);
        ASSERT_EQ(part->FillColorRect(Rect16{-5, -5, 40, 30}, kPortRed, 0), kErrNone);
        gfxUnlockPort(part);
        EXPECT_EQ(shown(0, c.area.top) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(shown(39, 29) & 0xFFFFFF, 0xFF0000u);
        if (c.area.top > 0) {
            EXPECT_EQ(shown(0, c.area.top - 1) & 0xFFFFFF, 0x0000FFu) << "above the part";
        }
        gfxDisposePort(part);
    }
}

TEST_F(WindowPortTest, MemoryDisplayPortTakesTheDisplayFormat) {
    ASSERT_TRUE(display.changeMode({800, 600, 16, 60}, false));
    GfxPort* memory = gfxNewOffscreenPort(20, 10, kGfxMemoryDisplayDepth, nullptr);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->kind, kGfxKindMemoryDisplay);
    ASSERT_EQ(gfxLockPort(memory), kErrNone);
    EXPECT_EQ(memory->depth, 16);
    ASSERT_EQ(memory->FillColorRect(Rect16{0, 0, 20, 10}, kPortRed, 0), kErrNone);
    GfxColor read;
    memory->ReadPixel(&read, 19, 9);
    EXPECT_EQ(read.red, 0xF8);
    EXPECT_EQ(read.blue, 0);
    gfxUnlockPort(memory);
    EXPECT_EQ(gfxDisposePort(memory), kErrNone);
}

TEST_F(WindowPortTest, MeasuringAnEmptyTextGivesNothing) {
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    gfxSetPort(port);
    GfxTextExtents extents{1, 2, 3};
    EXPECT_EQ(gfxMeasureText(&extents, "", kGfxTextToZero, 0), kErrNone);
    EXPECT_EQ(extents.leading, 0);
    EXPECT_EQ(extents.inkWidth, 0);
    EXPECT_EQ(extents.trailing, 0);
    gfxUnlockPort(port);
}

TEST_F(WindowPortTest, ExtraSpacingWidensTheInkByTheSpaces) {
    ASSERT_EQ(gfxLockPort(port), kErrNone);
    gfxSetPort(port);
    GfxTextExtents plain{}, spaced{};
    ASSERT_EQ(gfxMeasureText(&plain, "a b c d", kGfxTextToZero, 0), kErrNone);
    ASSERT_EQ(gfxMeasureText(&spaced, "a b c dXYZ", 7, 2), kErrNone);
    EXPECT_GT(plain.inkWidth, 0);
    EXPECT_EQ(spaced.inkWidth, plain.inkWidth + 2 * 3);
    EXPECT_EQ(spaced.leading, plain.leading);
    gfxUnlockPort(port);
}

}  // namespace
