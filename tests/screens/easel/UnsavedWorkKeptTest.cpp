// A content archive that fails mid-session stops the program at once; the page the child had
// not saved is kept as a recovery copy and offered back at that user's next login.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "document/users/EnginePath.h"
#include "framework/contents/GameFileMgr.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

constexpr const char* kHelpArchive = "EaselHelp.kvr";

class UnsavedWorkKept : public testscreens::EaselHarness {
protected:
    // The program stops by the test's hand: it records the code and goes on.
    void enter() {
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        app->GetContentManager()->stopProgram = [this](int code) { stops.push_back(code); };
        canvas = easel->Canvas()->CanvasRect();
    }
    // The program ended and started again, "Maya" logging in once more.
    void restart() {
        app->ExitInstance();
        app.reset();
        mainWindow = nullptr;
        ASSERT_NO_FATAL_FAILURE(enter());
    }
    void paint() {
        drag({i16(canvas.left + 40), i16(canvas.top + 60)}, {i16(canvas.left + 240), i16(canvas.top + 90)});
    }
    void askForHelp() { click(centreOf(easel->Buttons()[size_t(easel->FindButtonById(kHelpButton))]->GetSprite())); }
    u64 canvasHash() const { return PictureHash(canvas); }

    // The program's data folder made real (its archives linked) so that one archive can change.
    fs::path dataArchive(const char* name) {
        const fs::path data = fs::path(root_) / "prog" / "Data";
        if (fs::is_symlink(data)) {
            const fs::path target = fs::read_symlink(data);
            fs::remove(data);
            fs::create_directory(data);
            for (const fs::directory_entry& entry : fs::directory_iterator(target))
                fs::create_symlink(entry.path(), data / entry.path().filename());
        }
        return data / name;
    }
    void scrambleHeader(const char* name) {
        const fs::path at = dataArchive(name);
        std::ifstream in(at, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 64u);
        for (size_t i = 0; i < 64; ++i) bytes[i] = char(bytes[i] ^ 0xA5);
        fs::remove(at);
        std::ofstream(at, std::ios::binary) << bytes;
    }
    void removeArchive(const char* name) { fs::remove(dataArchive(name)); }
    // The program gone, its data folder the build's again.
    void endProgram() {
        app->ExitInstance();
        app.reset();
        stops.clear();
        contentsSetSpanish(false);
        SetCurrentLanguage(kLanguageEnglish);
        const fs::path data = fs::path(root_) / "prog" / "Data";
        fs::remove_all(data);
        fs::create_directory_symlink(fs::path(TUMBLO_TEST_PROGRAM_DIR) / "Data", data);
    }
    // The help archive damaged mid-session, and help asked for: the program stops.
    void stopOnDamagedHelp() {
        ASSERT_NO_FATAL_FAILURE(scrambleHeader(kHelpArchive));
        answerAlerts({kAlertAnswerOk});
        askForHelp();
        ASSERT_EQ(stops, std::vector<int>{1});
        alerts();
    }

    std::string pictures() const { return root_ + "/data/tumblo4/Users/Maya/Pictures/"; }
    std::string recoveryCopy() const { return pictures() + ".recovered.tbx"; }
    std::string rescued() const { return pictures() + text("RecoveredPictureName") + ".tbx"; }
    static std::string text(const char* key) { return LookupLanguageText("FileStrings", key).c_str(); }
    std::vector<std::string> alertTexts() {
        std::vector<std::string> texts;
        for (const mfxAlertRecord& record : alerts()) texts.push_back(record.text);
        return texts;
    }
    std::string offer() const { return InsertName(text("RecoveredPictureQuestion"), text("RecoveredPictureName")); }

    std::vector<int> stops;
    Rect16 canvas{};
};

