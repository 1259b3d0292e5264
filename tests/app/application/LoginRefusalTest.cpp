// The login tells why it cannot go on: a painter's folder that cannot be made, and a login
// whose own content is damaged.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/language/LanguageTexts.h"
#include "framework/dialogs/mfxAlert.h"
#include "tests/app/window/WindowShellFixture.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

// The window shell of the program's own login on the real clock: the login's opening animation
// waits for time to pass, which a fake clock never lets it.
class LoginRefusal : public testapp::WindowShellTest {
protected:
    void SetUp() override {
        WindowShellTest::SetUp();
        mfxTakeAlertRecords();
    }
    void openLogin() {
        RMessage open(kMsgOpenDocument, 0, 0);
        app->HandleMessage(&open, 0);
    }
    void answerLogin(const std::string& name) {
        RMessage answer(kMsgLoginClosed, 0, kLoginChosen);
        answer.Carry(name);
        app->HandleMessage(&answer, 0);
    }
    static std::vector<std::string> alertTexts() {
        std::vector<std::string> texts;
        for (const mfxAlertRecord& record : mfxTakeAlertRecords()) texts.push_back(record.text);
        return texts;
    }
    static std::string text(const char* section, const char* key) { return LookupLanguageText(section, key).c_str(); }

    // Puts a copy of the program's `file` with its middle half scrambled in the scratch program
    // folder, making real folders of the linked ones on its way.
    void scrambleProgramFile(const std::string& file) {
        fs::path relative;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(TUMBLO_TEST_PROGRAM_DIR))
            if (entry.path().filename() == file) relative = fs::relative(entry.path(), TUMBLO_TEST_PROGRAM_DIR);
        ASSERT_FALSE(relative.empty()) << file;
        fs::path at = fs::path(root_) / "prog";
        for (const fs::path& part : relative.parent_path()) {
            at /= part;
            if (!fs::is_symlink(at)) continue;
            const fs::path target = fs::read_symlink(at);
            fs::remove(at);
            fs::create_directory(at);
            for (const fs::directory_entry& entry : fs::directory_iterator(target))
                fs::create_symlink(entry.path(), at / entry.path().filename());
        }
        at /= relative.filename();
        std::ifstream in(fs::path(TUMBLO_TEST_PROGRAM_DIR) / relative, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 64u);
        for (size_t i = bytes.size() / 4; i < bytes.size() * 3 / 4; ++i) bytes[i] = char(bytes[i] ^ 0xA5);
        fs::remove(at);
        std::ofstream(at, std::ios::binary) << bytes;
    }
};

TEST_F(LoginRefusal, AFolderThatCannotBeMadeIsExplainedAndTheLoginComesBack) {
    start();
    openLogin();
    const std::string users = root_ + "/data/tumblo4/Users/";
    struct Case {
        const char* name;
        // A file standing where a folder of the painter's goes; none for no obstacle.
        const char* blocker;
        bool told;
        bool loggedIn;
    };
    const Case cases[] = {
        {"Maya", "Maya", true, false},
        {"Noah", "Noah/Pictures", true, false},
        {"Liam", "Liam/Library", true, false},
        {"..", nullptr, false, false},
        {"Emma", nullptr, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + (c.blocker ? c.blocker : "-"));
        if (c.blocker) {
            fs::create_directories(fs::path(users + c.blocker).parent_path());
            std::ofstream(users + c.blocker) << "in the way";
        }
        log.clear();
        answerLogin(c.name);
        EXPECT_EQ(app->IsUserLoggedIn(), c.loggedIn);
        const std::vector<std::string> expected =
            c.told ? std::vector<std::string>{text("LoginStrings", "FolderRefused")} : std::vector<std::string>{};
        EXPECT_EQ(alertTexts(), expected);
        // A refused name brings the login back at once.
        EXPECT_EQ(std::count(log.begin(), log.end(), "login 0"), c.loggedIn ? 0 : 1);
    }
}

TEST_F(LoginRefusal, TheLoginOfAnIntactContentOpensWithoutAWord) {
    start(true);
    openLogin();
    EXPECT_NE(login, nullptr);
    EXPECT_TRUE(alertTexts().empty());
    EXPECT_FALSE(app->IsQuitting());
}

TEST_F(LoginRefusal, ADamagedLoginSaysThePicturesAreMissingAndStops) {
    ASSERT_NO_FATAL_FAILURE(scrambleProgramFile("RDlgLogin.kvr"));
    start(true);
    openLogin();
    EXPECT_EQ(login, nullptr);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{text("ContentStrings", "NoDataMustQuit")});
    EXPECT_TRUE(app->IsQuitting());
}

}  // namespace
