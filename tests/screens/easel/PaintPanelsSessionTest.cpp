// A child's session with the painting panels in the running program: each tool bar button
// opens its panel, a choice and a size picked there paint on the canvas, and after logging out
// and in again the panel comes back with the same choices and the same tool.
#include <gtest/gtest.h>

#include "engine/gfx/sprites/SprShapes.h"
#include "framework/undo/UndoManager.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/brushsub/RSpraySubPanel.h"
#include "panels/eraser/REraserPanel.h"
#include "panels/fill/RFillPanel.h"
#include "panels/mixer/RMixerPanel.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/RToolMgr.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;

constexpr u16 kPencilButton = 1012;
constexpr u16 kPaintButton = 1015;
constexpr u16 kPanelsFillButton = 1018;
constexpr u16 kMixerButton = 1021;
constexpr u16 kEraserButton = 1033;

class PaintPanelsSession : public testscreens::EaselHarness {
protected:
    RButton* button(u16 id) {
        const i32 index = easel->FindButtonById(id);
        return index < 0 ? nullptr : easel->Buttons()[size_t(index)].get();
    }
    void press(u16 toolbarButton) { click(centreOf(button(toolbarButton)->GetSprite())); }
    void press(const RButtonSet& set, size_t index) {
        ASSERT_LT(index, set.size());
        click(centreOf(set[index]->GetSprite()));
    }
    void pressItem(RScrollToolPanel& panel, int item) {
        ASSERT_NE(panel.GetScroller(), nullptr);
        const Rect16 cell = panel.GetScroller()->GetCellRect(item);
        ASSERT_LT(cell.left, cell.right) << "item " << item << " is on the strip's first page";
        click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    }
    template <class Panel>
    Panel* shown() {
        auto* panel = dynamic_cast<Panel*>(easel->CurrentPanel());
        EXPECT_NE(panel, nullptr);
        return panel;
    }
    RToolMgr& manager() { return *easel->Canvas()->ToolManager(); }
    Rect16 canvas() { return easel->Canvas()->CanvasRect(); }
    // A stroke across the canvas; true when it changed the picture.
    bool paints() {
        const Rect16 c = canvas();
        const u64 before = PictureHash(c);
        drag({i16(c.left + 60), i16(c.top + 60)}, {i16(c.left + 200), i16(c.top + 140)});
        return PictureHash(c) != before;
    }
    // Out to the login and back as the same child; the pencils come first.
    void logOutAndIn() {
        press(kPencilButton);
        logIn("Maya");
        settle();
        easel = dynamic_cast<REasel*>(app->GetCurrentModule());
        ASSERT_NE(easel, nullptr);
    }
};

