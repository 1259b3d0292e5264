// The save question's pending actions on a real canvas and picture file: each action, answered
// Yes (the save succeeding, cancelled, or refused by a write-protected disc), No or Cancel,
// goes on, or not, as a child expects: nothing unsaved is ever dropped.
#include <gtest/gtest.h>

#include "app/application/ApplicationMessages.h"
#include "app/dialogs/RDlgWarnings.h"
#include "document/users/Paths.h"
#include "framework/dialogs/mfxAlert.h"
#include "screens/easel/EaselCommands.h"
#include "screens/easel/PictureFiles.h"
#include "screens/easel/PictureSession.h"
#include "tests/screens/easel/CanvasFixture.h"

namespace {

using namespace Ostrel;

// Keeps what the session carried out on the page and the application, in order.
class FakeSessionHost : public PictureSessionHost {
public:
    explicit FakeSessionHost(easeltest::FakeEasel& easel) : easel_(easel) {}
    RPage* CurrentPage() const override { return easel_.page.get(); }
    const Paths* UserPaths() const override { return paths; }
    PictureFiles* Files() override { return files; }
    bool SmallKids() const override { return false; }
    void StopAll() override {}
    void SuspendCanvas() override { canvasOn = false; }
    void ResumeCanvas() override { canvasOn = true; }
    void EndStroke(u32) override {}
    void FinishTool() override {}
    void RefreshScreen() override {}
    void ReleaseUndo() override { log += "release "; }
    void DropPage() override {
        log += "drop ";
        easel_.page.reset();
    }
    void ShowBlankPage() override { log += "blank "; }
    void ForgetClips() override { log += "clips "; }
    void PlayPageSounds() override {}
    void UpdateNoteMenuItem(bool) override { log += "note "; }
    void PictureOpened() override {}
    void PostToScreen(u32 code) override { log += "screen " + std::to_string(code) + " "; }
    void PostToApplication(u32 code) override { log += "app " + std::to_string(code) + " "; }
    void OpenProject(u32 code) override { log += "project " + std::to_string(code) + " "; }
    bool AskSaveQuestion(u32 reply, u16) override {
        askedReply = reply;
        return true;
    }
    bool AskPictureName(const std::string&) override { return false; }
    u32 AskAfterFailedSave(const char* key) override {
        log += std::string("asked ") + key + " ";
        return failedSaveAnswer;
    }

