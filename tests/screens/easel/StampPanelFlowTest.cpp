// A child's way through the stamps on the running program: the Stamps button, a stamp picked
// and laid on the canvas, the stamp editor opened on it, a change saved and used at once, and
// the same stamp found, edited and saved again after the panel is built anew (as after a
// restart: the panel reads the user's stamp file and "user.ini" again).
#include <gtest/gtest.h>

#include <set>

#include "app/stampeditor/RStampEditor.h"
#include "document/users/EnginePath.h"
#include "panels/pencil/RPencilPanel.h"
#include "panels/stamp/RStampPanel.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/ToolPicture.h"

namespace {

using namespace Ostrel;

class StampPanelFlow : public testscreens::EaselHarness {
protected:
    Point16 toolbarButton(u32 command) {
        for (const auto& b : easel->Buttons())
            if (b->GetRecord().clickMessage == command) return centreOf(b->GetSprite());
        ADD_FAILURE() << "no toolbar button " << command;
        return {-1, -1};
    }
    RStampPanel* openStamps() {
        click(toolbarButton(kEaselToolbarStamps));
        return dynamic_cast<RStampPanel*>(easel->CurrentPanel());
    }
    Point16 panelButton(RStampPanel& panel, u16 command) {
        const int index = panel.FindButtonByCommand(command);
        return index < 0 ? Point16{-1, -1} : centreOf(panel.Buttons()[size_t(index)]->GetSprite());
    }
    static Point16 editorButton(RStampEditor& editor, u16 command) {
        RButton* button = editor.ButtonSet().Find(command);
        return button ? centreOf(button->GetSprite()) : Point16{-1, -1};
    }
    static Point16 cell(RStampEditor& editor, i32 x, i32 y) {
        const Rect16 grid = editor.GridRect();
        return {i16(grid.left + x * kStampCellSide + 4), i16(grid.top + y * kStampCellSide + 4)};
    }
    u16 canvasPixel(Point16 at) {
        const Rect16& r = easel->Canvas()->CanvasRect();
        return easel->Canvas()->Picture().At(at.h - r.left, at.v - r.top);
    }
    // How many colours the window shows in a rectangle.
    size_t coloursShown(const Rect16& rect) const {
        std::set<u32> colours;
        for (i16 y = rect.top; y < rect.bottom; ++y)
            for (i16 x = rect.left; x < rect.right; ++x) colours.insert(shownPixel({x, y}));
        return colours.size();
    }
    // How many nearly black places (the popup's text) the window shows in a rectangle.
    int darkShown(const Rect16& rect) const {
        int dark = 0;
        for (i16 y = rect.top; y < rect.bottom; ++y)
            for (i16 x = rect.left; x < rect.right; ++x) {
                const u32 p = shownPixel({x, y});
                dark += ((p >> 16) & 0xFF) < 40 && ((p >> 8) & 0xFF) < 40 && (p & 0xFF) < 40;
            }
        return dark;
    }
    static u16 stripPixel(RStampPanel& panel, int item, i32 x, i32 y) {
        const ScrollerPicture* picture = panel.GetScroller()->GetItem(item);
        const PixelTile tile = tileFromBitmap(picture->data(), u32(picture->size()));
        return tile.At(x, y);
    }
    // Edits pixel (x, y) of the chosen stamp in the palette's first colour and saves it.
    void editAndSave(RStampPanel& panel, i32 x, i32 y) {
        click(panelButton(panel, kMsgStampEdit));
        RStampEditor* editor = panel.Editor();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->IsReady());
        ASSERT_TRUE(editor->HasStamp());
        ASSERT_EQ(editor->Stamp().width, 32);
        const Rect16 palette = editor->PaletteRect();
        click({i16(palette.left + 12), i16(palette.top + 12)});
        EXPECT_EQ(editor->CurrentColour(), 0x7C00) << "the palette's red";
        click(editorButton(*editor, kStampEdPencil));
        click(cell(*editor, x, y));
        EXPECT_EQ(editor->Stamp().At(x, y), 0x7C00);
        EXPECT_TRUE(editor->IsModified());
        click(editorButton(*editor, kStampEdDone));
        EXPECT_EQ(panel.Editor(), nullptr);
    }
};