TEST_F(PaintPanelsSession, ChoicesPaintAndComeBackAfterLoggingInAgain) {
    enterEasel();

    // Sprays: the family of rollers and sprays, the spray sub-mode, the second pattern.
    press(kPaintButton);
    RRealMediaToolPanel* brushes = shown<RRealMediaToolPanel>();
    ASSERT_NE(brushes, nullptr);
    press(brushes->Buttons(), 2);
    press(brushes->SubModeButtons(), 1);
    ASSERT_NE(brushes->GetSubPanel(), nullptr);
    auto* sprays = dynamic_cast<RSpraySubPanel*>(brushes->GetSubPanel());
    ASSERT_NE(sprays, nullptr);
    // Each pattern's group is loaded for the gun and the one before it released, as a group.
    EXPECT_EQ(sprays->GetPatternGroup(), 24000);
    for (const auto& [item, before] : {std::pair{2, 24000}, std::pair{1, 24200}}) {
        pressItem(*sprays, item);
        const u16 group = u16(24000 + 100 * item);
        EXPECT_NE(sprFindGroup(group), kSprNoSlot) << item;
        EXPECT_EQ(sprFindGroup(u16(before)), kSprNoSlot) << item;
        EXPECT_EQ(sprays->GetPatternGroup(), group);
        auto* gun = dynamic_cast<RSprayGun*>(manager().GetCurrentTool());
        ASSERT_NE(gun, nullptr);
        EXPECT_EQ(gun->GetPatternGroup(), group);
        EXPECT_EQ(gun->GetPatternEntry(), &sprays->Table()[size_t(item)]);
    }
    EXPECT_TRUE(paints());

    // Fill: the gradients, the third one, poured on the canvas.
    press(kPanelsFillButton);
    RFillPanel* fills = shown<RFillPanel>();
    ASSERT_NE(fills, nullptr);
    press(fills->Buttons(), 1);
    pressItem(*fills, 2);
    EXPECT_EQ(manager().CurrentToolIndex(), kToolIdGradientFill);
    const Rect16 c = canvas();
    const u64 before = PictureHash(c);
    click({i16(c.left + 20), i16(c.top + 20)});
    EXPECT_NE(PictureHash(c), before) << "the gradient fills the page";

    // Eraser: the square tip, the smallest size, across what the fill left.
    press(kEraserButton);
    REraserPanel* eraser = shown<REraserPanel>();
    ASSERT_NE(eraser, nullptr);
    press(eraser->ShapeButtons(), 1);
    press(eraser->SizeButtons(), 0);
    EXPECT_EQ(manager().Settings().sizeFactor, 1.0f);
    EXPECT_TRUE(paints());
    // The effects page: the firecracker goes off at the next click on the picture, and undo
    // brings the picture back.
    press(eraser->Buttons(), 0);
    EXPECT_EQ(manager().CurrentToolIndex(), kToolIdFirecracker);
    // The plain page has no strip: its empty white cells are hidden, and the panel shows
    // through where the effects page has them.
    const Rect16 cell = eraser->GetScroller()->GetCellRect(0);
    const i16 x = i16((cell.left + cell.right) / 2);
    const i16 y = i16((cell.top + cell.bottom) / 2);
    const Rect16 middle = {x, y, i16(x + 1), i16(y + 1)};
    const auto whiteAt = [this](const Rect16& r) {
        const golden::RgbPicture p = Shown(r);
        // White as the 16-bit world shows it.
        return p.rgb.size() == 3 && p.rgb[0] >= 0xF8 && p.rgb[1] >= 0xF8 && p.rgb[2] >= 0xF8;
    };
    const u64 painted = PictureHash(c);
    click({i16(c.left + 100), i16(c.top + 100)});
    EXPECT_NE(PictureHash(c), painted);
    // The wipe runs a frame a tick; undo waits for its end.
    for (int tick = 0; tick < 300 && manager().IsRunning(); ++tick) advance(16);
    EXPECT_FALSE(manager().IsRunning());
    ASSERT_NE(app->GetUndoManager(), nullptr);
    app->GetUndoManager()->Undo();
    settle();
    EXPECT_EQ(PictureHash(c), painted);
    press(eraser->Buttons(), 1);
    EXPECT_FALSE(whiteAt(middle)) << "the plain page hides the strip's empty cells";

    // Mixer: the effect brushes, the largest size.
    press(kMixerButton);
    RMixerPanel* mixer = shown<RMixerPanel>();
    ASSERT_NE(mixer, nullptr);
    press(mixer->Buttons(), 1);
    press(mixer->SizeButtons(), 3);
    EXPECT_EQ(manager().Settings().sizeFactor, 4.0f);

    logOutAndIn();

    press(kPaintButton);
    brushes = shown<RRealMediaToolPanel>();
    ASSERT_NE(brushes, nullptr);
    EXPECT_EQ(brushes->GetFamily(), 2);
    EXPECT_EQ(brushes->Choices()[kBrushWordRollerMode], i16(kBrushModeSpray));
    EXPECT_EQ(brushes->Choices()[kBrushWordFirstItem + 5], 1);
    EXPECT_EQ(manager().CurrentToolIndex(), kToolIdSprayGun);

    press(kPanelsFillButton);
    fills = shown<RFillPanel>();
    ASSERT_NE(fills, nullptr);
    EXPECT_EQ(fills->GetMode(), 1);
    EXPECT_EQ(fills->Choices()[kFillWordFirstItem + 1], 2);
    ASSERT_NE(fills->GetFill(), nullptr);
    EXPECT_EQ(fills->GetFill()->GetFillPatternId(), 21302);
    EXPECT_EQ(manager().CurrentToolIndex(), kToolIdGradientFill);

    press(kEraserButton);
    eraser = shown<REraserPanel>();
    ASSERT_NE(eraser, nullptr);
    EXPECT_EQ(eraser->Choices()[kEraserWordShape], i16(kMsgEraserSquare));
    EXPECT_EQ(eraser->Choices()[kEraserWordSize], 1);
    EXPECT_EQ(manager().Settings().sizeFactor, 1.0f);

    press(kMixerButton);
    mixer = shown<RMixerPanel>();
    ASSERT_NE(mixer, nullptr);
    EXPECT_EQ(mixer->Choices()[kMixerWordPage], 1);
    EXPECT_EQ(mixer->Choices()[kMixerWordSize], 3);
    EXPECT_EQ(manager().Settings().sizeFactor, 4.0f);
}

}  // namespace
