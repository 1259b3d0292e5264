#pragma once
// The slide-show editor in the running program for the picker's tests: the easel up, then
// Controls > Go To Slide Show; the file dialogs answered by the test; slides added from the
// user's pictures and told apart by their timing (the strip's model: 'A' for one second, 'B'
// for two, '.' for a blank cell).
#include <filesystem>
#include <fstream>

#include "app/dialogs/RDlgWarnings.h"
#include "app/menus/MenuCommands.h"
#include "app/window/MenuMessages.h"
#include "document/project/CreateNewPage.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/EnginePath.h"
#include "engine/gfx/sprites/PlayAnimation.h"
#include "framework/controls/RBMOBitmapScroller.h"
#include "framework/controls/RButton.h"
#include "framework/dialogs/mfxAlert.h"
#include "platform/drives/Drives.h"
#include "screens/easel/REasel.h"
#include "screens/picker/PickerCommands.h"
#include "screens/picker/PickerProjectList.h"
#include "screens/picker/RPicker.h"
#include "screens/slideshow/RSlideShowModule.h"
#include "tests/app/harness/ScreenHarness.h"

namespace testpicker {

using namespace Ostrel;

constexpr size_t kModelCells = 6;

class PickerSession : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        std::filesystem::create_directories(root_ + "/disc");
        drive_ = std::make_unique<plat::FakeDrive>('T', plat::FakeDisc{root_ + "/disc", "USER", 77}, plat::DriveType::Fixed);
    }
    void TearDown() override {
        ScreenHarness::TearDown();
        sprSetAnimationWait(nullptr);
        gClock = nullptr;
        drive_.reset();
    }

    // The easel up (its entry animation's waits move the fake clock on), then Controls > Go
    // To Slide Show.
    void enterPicker() {
        gClock = &clock_.clock();
        sprSetAnimationWait([](u32 due) {
            if (i32(due - gClock->millis()) > 0) gClock->advance(due - gClock->millis());
        });
        start(false, [](u32 code) -> std::unique_ptr<RModule> {
            if (code == kScreenEasel) return std::make_unique<REasel>();
            if (code == kScreenPicker) return std::make_unique<RPicker>();
            if (code == kScreenSlideShow) return std::make_unique<RSlideShowModule>();
            return nullptr;
        });
        logIn("Maya");
        settle();
        ASSERT_NE(dynamic_cast<REasel*>(app->GetCurrentModule()), nullptr);
        ASSERT_TRUE(enabled(kCmdSwitchScreen));
        goToOtherScreen();
    }
    // The program ended as at the end of a session and started again over the same folders,
    // up to the picker.
    void newSession() {
        app->ExitInstance();
        app.reset();
        mainWindow = nullptr;
        picker = nullptr;
        mfMessageQueue::Global().Clear();
        enterPicker();
    }
    void goToOtherScreen() {
        mainWindow->OnCommand(kCmdSwitchScreen);
        settle(6);
        picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
        if (!picker) return;
        picker->SetFileUi(ui());
    }
    PickerFileUi ui() {
        PickerFileUi files;
        files.saveProject = [this](const std::string&) { return savePath; };
        files.choosePicture = [this] { return nextPicture; };
        files.openProject = [] { return std::string(); };
        return files;
    }
    // A picture of the user's saved as "<name>.tbx"; its engine path.
    std::string writePicture(const std::string& name) {
        std::unique_ptr<RPage> page = CreateNewPage(*app->GetPortfolio());
        const std::string path = app->GetPaths()->GetPicturesDir() + "\\" + name + ".tbx";
        EXPECT_EQ(page->SaveToFile(EnginePath(path).get()), kErrNone);
        return path;
    }
    // Adds the picture as a slide through Add > Load Picture; its timing (`seconds`) tells its
    // cell from the others.
    void add(const std::string& name, u8 seconds) {
        nextPicture = writePicture(name);
        mainWindow->OnCommand(kCmdLoadPicture);
        settle();
        const int cell = picker->Strip()->GetSelected();
        app->GetPortfolio()->Document()->GetPage(u16(cell + 1))->SetTiming(seconds, 0);
        picker->RefreshCell(cell);
    }
    void select(int cell) {
        picker->Strip()->ScrollIntoView(cell);
        picker->Strip()->Select(cell);
        settle();
    }
    void command(u16 id) {
        mainWindow->OnCommand(id);
        settle();
    }
    // File > Save, the dialog answering `name` among the child's slide shows.
    void saveAs(const std::string& name) {
        savePath = app->GetPaths()->GetProjectPath(name);
        command(kCmdSave);
    }
    // The picker's save question when it is up (the warnings dialog with its own message).
    RDlgWarnings* saveQuestion() const {
        auto* question = picker ? dynamic_cast<RDlgWarnings*>(picker->CurrentDialog()) : nullptr;
        return question && question->MessageId() == kWarningSaveShow ? question : nullptr;
    }
    // Answers the save question by a click on its button `result` (kDlgResultLeave,
    // kWarningResultNo, kWarningResultYes), then follows the screen that comes up.
    void answerSaveQuestion(u16 result) {
        RDlgWarnings* question = saveQuestion();
        ASSERT_NE(question, nullptr) << "no save question is up";
        ASSERT_TRUE(question->ItemButtonsUp());
        const RButton* button = question->ItemButtons().Find(result);
        ASSERT_NE(button, nullptr) << result;
        click(centreOf(button->GetSprite()));
        settle(6);
        picker = dynamic_cast<RPicker*>(app->GetCurrentModule());
        if (picker) picker->SetFileUi(ui());
    }
    // The first cells as the strip shows them: a slide by its seconds (1 = 'A'), '.' blank.
    std::string model() const {
        std::string shown;
        const auto& cells = picker->Strip()->Cells();
        for (size_t i = 0; i < kModelCells && i < cells.size(); ++i) {
            const std::string& label = cells[i].label;
            shown += label.rfind("7 ", 0) == 0 ? '.' : char('A' + (label[0] - '1'));
        }
        return shown;
    }
    static Point16 middle(const Rect16& r) { return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
    // The middles of the controls under the visible cell as the window shows them, left to
    // right: the runs of the controls' own colour along the line of the cell's foot that has
    // most of it (the line inside the controls' frames, above their pictures). A child clicks
    // what it sees, so this is where the tests click too.
    std::vector<Point16> shownControls(int visibleCell) {
        const Rect16 cell = picker->Strip()->GetCellRect(picker->Strip()->GetFirstVisible() + visibleCell);
        constexpr u32 kControlFill = 0xF8F0B0;  // the controls' yellow as the screen shows it
        i16 line = -1;
        int most = 0;
        for (i16 y = i16(cell.bottom - 40); y < cell.bottom; ++y) {
            int count = 0;
            for (i16 x = cell.left; x < cell.right; ++x) count += (shownPixel({x, y}) & 0xFFFFFF) == kControlFill;
            if (count > most) most = count, line = y;
        }
        std::vector<Point16> middles;
        for (i16 x = cell.left; line >= 0 && x < cell.right; ++x) {
            if ((shownPixel({x, line}) & 0xFFFFFF) != kControlFill) continue;
            const i16 first = x;
            while (x < cell.right && (shownPixel({x, line}) & 0xFFFFFF) == kControlFill) ++x;
            middles.push_back({i16((first + x) / 2), i16(line + 8)});
        }
        return middles;
    }
    std::string projectFile(const std::string& name) {
        return readFile(root_ + "/data/tumblo4/Users/Maya/Slide Shows/" + name + ".tbp");
    }

    RPicker* picker = nullptr;
    std::string savePath;
    std::string nextPicture;
    std::unique_ptr<plat::FakeDrive> drive_;
    static inline plat::FakeClock* gClock = nullptr;
};

}  // namespace testpicker
