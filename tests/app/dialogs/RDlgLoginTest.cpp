#include "app/dialogs/RDlgLogin.h"

#include <filesystem>
#include <set>

#include "app/dialogs/RUserList.h"
#include "document/users/Paths.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/language/LanguageTexts.h"
#include "text/host/TextKeys.h"
#include "tests/app/window/WindowShellFixture.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

class Login : public testapp::WindowShellTest {
protected:
    std::string usersFolder() const { return root_ + "/data/tumblo4/Users"; }
    void makeUsers(const std::vector<std::string>& names) {
        for (const std::string& name : names) fs::create_directories(usersFolder() + "/" + name);
    }
    void openLogin(u16 later = 0) {
        RMessage open(kMsgOpenDocument, 0, later);
        app->HandleMessage(&open, 0);
        ASSERT_TRUE(app->IsLoginOpen());
        ASSERT_NE(login, nullptr);
    }
    void type(const std::string& text) {
        for (char c : text) login->HandleKey(testkeys::typedKey(u8(c)));
    }
    void command(u16 id) {
        RMessage message(id, 0, 0);
        login->HandleMessage(&message, 0);
    }
    std::string fieldText() const { return login->NameField()->Text(); }
    const std::vector<std::string>& users() const { return login->UserList()->Items(); }
    bool userFolder(const std::string& name) const { return fs::exists(usersFolder() + "/" + name); }
};

TEST_F(Login, TheListHoldsTheUsersSortedWithoutCaseAndTheFieldTheFirstOfThem) {
    makeUsers({"bob", "Maya", "ana"});
    start(true);
    openLogin();
    EXPECT_EQ(users(), (std::vector<std::string>{"ana", "bob", "Maya"}));
    EXPECT_EQ(fieldText(), "ana");
    EXPECT_EQ(login->HiddenButton(), kLoginButtonHiddenAtStart);
    EXPECT_TRUE(login->IsNormalMode());
}

// Every button and row stands inside the dialog's art, where the layout puts them.
TEST_F(Login, ItsButtonsAndRowsStandInsideTheDialog) {
    makeUsers({"bob"});
    start(true);
    openLogin();
    sprUpdateScreen(1);
    const RButton* logIn = login->ButtonSet().Find(kLoginButtonLogIn);
    ASSERT_NE(logIn, nullptr);
    const SprSprite* sprite = sprFind(logIn->GetSprite());
    ASSERT_NE(sprite, nullptr);
    const Rect16 dialog{200, 110, 600, 490};
    EXPECT_TRUE(rectContainsPoint(dialog, Point16{sprite->bounds.left, sprite->bounds.top}));
    EXPECT_TRUE(rectContainsPoint(dialog, Point16{i16(sprite->bounds.right - 1), i16(sprite->bounds.bottom - 1)}));
    EXPECT_TRUE(rectContainsPoint(logIn->GetHotSpot()->GetRect(), Point16{i16(sprite->bounds.left + 10), i16(sprite->bounds.top + 10)}));
    const Rect16 row = login->UserList()->GetCellRect(0);
    EXPECT_TRUE(rectContainsPoint(dialog, Point16{row.left, row.top}));
    EXPECT_TRUE(rectContainsPoint(dialog, login->NameField()->Rect().left == 0 ? Point16{0, 0} : Point16{login->NameField()->Rect().left, login->NameField()->Rect().top}));
}

TEST_F(Login, WithoutUsersTheFieldOffersTheDefaultWhichIsNeverAName) {
    start(true);
    openLogin();
    EXPECT_TRUE(users().empty());
    EXPECT_EQ(fieldText(), kDefaultLoginName);
    command(kLoginCmdLogIn);
    idle();
    EXPECT_TRUE(app->IsLoginOpen());
    EXPECT_FALSE(app->IsUserLoggedIn());
}

