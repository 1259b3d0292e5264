// The pencil panel builds the chosen pencil and hands it, or the shape tool that draws with it,
// to the tool manager; sizes reach the tool; the choices come back for the same user.
#include "panels/pencil/RPencilPanel.h"

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolPanelMessages.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;

constexpr i16 kKindRow = 10;
constexpr i16 kLineRow = 50;
constexpr i16 kSizeRow = 90;

class PencilPanel : public testpanels::PanelFixture {
protected:
    std::unique_ptr<RPencilPanel> Open() {
        auto panel = std::make_unique<RPencilPanel>(&owner, paths.get());
        Attach(*panel);
        EXPECT_EQ(panel->Init(), 0);
        Deliver();
        log.clear();
        return panel;
    }
    // The line-style buttons (buttons 4-12 of set 18400) have a row of their own.
    static void ClickLine(RPencilPanel& panel, u32 message) { Click(panel, i16(message - 18450), kLineRow); }
    size_t Heard(u32 code) const { return size_t(std::count(log.begin(), log.end(), "owner:" + std::to_string(code))); }

    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

TEST_F(PencilPanel, FirstUseAnnouncesThePlainPencilAtTheSecondSizeFreehand) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    GetHelpContext().currentItem = 0;
    auto panel = std::make_unique<RPencilPanel>(&owner, paths.get());
    Attach(*panel);
    ASSERT_EQ(panel->Init(), 0);
    Deliver();
    ASSERT_NE(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdCircle);
    EXPECT_EQ(mgr.GetCurrentTool(), panel->GetPencil());
    EXPECT_EQ(mgr.Settings().sizeFactor, 2.0f);
    EXPECT_EQ(mgr.GetCurrentTool()->GetSizeIndex(), 1);
    EXPECT_EQ(panel->GetShapeTool(), nullptr);
    EXPECT_EQ(GetHelpContext().currentItem, 828);
    EXPECT_EQ(owner.last.code, kToolMsgBorn);
    EXPECT_EQ(owner.last.param1, reinterpret_cast<uintptr_t>(panel->GetPencil()));
    EXPECT_EQ(panel->Buttons()[0]->GetState(), kButtonSelected);
    EXPECT_EQ(panel->SizeButtons()[1]->GetState(), kButtonSelected);
    EXPECT_EQ(panel->Buttons()[12]->GetState(), kButtonSelected);
}

TEST_F(PencilPanel, EachKindButtonBuildsItsOwnPencilWithItsCursor) {
    struct Case {
        i16 button;
        i16 toolId;
        u16 cursor;
        u16 help;
    };
    const Case cases[] = {{3, kToolIdMarker, 2, 831}, {1, kToolIdChalk, 0, 829}, {2, kToolIdCrayon, 1, 830},
                          {0, kToolIdCircle, 3, 828}};
    auto panel = Open();
    for (const Case& c : cases) {
        u16 cursor = 0xFFFF;
        owner.onMessage = [&](const RMessage& m) {
            if (m.code == kMsgPanelEnableCanvas) cursor = m.param2;
        };
        Click(*panel, c.button, kKindRow);
        Deliver();
        EXPECT_EQ(mgr.CurrentToolIndex(), c.toolId) << c.button;
        EXPECT_EQ(cursor, c.cursor) << c.button;
        EXPECT_EQ(GetHelpContext().currentItem, c.help) << c.button;
        EXPECT_EQ(panel->GetPencilKind(), c.button);
        for (i16 other = 0; other < 4; ++other)
            EXPECT_EQ(panel->Buttons()[size_t(other)]->GetState() == kButtonSelected, other == c.button) << c.button;
    }
}

TEST_F(PencilPanel, ASizeButtonSetsTheCurrentToolsSize) {
    auto panel = Open();
    Click(*panel, 1, kKindRow);
    Click(*panel, 3, kSizeRow);
    Deliver();
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdChalk);
    EXPECT_EQ(mgr.Settings().sizeFactor, 4.0f);
    EXPECT_EQ(mgr.GetCurrentTool()->GetSizeIndex(), 3);
    EXPECT_EQ(panel->GetSizeIndex(), 3);
    EXPECT_EQ(panel->SizeButtons()[1]->GetState(), kButtonUp);
    EXPECT_EQ(panel->SizeButtons()[3]->GetState(), kButtonSelected);
}

