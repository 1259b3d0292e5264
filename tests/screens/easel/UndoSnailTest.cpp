// The pointer over the undo snail brings it to rest, unless it is animating an undo (its
// frames 1083 to 1102) or the hover is the pointer leaving. The Edit menu, when it opens, says
// whether Undo takes the last step back or Redo does it again, whoever took it back.
#include <functional>
#include <string>

#include "app/menus/MenuCommands.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Windows.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

struct SnailCase {
    u16 shape;
    u16 entering;
    u16 after;
};

class UndoSnailHover : public testscreens::EaselHarness, public ::testing::WithParamInterface<SnailCase> {};

TEST_P(UndoSnailHover, ComesToRestUnlessItIsAnimatingAnUndo) {
    enterEasel();
    SprSprite* snail = sprFind(easel->UndoSprite());
    ASSERT_NE(snail, nullptr);
    sprSetShape(snail, GetParam().shape, nullptr, 0);
    RMessage hover(kEaselUndoHover, 0, GetParam().entering);
    easel->HandleMessage(&hover, 0);
    EXPECT_EQ(snail->shape, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Table, UndoSnailHover,
                         ::testing::Values(SnailCase{1082, 1, 1103}, SnailCase{1082, 0, 1082}, SnailCase{1083, 1, 1083},
                                           SnailCase{1102, 1, 1102}));

class UndoMenu : public testscreens::EaselHarness {
protected:
    // The Edit menu's first entry as the menu shows it when it opens.
    std::string undoEntry() {
        plat::sendMessage(mainWindow->GetHandle(), plat::kMsgInitMenu, 0, 0);
        return itemText(kCmdUndo);
    }
    Point16 onCanvas(i16 x, i16 y) const {
        const Rect16& r = easel->Canvas()->CanvasRect();
        return {i16(r.left + x), i16(r.top + y)};
    }
};

TEST_F(UndoMenu, SaysRedoAfterTheSnailOrTheMenuTookTheStrokeBack) {
    enterEasel();
    const std::string undo = LookupLanguageText(kUndoStringsSection, "UndoMenuItem").c_str();
    const std::string redo = LookupLanguageText(kUndoStringsSection, "RedoMenuItem").c_str();
    ASSERT_FALSE(redo.empty());
    drag(onCanvas(50, 50), onCanvas(150, 80));
    struct Step {
        const char* what;
        std::function<void()> act;
        const std::string& word;
    };
    const Step steps[] = {
        {"painted", [] {}, undo},
        {"the snail took it back", [&] { click(centreOf(easel->UndoSprite())); }, redo},
        {"the snail did it again", [&] { click(centreOf(easel->UndoSprite())); }, undo},
        {"the menu took it back", [&] { mainWindow->OnCommand(kCmdUndo); }, redo},
        {"another stroke", [&] { drag(onCanvas(60, 120), onCanvas(160, 140)); }, undo},
    };
    for (const Step& step : steps) {
        step.act();
        advance(2000);
        EXPECT_EQ(undoEntry().rfind(step.word, 0), 0u) << step.what << ": " << undoEntry();
    }
}

}  // namespace
