// The Toolbox menu on the program's own easel: what works there today is offered, and the
// menus come back after its ABC words dialog.
#include "app/window/RDisplayWindow.h"
#include "tests/shell/SessionFixture.h"

namespace {

using namespace Ostrel;
using namespace testshell;

class ToolboxSession : public SessionFixture {
protected:
    void login() {
        start();
        frames(2);
        press(kVkSpace);
        frames(5);
        ASSERT_TRUE(application_->IsLoginOpen());
        type("Maya");
        press(kVkReturn);
        frames(5);
        ASSERT_EQ(application_->GetCurrentModuleCode(), kScreenEasel);
    }
    RDisplayWindow* mainWindow() const { return dynamic_cast<RDisplayWindow*>(application_->GetMainWindow()); }
};

TEST_F(ToolboxSession, TheABCWordsAreOfferedOnTheEaselAndTheTextCommandsWaitForTheTextPanel) {
    ASSERT_NO_FATAL_FAILURE(login());
    EXPECT_TRUE(application_->IsMenuCommandEnabled(kCmdEditABCText));
    for (u16 command : {kCmdCheckSpelling, kCmdSayItThisWay, kCmdFlattenText})
        EXPECT_FALSE(application_->IsMenuCommandEnabled(command)) << command;
}

// The canvas owns the ABC words dialog: the menus it grays come back when it closes.
TEST_F(ToolboxSession, TheMenusComeBackAfterTheABCWordsDialog) {
    ASSERT_NO_FATAL_FAILURE(login());
    ASSERT_NE(mainWindow(), nullptr);
    // Twice: the second opening finds the menus as the first left them.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        post(plat::kMsgCommand, kCmdEditABCText);
        frames(5);
        ASSERT_NE(easel()->Canvas()->AbcTextDialog(), nullptr);
        EXPECT_EQ(mainWindow()->IsMenuDisabled(), 1);
        press(kVkReturn);
        frames(5);
        EXPECT_EQ(easel()->Canvas()->AbcTextDialog(), nullptr);
        EXPECT_EQ(mainWindow()->IsMenuDisabled(), 0);
        EXPECT_TRUE(application_->IsMenuCommandEnabled(kCmdEditABCText));
    }
}

}  // namespace