    PictureFiles* files = nullptr;
    const Paths* paths = nullptr;
    u32 failedSaveAnswer = 0;
    bool canvasOn = true;
    u32 askedReply = 0;
    std::string log;

private:
    easeltest::FakeEasel& easel_;
};

enum class SaveOutcome { Saved, DialogCancelled, WriteProtected };

class PictureSessionTest : public easeltest::CanvasFixture {};

TEST_F(PictureSessionTest, EveryPendingActionGoesOnOnlyWithThePageSavedOrGivenUp) {
    // What follows each action once the page was saved, and once the child chose not to.
    struct Row {
        PendingAction action;
        u32 reply;
        const char* afterSave;
        const char* afterNo;
    };
    const Row rows[] = {
        {PendingAction::Quit, 258, "screen 269 ", "release drop screen 269 "},
        {PendingAction::NewPicture, 259, "screen 248 ", "release note drop screen 248 "},
        {PendingAction::OpenIdea, 256, "clips screen 247 ", "clips screen 247 "},
        {PendingAction::OpenFromMenu, 251, "screen 250 ", "screen 250 "},
        {PendingAction::OpenProject, 257, "project 5578 ", "project 5578 "},
        {PendingAction::SlideShow, 262, "drop release app 5567 ", "release drop app 5567 "},
    };
    // Any other answer (the dialog closed) cancels.
    const u16 answers[] = {kWarningResultYes, kWarningResultNo, 0};
    const SaveOutcome outcomes[] = {SaveOutcome::Saved, SaveOutcome::DialogCancelled, SaveOutcome::WriteProtected};
    for (const Row& row : rows) {
        for (const u16 answer : answers) {
            for (const SaveOutcome outcome : outcomes) {
                SCOPED_TRACE(::testing::Message() << row.reply << " answer " << answer << " outcome " << int(outcome));
                FakeSessionHost host(easel_);
                std::vector<std::string> alerts;
                PictureFileUi ui;
                ui.askSaveName = [&](u16, const std::string&) {
                    return outcome == SaveOutcome::DialogCancelled ? std::string() : picturePath("cat.tbx");
                };
                ui.alert = [&](const char* key, const std::string&) { alerts.push_back(key); };
                PictureFiles files(*canvas_, easel_, &undo_, ui);
                host.files = &files;
                if (!easel_.page) {
                    Ostrel::RMessage fresh(6603, 1, 0);
                    canvas_->HandleMessage(&fresh, 0);
                }
                easel_.page->Data().SetDirtyState(true);
                drive_->setWriteProtected(outcome == SaveOutcome::WriteProtected);

                PictureSession session(host);
                // The project command the question waits for.
                session.OpenProject(kMsgAdminLogin);
                host.log.clear();
                session.AskToSave(row.action);
                EXPECT_EQ(host.askedReply, row.reply);
                ASSERT_EQ(pendingActionOfReply(host.askedReply), row.action);
                host.canvasOn = false;
                session.QuestionAnswered(row.action, answer);
                drive_->setWriteProtected(false);

                const bool saved = answer == kWarningResultYes && outcome == SaveOutcome::Saved;
                const std::string expected =
                    saved ? row.afterSave : answer == kWarningResultNo ? row.afterNo : std::string();
                EXPECT_EQ(host.log, expected);
                EXPECT_TRUE(host.canvasOn) << "the canvas was left out of service";
                const bool refused = answer == kWarningResultYes && outcome == SaveOutcome::WriteProtected;
                EXPECT_EQ(alerts, refused ? std::vector<std::string>{"GeneralFileErr"} : std::vector<std::string>{});
                if (answer == 0 || (answer == kWarningResultYes && !saved)) {
                    ASSERT_NE(easel_.page, nullptr) << "an unsaved page was dropped";
                    EXPECT_TRUE(easel_.page->Data().IsDirty());
                }
                EXPECT_EQ(std::filesystem::exists(hostPath("cat.tbx")), saved);
                std::filesystem::remove(hostPath("cat.tbx"));
            }
        }
    }
}

// A small child's new picture is saved under the name typed; when the disc refuses it, Yes asks
// for another place, No lets the picture go, Cancel keeps it on the easel.
TEST_F(PictureSessionTest, ANamedPictureIsSavedOrKeptAsTheChildAnswers) {
    struct Row {
        const char* name;
        std::optional<std::string> typed;
        bool writeProtected;
        u32 answer;
        const char* log;
        bool fileWritten;
        bool dirtyAfter;
    };
    const Row rows[] = {
        {"cancelled", std::nullopt, false, 0, "", false, true},
        {"typed", "Boat", false, 0, "blank ", true, false},
        {"typed with the extension", "Boat.tbx", false, 0, "blank ", true, false},
        {"refused, saved elsewhere", "Boat", true, kAlertAnswerYes, "asked GeneralFileErr blank ", false, false},
        {"refused, let go", "Boat", true, kAlertAnswerNo, "asked GeneralFileErr blank ", false, false},
        {"refused, kept", "Boat", true, kAlertAnswerCancel, "asked GeneralFileErr ", false, true},
    };
    Paths paths(FolderRoots{"T:", "T:", "T:"});
    ASSERT_EQ(paths.SelectUserFolder("Mia"), kErrNone);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeSessionHost host(easel_);
        PictureFileUi ui;
        // The other place is on the same disc, writable again by then.
        ui.askSaveName = [&](u16, const std::string&) {
            drive_->setWriteProtected(false);
            return picturePath("Elsewhere.tbx");
        };
        PictureFiles files(*canvas_, easel_, &undo_, ui);
        host.files = &files;
        host.paths = &paths;
        host.failedSaveAnswer = row.answer;
        easel_.page->Data().SetDirtyState(true);
        drive_->setWriteProtected(row.writeProtected);
        host.canvasOn = false;
        PictureSession(host).PictureNamed(row.typed);
        drive_->setWriteProtected(false);
        EXPECT_EQ(host.log, row.log);
        EXPECT_TRUE(host.canvasOn);
        EXPECT_EQ(easel_.page->Data().IsDirty(), row.dirtyAfter);
        const std::string boat = root_ + "/disc/Users/Mia/Pictures/Boat.tbx";
        EXPECT_EQ(std::filesystem::exists(boat), row.fileWritten);
        EXPECT_EQ(std::filesystem::exists(hostPath("Elsewhere.tbx")), row.answer == kAlertAnswerYes);
        std::filesystem::remove(boat);
        std::filesystem::remove(hostPath("Elsewhere.tbx"));
    }
}

}  // namespace
