// Every page of the painting panels, pressed as a child presses it on the running easel: the
// page's strip item builds its tool, help mode gets the page's item, and the sizes are offered
// only where a size means something.
#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/mixer/MixerPanelCommands.h"
#include "panels/mixer/RMixerPanel.h"
#include "panels/stamp/RStampPanel.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"
#include "tools/base/RToolMgr.h"

namespace {

using namespace Ostrel;

struct PageCase {
    u32 toolbar;
    int page;     // the panel's page (mode, family) button; -1: none
    int subMode;  // the brush panel's sub-mode button; -1: none
    int item;  // -1: an item past the strip
    i16 tool;
    u16 help;   // 0: the panel leaves help mode's item alone
    int sizes;  // size buttons shown; -1: the panel has none
};

class PanelChoices : public testscreens::EaselHarness, public ::testing::WithParamInterface<PageCase> {
protected:
    void press(const RButtonSet& set, int index) {
        ASSERT_LT(size_t(index), set.size());
        click(centreOf(set[size_t(index)]->GetSprite()));
    }
};

int shownCount(const RButtonSet& set) {
    int shown = 0;
    for (const auto& button : set) shown += button->IsShown() ? 1 : 0;
    return shown;
}

TEST_P(PanelChoices, ItemBuildsItsToolWithThePagesHelpAndSizes) {
    const PageCase& c = GetParam();
    enterEasel();
    RMessage toolbar(c.toolbar, 0, 0);
    easel->HandleMessage(&toolbar, 0);
    settle();
    auto* panel = dynamic_cast<RToolPanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    if (c.page >= 0) press(panel->Buttons(), c.page);
    auto* brushes = dynamic_cast<RRealMediaToolPanel*>(panel);
    if (c.subMode >= 0) {
        ASSERT_NE(brushes, nullptr);
        press(brushes->SubModeButtons(), c.subMode);
    }
    RScrollToolPanel* strip = brushes ? brushes->GetSubPanel() : dynamic_cast<RScrollToolPanel*>(panel);
    ASSERT_NE(strip, nullptr);
    // No tool bar button shows the wacky panel: its choices come as its strip sends them.
    if (c.item < 0 || c.toolbar == kEaselToolbarWacky) {
        RMessage choice(kMsgScrollerHit, 0, u16(c.item < 0 ? strip->ItemCount() : c.item));
        strip->HandleMessage(&choice, 0);
    } else {
        strip->GetScroller()->ScrollIntoView(c.item);
        settle();
        const Rect16 cell = strip->GetScroller()->GetCellRect(c.item);
        click({i16((cell.left + cell.right) / 2), i16((cell.top + cell.bottom) / 2)});
    }
    EXPECT_EQ(easel->Canvas()->ToolManager()->CurrentToolIndex(), c.tool);
    if (c.help != 0) {
        EXPECT_EQ(GetHelpContext().currentItem, c.help);
    }
    const RButtonSet* sizes = nullptr;
    if (brushes) sizes = &brushes->SizeButtons();
    if (auto* mixer = dynamic_cast<RMixerPanel*>(panel)) sizes = &mixer->SizeButtons();
    if (auto* stamps = dynamic_cast<RStampPanel*>(panel)) sizes = &stamps->SizeButtons();
    if (c.sizes < 0) return;
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(shownCount(*sizes), c.sizes);
    if (c.sizes == 0) return;
    // Each shown size reaches the tools; a size the buttons do not offer changes nothing.
    for (int size = 0; size < c.sizes; ++size) {
        press(*sizes, size);
        EXPECT_EQ(easel->Canvas()->ToolManager()->Settings().sizeFactor, float(size + 1)) << size;
    }
    for (u32 outside : {0u, 5u}) {
        RMessage size(kMsgMixerSize, (*sizes)[0]->GetCommand() - 1 + outside, 0);
        panel->HandleMessage(&size, 0);
        EXPECT_EQ(easel->Canvas()->ToolManager()->Settings().sizeFactor, float(c.sizes)) << outside;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PanelChoices,
    ::testing::Values(
        // The mixer: the whole-picture effects have no size, the effect brushes four.
        PageCase{kEaselToolbarMixer, 0, -1, 0, 65, 858, 0}, PageCase{kEaselToolbarMixer, 0, -1, 21, 86, 858, 0},
        PageCase{kEaselToolbarMixer, 1, -1, 0, 87, 859, 4}, PageCase{kEaselToolbarMixer, 1, -1, -1, 87, 859, 4}, PageCase{kEaselToolbarMixer, 1, -1, 11, 98, 859, 4},
        // The wacky brushes, from the tool bar command alone.
        PageCase{kEaselToolbarWacky, -1, -1, 0, 20, 839, -1}, PageCase{kEaselToolbarWacky, -1, -1, 10, 30, 839, -1},
        PageCase{kEaselToolbarWacky, -1, -1, 24, 44, 839, -1}, PageCase{kEaselToolbarWacky, -1, -1, -1, 20, 839, -1},
        // The brush panel's families and sub-modes.
        PageCase{kEaselToolbarPaint, 0, 0, 19, 19, 838, 4}, PageCase{kEaselToolbarPaint, 0, 1, 3, 23, 838, 4},
        PageCase{kEaselToolbarPaint, 1, 0, 3, 48, 839, 4}, PageCase{kEaselToolbarPaint, 1, 1, 3, 58, 839, 4},
        PageCase{kEaselToolbarPaint, 2, 1, 2, 119, 840, 0},
        // The eraser's effects; its plain page takes no effect.
        PageCase{kEaselToolbarEraser, 0, -1, 0, 123, 899, -1}, PageCase{kEaselToolbarEraser, 0, -1, 14, 137, 899, -1},
        PageCase{kEaselToolbarEraser, 1, -1, -1, 99, 898, -1},
        // The stamps: the rubber stamp, with its four sizes.
        PageCase{kEaselToolbarStamps, -1, -1, 2, 120, 0, 4},
        // The fill buckets.
        PageCase{kEaselToolbarFill, 0, -1, 7, 116, 848, -1}, PageCase{kEaselToolbarFill, 1, -1, 7, 118, 849, -1},
        PageCase{kEaselToolbarFill, 2, -1, 7, 117, 850, -1}));

}  // namespace