TEST_F(StampPanelFlow, PickStampEditSaveAndUseItAgainAfterARebuild) {
    enterEasel();
    RStampPanel* panel = openStamps();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->Categories().names.size(), 3u);
    EXPECT_EQ(panel->Categories().names[0], "Animal Stamps");
    ASSERT_EQ(panel->GetScroller()->GetCount(), 16);
    EXPECT_FALSE(easel->SwatchHotSpot()->IsActive()) << "stamps keep their own colours";
    EXPECT_EQ(panel->CurrentStamp(), 0) << "a first use starts at stamp 0";
    Rect16 inside = panel->GetScroller()->GetCellRect(0);
    rectInset(&inside, 8, 8);
    EXPECT_GT(coloursShown(inside), 4) << "the strip shows its stamps, not only its empty cells";

    // The category label opens the list of categories; its second row opens the second.
    click(panelButton(*panel, kMsgStampCategoryPopup));
    ASSERT_TRUE(panel->Popup()->IsOpen());
    const Rect16 row = panel->Popup()->GetRowRect(1);
    const Rect16 label = panel->Buttons()[0]->GetHotSpot()->GetRect();
    EXPECT_EQ(panel->Popup()->GetRowRect(0).top, label.bottom) << "the list opens under the label";
    EXPECT_EQ(row.left, label.left);
    EXPECT_GT(darkShown(row), 10) << "the rows' names are shown";
    click({i16((row.left + row.right) / 2), i16((row.top + row.bottom) / 2)});
    EXPECT_EQ(panel->Popup()->GetValue(), 1);
    EXPECT_EQ(panel->CategoryId(), 1);
    click(panelButton(*panel, kMsgStampPreviousCategory));
    click(panelButton(*panel, kMsgStampPreviousCategory));
    EXPECT_EQ(panel->Popup()->GetValue(), 0) << "previous stops at the first";

    // The third category through the next button, then its third stamp from the strip.
    for (int press = 0; press < 3; ++press) click(panelButton(*panel, kMsgStampNextCategory));
    EXPECT_EQ(panel->Popup()->GetValue(), 2) << "next stops at the last";
    const Rect16 third = panel->GetScroller()->GetCellRect(2);
    click({i16((third.left + third.right) / 2), i16((third.top + third.bottom) / 2)});
    ASSERT_EQ(panel->CurrentStamp(), 2);
    ASSERT_TRUE(panel->StampTool()->HasPicture());

    const Rect16& canvas = easel->Canvas()->CanvasRect();
    const Point16 spot{i16(canvas.left + 100), i16(canvas.top + 100)};
    // Full size (the first size button): the stamp's pixel (1, 1) lands 15 left and up of
    // the point clicked.
    click(centreOf(panel->SizeButtons()[1]->GetSprite()));
    click(centreOf(panel->SizeButtons()[0]->GetSprite()));
    EXPECT_EQ(panel->SizeIndex(), 0);
    click(spot);
    EXPECT_NE(canvasPixel(spot), 0x7FFF) << "the stamp was laid";

    editAndSave(*panel, 1, 1);
    EXPECT_EQ(stripPixel(*panel, 2, 1, 1), 0x7C00) << "the strip shows the edited stamp";
    EXPECT_EQ(pathCheckExists(EnginePath(panel->UserStampPath()).get()), kErrNone) << panel->UserStampPath();
    const Point16 second{i16(canvas.left + 200), i16(canvas.top + 100)};
    click(second);
    EXPECT_EQ(canvasPixel({i16(second.h - 15), i16(second.v - 15)}), 0x7C00) << "the edited stamp is used at once";

    // Another panel and back: everything comes from the files again.
    click(toolbarButton(kEaselToolbarPencil));
    ASSERT_NE(dynamic_cast<RPencilPanel*>(easel->CurrentPanel()), nullptr);
    EXPECT_TRUE(easel->SwatchHotSpot()->IsActive());
    panel = openStamps();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Popup()->GetValue(), 2) << "the category comes back";
    ASSERT_EQ(panel->CurrentStamp(), 2) << "and its stamp";
    EXPECT_EQ(stripPixel(*panel, 2, 1, 1), 0x7C00);
    EXPECT_NE(stripPixel(*panel, 2, 5, 1), 0x7C00);

    editAndSave(*panel, 5, 1);
    panel = nullptr;
    click(toolbarButton(kEaselToolbarPencil));
    panel = openStamps();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(stripPixel(*panel, 2, 1, 1), 0x7C00) << "the first edit survives the second save";
    EXPECT_EQ(stripPixel(*panel, 2, 5, 1), 0x7C00);
    EXPECT_NE(stripPixel(*panel, 1, 1, 1), 0x7C00) << "the other stamps stay the library's";

    // A library that cannot be opened leaves an empty strip, and nothing to edit.
    EXPECT_EQ(panel->OpenCategory(panel->UserStampPath() + ".missing"), 1);
    EXPECT_EQ(panel->GetScroller()->GetCount(), 0);
    EXPECT_EQ(panel->CurrentStamp(), -1);
    EXPECT_FALSE(panel->StampTool()->HasPicture()) << "no stamp of the closed library stays on the tool";
    click(panelButton(*panel, kMsgStampEdit));
    EXPECT_EQ(panel->Editor(), nullptr);
}

}  // namespace