// A size message that names no size button (one past either end) keeps the size the child has,
// on the pencil itself and on the pencil behind a shape.
TEST_F(PencilPanel, SizesOutsideTheButtonsAreIgnored) {
    auto panel = Open();
    for (const u32 line : {kMsgPencilFreehand, kMsgPencilLineFirst}) {
        ClickLine(*panel, line);
        Deliver();
        for (const auto& [number, expected] : {std::pair{2, 2}, {0, 2}, {1, 1}, {5, 1}, {4, 4}, {-3, 4}}) {
            RMessage size(kMsgPencilSize, uintptr_t(i32(kPencilSizeButtonFirst) + number - 1), 0);
            panel->HandleMessage(&size, 0);
            EXPECT_EQ(mgr.Settings().sizeFactor, float(expected)) << line << " " << number;
            EXPECT_EQ(panel->GetSizeIndex(), expected - 1) << line << " " << number;
            EXPECT_EQ(panel->GetPencil()->GetSizeIndex(), expected - 1) << line << " " << number;
        }
    }
}

TEST_F(PencilPanel, AnotherKindBehindAShapeIsHandedToTheShapeWithoutBorn) {
    auto panel = Open();
    ClickLine(*panel, 18455);
    Deliver();
    RDragTool* shape = panel->GetShapeTool();
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(mgr.GetCurrentTool(), shape);
    EXPECT_EQ(shape->GetToolId(), kToolIdFilledCircle);
    Click(*panel, 2, kSizeRow);
    Click(*panel, 3, kKindRow);
    log.clear();
    Deliver();
    EXPECT_EQ(Heard(kToolMsgBorn), 0u);
    EXPECT_EQ(mgr.GetCurrentTool(), shape);
    ASSERT_NE(shape->GetPencil(), nullptr);
    EXPECT_EQ(shape->GetPencil()->GetToolId(), kToolIdMarker);
    EXPECT_EQ(shape->GetPencil(), panel->GetPencil());
    // The pencil behind the shape takes the chosen size too.
    EXPECT_EQ(shape->GetPencil()->GetSizeIndex(), 2);
    // The shape paints with the new pencil: the old one is gone and nothing touches it.
    Stroke({10, 10}, {40, 40});
    EXPECT_GT(PaintedPixels(), 0);
}

TEST_F(PencilPanel, FreehandAfterAShapeDeletesItAndAnnouncesThePencilAgain) {
    auto panel = Open();
    ClickLine(*panel, 18450);
    Deliver();
    ASSERT_NE(panel->GetShapeTool(), nullptr);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdLine);
    log.clear();
    ClickLine(*panel, 18458);
    Deliver();
    EXPECT_EQ(panel->GetShapeTool(), nullptr);
    EXPECT_EQ(mgr.GetCurrentTool(), panel->GetPencil());
    EXPECT_EQ(log, (fwtest::Log{"owner:" + std::to_string(kToolMsgKild), "owner:" + std::to_string(kToolMsgBorn)}));
}

TEST_F(PencilPanel, EveryLineStyleButtonPutsItsShapeInFront) {
    auto panel = Open();
    for (u32 message = 18450; message <= 18457; ++message) {
        ClickLine(*panel, message);
        Deliver();
        ASSERT_NE(panel->GetShapeTool(), nullptr) << message;
        EXPECT_EQ(mgr.CurrentToolIndex(), i16(message - 18347)) << message;
        EXPECT_EQ(panel->GetShapeTool()->GetPencil(), panel->GetPencil()) << message;
        EXPECT_EQ(panel->GetLineStyle(), i16(message));
    }
}

