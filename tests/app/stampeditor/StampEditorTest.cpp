// The stamp editor over the running program: which stamps it takes, the pencil and its
// strokes, the fills, rotate with undo and redo, revert, erase all, and what Done, Cancel and
// Escape hand the panel.
#include "app/stampeditor/RStampEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/keyboard/VirtualKeys.h"
#include "platform/ui/Messages.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

constexpr u16 kRed = 0x7C00;
constexpr u16 kBlue = 0x001F;

class Owner : public RStampEditorOwner {
public:
    void CommitStampEdit(u16 modified) override { commits.push_back(modified); }
    bool StoredStampPicture(std::vector<u8>* bitmap) const override {
        if (stored.empty()) return false;
        *bitmap = stored;
        return true;
    }
    std::vector<u16> commits;
    std::vector<u8> stored;
};

// A blue frame round a transparent inside with one red pixel at (3, 5).
StampGrid framed(i32 w, i32 h) {
    StampGrid grid = BlankStamp(w, h);
    for (i32 x = 0; x < w; ++x) grid.At(x, 0) = grid.At(x, h - 1) = kBlue;
    for (i32 y = 0; y < h; ++y) grid.At(0, y) = grid.At(w - 1, y) = kBlue;
    grid.At(3, 5) = kRed;
    return grid;
}

class StampEditor : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
        editor = std::make_unique<RStampEditor>(&panel, &owner);
        ASSERT_EQ(editor->Open(), 0);
    }
    void TearDown() override {
        editor.reset();
        ScreenHarness::TearDown();
    }
    void edit(const StampGrid& grid, bool isNew = false) { ASSERT_EQ(editor->EditStamp(BitmapFromStamp(grid), isNew), 0); }
    Point16 cell(i32 x, i32 y) const {
        const Rect16 grid = editor->GridRect();
        return {i16(grid.left + x * kStampCellSide + 4), i16(grid.top + y * kStampCellSide + 4)};
    }
    void press(u16 command) {
        RButton* button = editor->ButtonSet().Find(command);
        ASSERT_NE(button, nullptr) << command;
        click(centreOf(button->GetSprite()));
    }
    void controlClick(Point16 at) {
        editor->HandleInput(kInputLeftButton, at, plat::kMouseLeftButton | plat::kMouseControl);
        editor->HandleMouseUp(kInputLeftButton, at, plat::kMouseControl);
    }

    testapp::RecordingOwner panel;
    Owner owner;
    std::unique_ptr<RStampEditor> editor;
};

