// Toolbar commands replace the easel's tool option panel; the same command twice keeps it.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "panels/pencil/RPencilPanel.h"
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

}  // namespace
