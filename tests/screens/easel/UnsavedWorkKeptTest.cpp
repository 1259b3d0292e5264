// A content archive that fails mid-session stops the program at once; the page the child had
// not saved is kept as a recovery copy first and offered back at that user's next login, once.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/menus/MenuCommands.h"
#include "document/pages/RPage.h"
#include "document/project/RecoveryCopy.h"
#include "document/users/EnginePath.h"
#include "framework/contents/GameFileMgr.h"
#include "platform/display/SignalRescue.h"
#include "platform/keyboard/VirtualKeys.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

class UnsavedWorkKept : public testscreens::EaselHarness {
protected:
    // The program up with "Maya" on the easel; it stops by the test's hand, recording the code.
    void start() {
        if (app) app->ExitInstance();
        app.reset();
        ASSERT_NO_FATAL_FAILURE(enterEasel());
        app->GetContentManager()->stopProgram = [this](int code) { stops.push_back(code); };
        canvas = easel->Canvas()->CanvasRect();
    }
    // `name` in the program's data folder damaged (its first bytes scrambled) or removed; the
    // folder is made real, its other archives linked, and linked whole again by repair().
    void damage(const char* name, bool remove) {
        const fs::path target = fs::read_symlink(data());
        fs::remove(data());
        fs::create_directory(data());
        for (const fs::directory_entry& entry : fs::directory_iterator(target))
            if (entry.path().filename() != name) fs::create_symlink(entry.path(), data() / entry.path().filename());
        if (remove) return;
        std::ifstream in(target / name, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (size_t i = 0; i < 64 && i < bytes.size(); ++i) bytes[i] = char(bytes[i] ^ 0xA5);
        std::ofstream(data() / name, std::ios::binary) << bytes;
    }
    void repair() {
        fs::remove_all(data());
        fs::create_directory_symlink(fs::path(TUMBLO_TEST_PROGRAM_DIR) / "Data", data());
    }
    fs::path data() const { return fs::path(root_) / "prog" / "Data"; }
    std::string pictures() const { return root_ + "/data/tumblo4/Users/Maya/Pictures/"; }
    static std::string text(const char* section, const char* key) { return LookupLanguageText(section, key).c_str(); }
    std::vector<std::string> alertTexts() {
        std::vector<std::string> texts;
        for (const mfxAlertRecord& record : alerts()) texts.push_back(record.text);
        return texts;
    }

    std::vector<int> stops;
    Rect16 canvas{};
};

// However the archive fails (damaged, or gone and its disc refused; help's, or the easel's own
// as it comes back in Spanish), the program stops as before, having first kept an unsaved
// painting in the Pictures folder as a whole picture only its owner may change. The next login
// offers it once: "Yes" brings the painting back onto the easel, "No" a blank page, and either
// way the copy stays one of the child's pictures. A page with nothing unsaved leaves no copy.
TEST_F(UnsavedWorkKept, AFailingArchiveKeepsTheUnsavedPageForTheNextLogin) {
    struct Case {
        const char* name;
        const char* archive;
        bool removed;
        bool spanish;  // switching to Spanish brings the failure, else asking for help
        bool painted;
        std::vector<u32> answers;       // to the alerts until the program stops
        std::vector<std::string> told;  // [ContentStrings] keys of those alerts
        u32 offerAnswer;
        bool pipe = false;  // waiting under the copy's name at the next login: not offered, left alone
    };
    const Case cases[] = {
        {"help damaged, yes", "EaselHelp.kvr", false, false, true, {kAlertAnswerOk}, {"NoDataMustQuit"}, kAlertAnswerYes},
        {"help gone, disc refused, no", "EaselHelp.kvr", true, false, true, {kAlertAnswerCancel, kAlertAnswerYes},
         {"InsertDisc", "AreYouSureQuit"}, kAlertAnswerNo},
        {"Spanish easel damaged, yes", "Easel_sp.kvr", false, true, true, {kAlertAnswerOk}, {"NoDataMustQuit"},
         kAlertAnswerYes},
        {"nothing unsaved", "EaselHelp.kvr", false, false, false, {kAlertAnswerOk}, {"NoDataMustQuit"}, 0},
        {"nothing unsaved, a pipe under the copy's name", "EaselHelp.kvr", false, false, false, {kAlertAnswerOk},
         {"NoDataMustQuit"}, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Kept while Spanish was in use, it is named back in Spanish after an English login.
        const u16 kept = c.spanish ? kLanguageSpanish : kLanguageEnglish;
        const std::string copy = pictures() + (c.spanish ? kSpanishRecoveryCopyName : kRecoveryCopyName);
        ASSERT_NO_FATAL_FAILURE(start());
        const u64 blank = PictureHash(canvas);
        if (c.painted) drag({i16(canvas.left + 40), i16(canvas.top + 60)}, {i16(canvas.left + 240), i16(canvas.top + 90)});
        const u64 painted = PictureHash(canvas);
        ASSERT_EQ(app->GetCurrentPage()->Data().IsDirty(), c.painted);
        damage(c.archive, c.removed);
        answerAlerts(c.answers);
        if (c.spanish)
            mainWindow->OnCommand(kCmdSwitchLanguage);
        else
            click(centreOf(easel->Buttons()[size_t(easel->FindButtonById(kHelpButton))]->GetSprite()));
        settle();
        EXPECT_EQ(stops, std::vector<int>{1});
        std::vector<std::string> told = alertTexts();
        told.resize(std::min(told.size(), c.told.size()));
        std::vector<std::string> expected;
        for (const std::string& key : c.told) expected.push_back(text(kContentStrings, key.c_str()));
        EXPECT_EQ(told, expected);
        struct stat info {};
        ASSERT_EQ(::stat(copy.c_str(), &info) == 0, c.painted) << "the recovery copy";
        repair();

        if (c.painted) {
            EXPECT_EQ(info.st_mode & 022, 0u);
            RPage reopened(PageSettings{}, copy, 0);
            EXPECT_EQ(reopened.Data().OpenAndLoad(EnginePath(engineTextOfHostFolder(copy)).get()), kErrNone);
        }
        ASSERT_TRUE(!c.pipe || ::mkfifo(copy.c_str(), 0600) == 0);
        answerAlerts({c.offerAnswer});
        stops.clear();
        ASSERT_NO_FATAL_FAILURE(start());
        const std::string name = LookupLanguageText("FileStrings", "RecoveredPictureName", kept).c_str();
        const std::string rescued = pictures() + name + ".tbx";
        const std::vector<std::string> offer{InsertName(text("FileStrings", "RecoveredPictureQuestion"), name)};
        EXPECT_EQ(alertTexts(), c.painted ? offer : std::vector<std::string>{});
        const bool back = c.offerAnswer == kAlertAnswerYes;
        EXPECT_EQ(PictureHash(canvas), back ? painted : blank);
        EXPECT_EQ(app->GetCurrentPage()->FileName(), back ? engineTextOfHostFolder(rescued) : "");
        EXPECT_EQ(fs::exists(copy), c.pipe);
        EXPECT_EQ(fs::exists(rescued), c.painted);

        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_TRUE(alerts().empty()) << "offered once";
        fs::remove(rescued);
        contentsSetSpanish(false);
        SetCurrentLanguage(kLanguageEnglish);
    }
}

// A page saved since its last stroke leaves a signal nothing to write: no duplicate offered.
TEST_F(UnsavedWorkKept, APageSavedSinceItsLastStrokeLeavesNoRescue) {
    ASSERT_NO_FATAL_FAILURE(start());
    drag({i16(canvas.left + 40), i16(canvas.top + 60)}, {i16(canvas.left + 240), i16(canvas.top + 90)});
    advance(1000);
    EXPECT_TRUE(plat::writeSignalRescue()) << "the unsaved stroke kept";
    for (const char k : std::string("CAT")) queueKey(u8(k));
    queueKey(plat::kVkReturn);
    mainWindow->OnCommand(kCmdSave);
    advance(1000);
    EXPECT_FALSE(plat::writeSignalRescue()) << "nothing kept once saved";
}

}  // namespace