TEST_F(StampEditor, TakesPlain16BitStampsOfItsGridOnly) {
    struct Case {
        const char* what;
        std::vector<u8> bitmap;
        u16 result;
    };
    std::vector<u8> eightBit = BitmapFromStamp(framed(16, 16));
    eightBit[7] = 2;
    const Case cases[] = {{"16 x 16", BitmapFromStamp(framed(16, 16)), 0},
                          {"32 x 32", BitmapFromStamp(framed(32, 32)), 0},
                          {"8 bits", eightBit, 1},
                          {"cut short", std::vector<u8>(20, 0), 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(editor->EditStamp(c.bitmap, false), c.result) << c.what;
        EXPECT_EQ(editor->HasStamp(), c.result == 0) << c.what;
    }
    edit(framed(16, 16), true);
    EXPECT_EQ(editor->Stamp(), BlankStamp(16, 16)) << "a new stamp starts blank";
    EXPECT_EQ(editor->RevertFlag(), 1);
    EXPECT_EQ(editor->Open(), 0);
    EXPECT_TRUE(editor->HasStamp()) << "opening an open editor keeps its stamp";
}

TEST_F(StampEditor, PencilClicksStrokesAndControlErase) {
    edit(framed(16, 16));
    press(kStampEdPencil);
    ASSERT_TRUE(editor->PencilOn());
    editor->SetCurrentColour(kRed);
    click(cell(2, 3));
    EXPECT_EQ(editor->Stamp().At(2, 3), kRed);
    drag(cell(4, 8), cell(10, 8), 6);
    for (i32 x = 4; x <= 10; ++x) EXPECT_EQ(editor->Stamp().At(x, 8), kRed) << x;
    // A quick stroke, two moves across the grid, still sets every cell on its way.
    drag(cell(2, 12), cell(14, 12), 2);
    for (i32 x = 2; x <= 14; ++x) EXPECT_EQ(editor->Stamp().At(x, 12), kRed) << x;
    EXPECT_EQ(editor->Stamp().At(1, 12), kStampTransparent);
    controlClick(cell(0, 0));
    EXPECT_EQ(editor->Stamp().At(0, 0), kStampTransparent) << "Ctrl erases";
    move(cell(6, 14));
    EXPECT_EQ(editor->Stamp().At(6, 14), kStampTransparent) << "a move without a press draws nothing";
    // Cells past the stamp's 16 x 16, and a point just left of the grid, change nothing.
    const StampGrid before = editor->Stamp();
    click(cell(20, 20));
    const Rect16 grid = editor->GridRect();
    editor->ClickGrid({i16(grid.left - 3), i16(grid.top + 4)}, false);
    editor->ClickGrid({i16(grid.left + 4), i16(grid.top - 3)}, false);
    EXPECT_EQ(editor->Stamp(), before);
    EXPECT_TRUE(editor->IsModified());
}

TEST_F(StampEditor, FillAndControlFill) {
    edit(framed(16, 16));
    press(kStampEdFill);
    ASSERT_TRUE(editor->FillOn());
    ASSERT_FALSE(editor->PencilOn());
    editor->SetCurrentColour(kRed);
    click(cell(8, 8));
    EXPECT_EQ(editor->Stamp().At(1, 1), kRed) << "the inside is filled";
    EXPECT_EQ(editor->Stamp().At(0, 0), kBlue) << "the frame stops it";
    editor->SetCurrentColour(0x03E0);
    controlClick(cell(0, 5));
    for (i32 i = 0; i < 16; ++i) {
        EXPECT_EQ(editor->Stamp().At(i, 0), 0x03E0) << "every blue pixel";
        EXPECT_EQ(editor->Stamp().At(0, i), 0x03E0);
    }
    EXPECT_EQ(editor->Stamp().At(5, 5), kRed);
}

TEST_F(StampEditor, UndoTakesBackARotateAndRedoTurnsAgain) {
    const StampGrid start = framed(32, 32);
    edit(start);
    ASSERT_FALSE(editor->IsModified());
    ASSERT_EQ(editor->RevertFlag(), -1);
    press(kStampEdRotate);
    StampGrid turned = start;
    RotateStamp(turned);
    EXPECT_EQ(editor->Stamp(), turned);
    EXPECT_TRUE(editor->IsModified());
    press(kStampEdUndo);
    EXPECT_EQ(editor->Stamp(), start);
    EXPECT_FALSE(editor->IsModified()) << "the flags come back too";
    EXPECT_EQ(editor->RevertFlag(), -1);
    press(kStampEdUndo);
    EXPECT_EQ(editor->Stamp(), turned) << "redo";
    press(kStampEdFlip);
    StampGrid flipped = turned;
    FlipStamp(flipped, true);
    EXPECT_EQ(editor->Stamp(), flipped);
}

TEST_F(StampEditor, RevertTakesOnlyAStoredStampItCanHold) {
    edit(framed(16, 16));
    press(kStampEdEraseAll);
    const StampGrid erased = editor->Stamp();
    press(kStampEdRevert);
    EXPECT_EQ(editor->Stamp(), erased) << "no stored picture: nothing but the checkpoint";
    std::vector<u8> eightBit = BitmapFromStamp(framed(16, 8));
    eightBit[7] = 2;
    owner.stored = eightBit;
    press(kStampEdRevert);
    EXPECT_EQ(editor->Stamp(), erased) << "a picture the grid cannot hold is not copied in";
    owner.stored = BitmapFromStamp(framed(20, 8));
    press(kStampEdRevert);
    EXPECT_EQ(editor->Stamp(), framed(20, 8)) << "the stored stamp, with its own size";
}

TEST_F(StampEditor, EraseAllClearsAtOnceAndItsAnimationEnds) {
    edit(framed(32, 32));
    press(kStampEdEraseAll);
    EXPECT_EQ(editor->Stamp(), BlankStamp(32, 32));
    EXPECT_TRUE(editor->IsErasing());
    for (int tick = 0; tick < 40 && editor->IsErasing(); ++tick) advance(20);
    EXPECT_FALSE(editor->IsErasing());
    press(kStampEdUndo);
    EXPECT_EQ(editor->Stamp(), framed(32, 32));
}

TEST_F(StampEditor, DoneHandsOverAChangeAndCancelOrEscapeNothing) {
    struct Case {
        u16 button;  // 0: the Escape key
        bool change;
        u16 committed;
    };
    for (const Case c : {Case{kStampEdDone, true, 1}, Case{kStampEdDone, false, 0}, Case{kStampEdCancel, true, 0},
                         Case{0, true, 0}}) {
        editor = std::make_unique<RStampEditor>(&panel, &owner);
        ASSERT_EQ(editor->Open(), 0);
        owner.commits.clear();
        panel.heard.clear();
        edit(framed(16, 16));
        if (c.change) press(kStampEdRotate);
        c.button ? press(c.button) : key(plat::kVkEscape);
        EXPECT_EQ(owner.commits, std::vector<u16>{c.committed}) << c.button << c.change;
        ASSERT_FALSE(panel.heard.empty());
        EXPECT_EQ(panel.heard.back().code, kMsgStampEditorClosed);
        if (c.committed) {
            EXPECT_EQ(editor->HandedIn(), editor->Stamp());
        }
        c.button ? press(c.button) : key(plat::kVkEscape);
        EXPECT_EQ(owner.commits.size(), 1u) << "a second press while closing commits nothing";
    }
}

// Before a stamp is handed in, no command and no click changes anything.
TEST_F(StampEditor, WithoutAStampNothingChanges) {
    owner.stored = BitmapFromStamp(framed(16, 16));
    for (const u16 command : {kStampEdRotate, kStampEdFlip, kStampEdEraseAll, kStampEdRevert, kStampEdUndo, kStampEdPencil}) {
        press(command);
        click(cell(2, 2));
        EXPECT_FALSE(editor->IsModified()) << command;
        EXPECT_FALSE(editor->IsErasing()) << command;
        EXPECT_EQ(editor->Stamp(), StampGrid{}) << command;
    }
}

// A shown pixel within a few levels of each channel (the screen may keep fewer bits).
bool near(u32 shown, u8 red, u8 green, u8 blue) {
    const auto close = [](u32 a, u8 b) { return std::abs(int(a & 0xFF) - int(b)) <= 8; };
    return close(shown >> 16, red) && close(shown >> 8, green) && close(shown, blue);
}

// The grid shows each pixel in its colour and greys the cells past the stamp; the preview
// shows the stamp at one scale, centred; the swatch shows the colour, which a click on the
// palette takes from the palette as shown.
TEST_F(StampEditor, ShowsTheStampItsPreviewAndItsColour) {
    edit(framed(16, 16));
    settle();
    struct Case {
        i32 x, y;
        u8 red, green, blue;
    };
    const Case cells[] = {{3, 5, 255, 0, 0},     {0, 0, 0, 0, 255},     {15, 15, 0, 0, 255},  {15, 3, 0, 0, 255},
                          {16, 3, 218, 218, 218}, {3, 16, 218, 218, 218}, {31, 31, 218, 218, 218}};
    for (const Case& c : cells) EXPECT_TRUE(near(shownPixel(cell(c.x, c.y)), c.red, c.green, c.blue)) << c.x << "," << c.y;
    const u32 inside = shownPixel(cell(5, 5));
    EXPECT_FALSE(near(inside, 0, 0, 255) || near(inside, 255, 0, 0) || near(inside, 218, 218, 218)) << "a transparent pixel";

    // The preview: one red pixel for the frame's sixty blue ones, in a box centred in its view.
    const Rect16 preview = editor->PreviewRect();
    int reds = 0, blues = 0;
    Rect16 box{preview.right, preview.bottom, preview.left, preview.top};
    for (i16 y = preview.top; y < preview.bottom; ++y)
        for (i16 x = preview.left; x < preview.right; ++x) {
            const u32 p = shownPixel({x, y});
            reds += near(p, 255, 0, 0);
            if (!near(p, 0, 0, 255)) continue;
            ++blues;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, i16(x + 1)), std::max(box.bottom, i16(y + 1))};
        }
    ASSERT_GT(reds, 0);
    EXPECT_EQ(blues, 60 * reds);
    EXPECT_EQ(box.right - box.left, box.bottom - box.top) << "square";
    EXPECT_LE(std::abs((box.left + box.right) - (preview.left + preview.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (preview.top + preview.bottom)), 2);

    const Rect16 swatch = editor->SwatchRect();
    const Point16 swatchMiddle{i16((swatch.left + swatch.right) / 2), i16((swatch.top + swatch.bottom) / 2)};
    editor->SetCurrentColour(0x03E0);
    EXPECT_TRUE(near(shownPixel(swatchMiddle), 0, 255, 0));
    const Rect16 palette = editor->PaletteRect();
    for (const Point16 at : {Point16{i16(palette.left + 12), i16(palette.top + 12)},
                             Point16{i16((palette.left + palette.right) / 2), i16((palette.top + palette.bottom) / 2)}}) {
        const u32 shown = shownPixel(at);
        click(at);
        const u16 c = editor->CurrentColour();
        EXPECT_TRUE(near(shown, u8((c >> 10 & 31) << 3), u8((c >> 5 & 31) << 3), u8((c & 31) << 3))) << at.h << "," << at.v;
        EXPECT_EQ(shownPixel(swatchMiddle), shown) << "the swatch shows it";
    }
}

}  // namespace