// Going on without a name is not met with silence: the dialog says so until the child types.
TEST_F(Login, GoingOnWithoutANameSaysSoUntilTheChildTypes) {
    start(true);
    openLogin();
    const std::string word = LookupLanguageText(kLoginTextSection, kLoginEmptyNameKey).c_str();
    ASSERT_FALSE(word.empty());
    EXPECT_TRUE(login->Hint().empty());
    const struct {
        const char* field;
        bool byReturn;
    } cases[] = {{"", true}, {"   ", true}, {kDefaultLoginName, true}, {kDefaultLoginName, false}};
    for (const auto& c : cases) {
        login->NameField()->SetText(c.field);
        c.byReturn ? void(login->HandleKey(testkeys::returnKey())) : command(kLoginCmdLogIn);
        EXPECT_EQ(login->Hint(), word) << '"' << c.field << '"';
        type("K");
        EXPECT_TRUE(login->Hint().empty()) << '"' << c.field << '"';
    }
    EXPECT_TRUE(app->IsLoginOpen());
    EXPECT_FALSE(app->IsUserLoggedIn());
}

TEST_F(Login, ATypedNameLogsInMakesTheUsersFolderAndReadsTheirSettings) {
    makeUsers({"Maya"});
    std::ofstream(usersFolder() + "/Maya/user.ini") << "[GlobalUser]\r\nToolSnds=FALSE\r\nManualAdvance=TRUE\r\n";
    start(true);
    struct Case {
        const char* typed;
        bool enter;
        const char* user;
        u16 toolSounds;
    };
    // The login button takes the list's spelling; Enter keeps the typed one.
    const Case cases[] = {{"Zoe", true, "Zoe", 1}, {"maya", false, "Maya", 0}, {"Ben", true, "Ben", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        openLogin();
        type(c.typed);
        EXPECT_EQ(fieldText(), c.typed);
        if (c.enter)
            login->HandleKey(testkeys::returnKey());
        else
            command(kLoginCmdLogIn);
        idle();
        login = nullptr;
        EXPECT_FALSE(app->IsLoginOpen());
        ASSERT_TRUE(app->IsUserLoggedIn());
        EXPECT_EQ(app->GetPaths()->UserName(), c.user);
        EXPECT_TRUE(fs::exists(usersFolder() + "/" + c.user + "/Pictures"));
        // The tools sound as the user left them.
        EXPECT_EQ(app->GetGlobalUserSettings()->toolSounds, c.toolSounds);
        EXPECT_EQ(app->GetCurrentModuleCode(), kScreenEasel);
    }
}

TEST_F(Login, NamesThatCouldNotBeAUsersFolderAreRefused) {
    start(true);
    openLogin();
    struct Case {
        std::string name;
        bool accepted;
    };
    const Case cases[] = {
        {"", false},          {"   ", false},        {"Your Name", false}, {".", false},
        {"..", false},        {"a/b", false},        {"a\\b", false},      {std::string("a\x01") + "b", false},
        {"a:b", false},       {"a*b", false},        {"Your name", true},  {" Kim ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        login->NameField()->SetText(c.name);
        command(kLoginCmdLogIn);
        idle();
        EXPECT_EQ(app->IsUserLoggedIn(), c.accepted);
        if (c.accepted) {
            EXPECT_FALSE(std::string(app->GetPaths()->UserName()).empty());
            openLogin(1);
        } else {
            EXPECT_TRUE(app->IsLoginOpen());
        }
    }
    std::set<std::string> made;
    for (const fs::directory_entry& entry : fs::directory_iterator(usersFolder())) made.insert(entry.path().filename());
    EXPECT_EQ(made, (std::set<std::string>{"Your name", "Kim"}));
}

TEST_F(Login, TypingKeepsToTheAlphabetAndTheLength) {
    start(true);
    openLogin();
    type("Al/i*");
    EXPECT_EQ(fieldText(), "Ali");
    login->HandleKey(testkeys::backspaceKey());
    EXPECT_EQ(fieldText(), "Al");
    // Twenty characters fit, the twenty-first does not.
    login->NameField()->SetText("");
    type(std::string(kLoginNameMaxLength, 'a'));
    EXPECT_EQ(fieldText().size(), kLoginNameMaxLength);
    type("b");
    EXPECT_EQ(fieldText(), std::string(kLoginNameMaxLength, 'a'));
}

TEST_F(Login, TheAdministratorAddsAndDeletesUsers) {
    makeUsers({"bob", "Maya"});
    start(true);
    openLogin();
    login->NameField()->SetText("TulipGARDEN");
    command(kLoginCmdLogIn);
    ASSERT_FALSE(login->IsNormalMode());
    EXPECT_TRUE(login->UserList()->IsAdministrator());
    // Delete and Add stand apart.
    EXPECT_GE(login->AdminSet().Find(kLoginButtonAdminAdd)->GetHotSpot()->GetRect().left -
                  login->AdminSet().Find(kLoginButtonAdminDelete)->GetHotSpot()->GetRect().right, 8);

    login->NameField()->SetText("Newkid");
    command(kLoginCmdAddUser);
    idle();
    EXPECT_TRUE(userFolder("Newkid"));
    EXPECT_EQ(users(), (std::vector<std::string>{"bob", "Maya", "Newkid"}));
    EXPECT_FALSE(app->IsUserLoggedIn());
    ASSERT_TRUE(app->IsLoginOpen());

    login->UserList()->SelectItem(0);
    login->UserList()->SelectItem(2);
    command(kLoginCmdDeleteUsers);
    ASSERT_NE(login->DeleteConfirmation(), nullptr);
    RMessage confirm(kDlgResultConfirm, 0, 0);
    login->DeleteConfirmation()->HandleMessage(&confirm, 0);
    idle();
    EXPECT_EQ(login->DeleteConfirmation(), nullptr);
    EXPECT_FALSE(userFolder("bob"));
    EXPECT_FALSE(userFolder("Newkid"));
    EXPECT_TRUE(userFolder("Maya"));
    EXPECT_EQ(users(), (std::vector<std::string>{"Maya"}));

    command(kLoginCmdLeaveAdmin);
    EXPECT_TRUE(login->IsNormalMode());
    EXPECT_FALSE(login->UserList()->IsAdministrator());
}

TEST_F(Login, LeavingTheDeleteConfirmationDeletesNobody) {
    makeUsers({"bob"});
    start(true);
    openLogin();
    command(kLoginCmdEnterAdmin);
    ASSERT_FALSE(login->IsNormalMode());
    EXPECT_EQ(fieldText(), "");
    login->UserList()->SelectItem(0);
    command(kLoginCmdDeleteUsers);
    ASSERT_NE(login->DeleteConfirmation(), nullptr);
    RMessage leave(kDlgResultLeave, 0, 0);
    login->DeleteConfirmation()->HandleMessage(&leave, 0);
    idle();
    EXPECT_EQ(login->DeleteConfirmation(), nullptr);
    EXPECT_TRUE(userFolder("bob"));
}

TEST_F(Login, OpenedLaterTheListLeavesOutTheCurrentUserWhoStaysCurrent) {
    makeUsers({"bob", "Maya"});
    start(true);
    logIn("Maya");
    openLogin(1);
    EXPECT_EQ(users(), (std::vector<std::string>{"bob"}));
    EXPECT_EQ(login->HiddenButton(), kLoginButtonHiddenLater);
    command(kLoginCmdEnterAdmin);
    login->NameField()->SetText("Newkid");
    command(kLoginCmdAddUser);
    EXPECT_TRUE(userFolder("Newkid"));
    EXPECT_EQ(app->GetPaths()->UserName(), "Maya");
    // Leaving the administrator's form of a later login closes it.
    command(kLoginCmdLeaveAdmin);
    idle();
    login = nullptr;
    EXPECT_FALSE(app->IsLoginOpen());
    EXPECT_EQ(app->GetPaths()->UserName(), "Maya");
}

TEST_F(Login, TwoNamesDifferingInCaseAreFoundAtTheLaterOne) {
    makeUsers({"ann", "Ann", "bo"});
    start(true);
    openLogin();
    const RUserList& list = *login->UserList();
    ASSERT_EQ(list.Items().size(), 3u);
    EXPECT_EQ(list.Find("ANN"), 2);
    EXPECT_EQ(list.Find("nobody"), 0);
    EXPECT_EQ(list.NameAt(-1), nullptr);
    EXPECT_EQ(list.NameAt(3), nullptr);
    EXPECT_EQ(list.FindPrefix("b"), 2);
    EXPECT_EQ(list.FindPrefix("x"), -1);
}

TEST_F(Login, TheLoginButtonWaitsForANameAndTheAdministratorsNameIsNoUser) {
    start(true);
    openLogin();
    struct Case {
        const char* text;
        bool enabled;
    };
    for (const Case& c : {Case{"", false}, Case{"  ", false}, Case{"Kim", true}, Case{"tulipgarden", true}}) {
        login->NameField()->SetText("x");
        login->HandleKey(testkeys::backspaceKey());
        type(c.text);
        EXPECT_EQ(login->ButtonSet().IsEnabled(kLoginButtonLogIn), c.enabled) << c.text;
    }
    command(kLoginCmdLogIn);
    ASSERT_FALSE(login->IsNormalMode());
    login->NameField()->SetText("");
    type("tulipgarden");
    EXPECT_FALSE(login->AdminSet().IsEnabled(kLoginButtonAdminAdd));
    login->NameField()->SetText("");
    type("Kim");
    EXPECT_TRUE(login->AdminSet().IsEnabled(kLoginButtonAdminAdd));
}

TEST_F(Login, ARowClickedPutsItsNameInTheFieldAndADoubleClickLogsIn) {
    makeUsers({"ana", "bob"});
    start(true);
    openLogin();
    const Rect16 row = login->UserList()->GetCellRect(1);
    const Point16 middle{i16((row.left + row.right) / 2), i16((row.top + row.bottom) / 2)};
    mainWindow->OnMouseDown(middle, 0);
    mainWindow->OnMouseUp(middle, 0);
    idle();
    EXPECT_EQ(fieldText(), "bob");
    EXPECT_TRUE(login->ButtonSet().IsEnabled(kLoginButtonLogIn));
    EXPECT_FALSE(app->IsUserLoggedIn());
    mainWindow->OnMouseDown(middle, 0);
    mainWindow->OnMouseUp(middle, 0);
    idle();
    idle();
    login = nullptr;
    ASSERT_TRUE(app->IsUserLoggedIn());
    EXPECT_EQ(app->GetPaths()->UserName(), "bob");
}

TEST_F(Login, APressInTheFieldEditsItAndAReleaseElsewhereInTheDialogPutsTheTextBack) {
    start(true);
    openLogin();
    const Rect16 field = login->FieldArea();
    ASSERT_GT(field.right - field.left, 300);
    ASSERT_TRUE(rectContainsPoint(login->DialogArea(), Point16{field.left, field.top}));
    const Point16 inField{i16(field.left + 12), i16((field.top + field.bottom) / 2)};
    mainWindow->OnMouseDown(inField, 0);
    EXPECT_TRUE(login->NameField()->Field().Active());
    mainWindow->OnMouseUp(inField, 0);
    EXPECT_TRUE(login->NameField()->Field().Active());
    const Point16 elsewhere{i16(field.left + 5), i16(login->DialogArea().bottom - 5)};
    mainWindow->OnMouseDown(elsewhere, 0);
    mainWindow->OnMouseUp(elsewhere, 0);
    EXPECT_FALSE(login->NameField()->Field().Active());
    EXPECT_EQ(fieldText(), kDefaultLoginName);
}

TEST_F(Login, QuitAndCancelAnswerTheApplication) {
    start(true);
    openLogin();
    command(kLoginCmdQuit);
    idle();
    login = nullptr;
    EXPECT_TRUE(app->IsQuitting());
}

TEST_F(Login, AnAnswerNeverDeliveredGoesWithTheDialog) {
    start(true);
    openLogin();
    type("Zoe");
    command(kLoginCmdLogIn);
    command(kLoginCmdLogIn);
    // The application's login goes before its answers are delivered: nothing leaks (ASan).
    RMessage quit(kMsgLoginClosed, 0, kLoginQuit);
    app->HandleMessage(&quit, 0);
    login = nullptr;
    idle();
    EXPECT_FALSE(app->IsUserLoggedIn());
}

}  // namespace