TEST_F(PencilPanel, ChoicesComeBackForTheSameUserAndNotForAnother) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    {
        auto panel = Open();
        Click(*panel, 3, kKindRow);
        Click(*panel, 2, kSizeRow);
        ClickLine(*panel, 18452);
        Deliver();
    }
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
    {
        auto panel = Open();
        EXPECT_EQ(panel->GetPencilKind(), 3);
        EXPECT_EQ(panel->GetSizeIndex(), 2);
        EXPECT_EQ(panel->GetLineStyle(), 18452);
        EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdOSquare);
        ASSERT_NE(panel->GetShapeTool(), nullptr);
        EXPECT_EQ(panel->GetShapeTool()->GetPencil()->GetToolId(), kToolIdMarker);
        EXPECT_EQ(panel->GetShapeTool()->GetPencil()->GetSizeIndex(), 2);
        EXPECT_EQ(panel->Buttons()[3]->GetState(), kButtonSelected);
        EXPECT_EQ(panel->Buttons()[6]->GetState(), kButtonSelected);
    }
    ASSERT_EQ(paths->SelectUserFolder("Bo"), kErrNone);
    auto panel = Open();
    EXPECT_EQ(panel->GetPencilKind(), 0);
    EXPECT_EQ(panel->GetSizeIndex(), 1);
    EXPECT_EQ(panel->GetLineStyle(), 18458);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdCircle);
}

TEST_F(PencilPanel, DamagedChoicesFallBackWordByWord) {
    struct Case {
        const char* stored;
        i16 kind, size, line;
    };
    const Case cases[] = {
        {"0=3\r\n1=3\r\n2=18450\r\n", 3, 3, 18450},  // the last valid value of each word
        {"0=0\r\n1=0\r\n2=18457\r\n", 0, 0, 18457},  // the first valid kind and size, the last shape
        {"0=4\r\n1=4\r\n2=18459\r\n", 0, 1, 18458},  // one past each
        {"0=-2\r\n1=-1\r\n2=18449\r\n", 0, 1, 18458},
        {"0=-1\r\n1=3\r\n2=18450\r\n", 0, 1, 18458},  // word 0 unset: every default
    };
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    for (const Case& c : cases) {
        write("data/tumblo4/Users/Ann/user.ini", std::string("[PencilPanel]\r\n") + c.stored);
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        auto panel = Open();
        EXPECT_EQ(panel->GetPencilKind(), c.kind) << c.stored;
        EXPECT_EQ(panel->GetSizeIndex(), c.size) << c.stored;
        EXPECT_EQ(panel->GetLineStyle(), c.line) << c.stored;
        EXPECT_EQ(mgr.CurrentToolIndex(), c.line == 18458 ? kToolIdCircle + c.kind : c.line - 18347) << c.stored;
        panel.reset();
        mfMessageQueue::Global().Clear();
    }
}

TEST_F(PencilPanel, GoingAwaySavesDisablesTheCanvasAndLeavesTheManagerNoTool) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    auto panel = Open();
    ClickLine(*panel, 18456);
    Click(*panel, 2, kKindRow);
    Deliver();
    log.clear();
    panel.reset();
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(Heard(kMsgPanelDisableCanvas), 1u);
    EXPECT_GE(Heard(kToolMsgKild), 1u);
    RPanelPrefsTmpl<tPencilPanelSaveData> saved(*paths, kPencilPanelSection);
    EXPECT_EQ(saved.GetData(), (tPencilPanelSaveData{2, 1, 18456}));
    // A stroke after the panel went away reaches no tool.
    Stroke({5, 5}, {30, 30});
    EXPECT_EQ(PaintedPixels(), 0);
}

TEST_F(PencilPanel, WithoutAUserThePanelStartsFromItsDefaultsAndSavesNothing) {
    auto panel = std::make_unique<RPencilPanel>(&owner, nullptr);
    Attach(*panel);
    ASSERT_EQ(panel->Init(), 0);
    Deliver();
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdCircle);
    Stroke({5, 5}, {30, 30});
    EXPECT_GT(PaintedPixels(), 0);
    panel.reset();
    EXPECT_FALSE(std::filesystem::exists(root_ + "/data/tumblo4/Users"));
}

}  // namespace