// However the archive fails (damaged, or gone and its disc refused; help's, or the easel's own
// as it comes back in Spanish), the program stops as before, having first kept the painting in
// the user's Pictures folder as a whole picture that only its owner may change.
TEST_F(UnsavedWorkKept, AFailingArchiveKeepsTheUnsavedPageBeforeTheProgramStops) {
    struct Case {
        const char* name;
        const char* archive;
        bool removed;
        bool spanish;  // switching to Spanish brings the failure, else asking for help
        std::vector<u32> answers;
        std::vector<std::string> told;  // [ContentStrings] keys, in order
    };
    const Case cases[] = {
        {"help damaged", kHelpArchive, false, false, {kAlertAnswerOk}, {"NoDataMustQuit"}},
        {"help removed, the disc refused", kHelpArchive, true, false, {kAlertAnswerCancel, kAlertAnswerYes},
         {"InsertDisc", "AreYouSureQuit"}},
        {"Spanish easel damaged", "Easel_sp.kvr", false, true, {kAlertAnswerOk}, {"NoDataMustQuit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(enter());
        paint();
        ASSERT_TRUE(app->GetCurrentPage()->Data().IsDirty());
        if (c.removed)
            removeArchive(c.archive);
        else
            ASSERT_NO_FATAL_FAILURE(scrambleHeader(c.archive));
        answerAlerts(c.answers);
        if (c.spanish) {
            mainWindow->OnCommand(kCmdSwitchLanguage);
            settle();
        } else {
            askForHelp();
        }
        EXPECT_EQ(stops, std::vector<int>{1});
        std::vector<std::string> expected;
        for (const std::string& key : c.told) expected.push_back(LookupLanguageText(kContentStrings, key.c_str()).c_str());
        const std::vector<std::string> told = alertTexts();
        ASSERT_GE(told.size(), expected.size());
        EXPECT_EQ(std::vector<std::string>(told.begin(), told.begin() + std::ptrdiff_t(expected.size())), expected);

        struct stat info {};
        ASSERT_EQ(::stat(recoveryCopy().c_str(), &info), 0) << "no recovery copy";
        EXPECT_EQ(info.st_mode & 022, 0u);
        RPage reopened(PageSettings{}, recoveryCopy(), 0);
        const EnginePath file(engineTextOfHostFolder(recoveryCopy()));
        EXPECT_EQ(reopened.Data().OpenAndLoad(file.get()), kErrNone);

        fs::remove(recoveryCopy());
        endProgram();
    }
}

// At the next login the copy is offered once: "Yes" brings the painting back onto the easel;
// "No" leaves a blank page. Either way the copy is one of the child's pictures from then on.
TEST_F(UnsavedWorkKept, TheNextLoginOffersTheKeptPageOnce) {
    for (const u32 answer : {kAlertAnswerYes, kAlertAnswerNo}) {
        SCOPED_TRACE(answer);
        ASSERT_NO_FATAL_FAILURE(enter());
        const u64 blank = canvasHash();
        paint();
        const u64 painted = canvasHash();
        ASSERT_NE(painted, blank);
        ASSERT_NO_FATAL_FAILURE(stopOnDamagedHelp());

        answerAlerts({answer});
        ASSERT_NO_FATAL_FAILURE(restart());
        EXPECT_EQ(alertTexts(), std::vector<std::string>{offer()});
        EXPECT_EQ(canvasHash(), answer == kAlertAnswerYes ? painted : blank);
        EXPECT_EQ(app->GetCurrentPage()->FileName(), answer == kAlertAnswerYes ? engineTextOfHostFolder(rescued()) : "");
        EXPECT_FALSE(fs::exists(recoveryCopy()));
        EXPECT_TRUE(fs::exists(rescued()));

        ASSERT_NO_FATAL_FAILURE(restart());
        EXPECT_TRUE(alerts().empty()) << "offered once";
        fs::remove(rescued());
        endProgram();
    }
}

// A page with nothing unsaved leaves no copy behind, and the next login asks nothing.
TEST_F(UnsavedWorkKept, ACleanPageLeavesNoCopy) {
    ASSERT_NO_FATAL_FAILURE(enter());
    ASSERT_NO_FATAL_FAILURE(stopOnDamagedHelp());
    EXPECT_FALSE(fs::exists(recoveryCopy()));
    ASSERT_NO_FATAL_FAILURE(restart());
    EXPECT_TRUE(alerts().empty());
}

}  // namespace
