// Toolbar commands replace the easel's tool option panel and its help items; the same command
// twice keeps it.
#include <array>
#include <functional>

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/eraser/REraserPanel.h"
#include "panels/fill/RFillPanel.h"
#include "panels/mixer/RMixerPanel.h"
#include "panels/text/RTextPanel.h"
#include "panels/pencil/RPencilPanel.h"
#include "panels/wacky/RWackyToolPanel.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "screens/easel/REasel.h"
#include "tools/base/RToolMgr.h"

namespace {

using namespace Ostrel;

class PanelSwitching : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        easel = std::make_unique<REasel>();
        easel->CreateCanvas();
        ASSERT_NE(easel->Canvas(), nullptr);
    }
    void TearDown() override {
        easel.reset();
        gfxShutdownPalettes();
        memShutdown();
    }
    void send(u32 code) {
        RMessage message(code, 0, 0);
        easel->HandleMessage(&message, 0);
    }
    std::unique_ptr<REasel> easel;
};

TEST_F(PanelSwitching, PencilCommandBuildsThePencilPanelOnce) {
    send(232);
    ASSERT_NE(dynamic_cast<RPencilPanel*>(easel->CurrentPanel()), nullptr);
    EXPECT_EQ(easel->CurrentToolbar(), 232);
    RPanel* first = easel->CurrentPanel();
    send(232);
    EXPECT_EQ(easel->CurrentPanel(), first) << "the same button twice does not rebuild the panel";
}

// Each tool bar button builds its own panel, and becomes the tool bar chosen. This easel has
// no libraries: a library button builds no panel, having nothing to show.
TEST_F(PanelSwitching, EachToolbarBuildsItsPanel) {
    const auto library = [](RPanel* p) { return p == nullptr; };
    const std::pair<u32, std::function<bool(RPanel*)>> cases[] = {
        {kEaselToolbarPaint, [](RPanel* p) { return dynamic_cast<RRealMediaToolPanel*>(p) != nullptr; }},
        {kEaselToolbarWacky, [](RPanel* p) { return dynamic_cast<RWackyToolPanel*>(p) != nullptr; }},
        {kEaselToolbarFill, [](RPanel* p) { return dynamic_cast<RFillPanel*>(p) != nullptr; }},
        {kEaselToolbarEraser, [](RPanel* p) { return dynamic_cast<REraserPanel*>(p) != nullptr; }},
        {kEaselToolbarMixer, [](RPanel* p) { return dynamic_cast<RMixerPanel*>(p) != nullptr; }},
        {kEaselToolbarText, [](RPanel* p) { return dynamic_cast<RTextPanel*>(p) != nullptr; }},
        {kEaselToolbarStickers, library},
        {kEaselToolbarAnimations, library},
        {kEaselToolbarBackgrounds, library},
        {kEaselToolbarSounds, library},
    };
    for (const auto& [toolbar, isItsPanel] : cases) {
        send(toolbar);
        EXPECT_TRUE(isItsPanel(easel->CurrentPanel())) << toolbar;
        EXPECT_EQ(easel->CurrentToolbar(), i16(toolbar)) << toolbar;
    }
}

TEST_F(PanelSwitching, IgnoredToolbarCodesKeepThePanel) {
    send(232);
    RPanel* first = easel->CurrentPanel();
    for (u32 code : {226u, 231u, 221u, 1012u}) {
        send(code);
        EXPECT_EQ(easel->CurrentToolbar(), 232) << code;
        EXPECT_EQ(easel->CurrentPanel(), first) << code;
    }
}

TEST_F(PanelSwitching, PanelToolsReachTheCanvasToolManager) {
    send(232);
    auto* panel = dynamic_cast<RToolPanel*>(easel->CurrentPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetCanvasRect().left, easel->Canvas()->CanvasRect().left);
    EXPECT_EQ(panel->GetCanvasRect().bottom, easel->Canvas()->CanvasRect().bottom);
    EXPECT_TRUE(easel->Canvas()->ToolManager()->IsListeningTo(panel));
}

// Each toolbar command gives help mode the help items of its panel and says whether Start
// Over is offered beside it: the eraser's panel takes Start Over away, every other brings it
// back; the wacky brushes and the pictures keep the help items of the panel before them.
struct ToolbarCase {
    u32 toolbar;
    std::array<u16, 3> help;
    bool startOver;
};

class ToolbarHelp : public PanelSwitching, public ::testing::WithParamInterface<ToolbarCase> {};

TEST_P(ToolbarHelp, GivesHelpModeItsPanelsItemsAndStartOverItsPlace) {
    // The pencils come first, as on entering; then the eraser, to be left again.
    send(kEaselToolbarPencil);
    send(kEaselToolbarEraser);
    send(GetParam().toolbar);
    EXPECT_EQ(GetHelpContext().buttonSets, GetParam().help);
    EXPECT_EQ(easel->StartOverAvailable(), GetParam().startOver);
}

constexpr std::array<u16, 3> kEraserHelp{777, 897, 898};

INSTANTIATE_TEST_SUITE_P(
    Table, ToolbarHelp,
    ::testing::Values(ToolbarCase{kEaselToolbarStickers, {777, 797, 798}, true},
                      ToolbarCase{kEaselToolbarAnimations, {777, 807, 808}, true},
                      ToolbarCase{kEaselToolbarBackgrounds, {777, 787, 788}, true},
                      ToolbarCase{kEaselToolbarSounds, {777, 817, 818}, true},
                      ToolbarCase{kEaselToolbarGrab, {777, 887, 888}, true},
                      ToolbarCase{kEaselToolbarEraser, kEraserHelp, false},
                      ToolbarCase{kEaselToolbarText, {777, 877, 0}, true},
                      ToolbarCase{kEaselToolbarWacky, kEraserHelp, true},
                      ToolbarCase{kEaselToolbarPencil, {777, 827, 828}, true},
                      ToolbarCase{kEaselToolbarPaint, {777, 837, 838}, true},
                      ToolbarCase{kEaselToolbarFill, {777, 847, 848}, true},
                      ToolbarCase{kEaselToolbarPictures, {777, 897, 898}, true},
                      ToolbarCase{kEaselToolbarStamps, {777, 867, 868}, true},
                      ToolbarCase{kEaselToolbarMixer, {777, 857, 858}, true}));

}  // namespace
