#pragma once
// The application started over the content set with the program's own main window, screens
// that record what they hear, and (when asked) the program's own login dialog; a user logged
// in brings up the recording easel with the menu bar loaded.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "app/dialogs/RDlgLogin.h"
#include "app/menus/MenuCommands.h"
#include "app/window/RDisplayWindow.h"
#include "engine/resources/NamedResources.h"
#include "framework/language/LanguageTexts.h"
#include "framework/messaging/mfMessageQueue.h"
#include "tests/app/application/ShellTestFixture.h"

namespace testapp {

using Log = std::vector<std::string>;

class WindowShellTest : public ShellTest {
protected:
    void TearDown() override {
        if (app) app->ExitInstance();
        app.reset();
        contentsSetSpanish(false);
        SetCurrentLanguage(kLanguageEnglish);
        mfMessageQueue::Global().Clear();
        ShellTest::TearDown();
    }

    // Writes the writable "TB.ini" of the desktop's settings folder before the start.
    void writeSettings(const std::string& lines) {
        std::filesystem::create_directories(root_ + "/config/tumblo4");
        std::ofstream(root_ + "/config/tumblo4/TB.ini") << lines << "\r\n";
    }

    using ScreenFactory = std::function<std::unique_ptr<Ostrel::RModule>(u32 code)>;

    void start(bool realLogin = false, ScreenFactory screens = {}) {
        app = std::make_unique<Ostrel::RApplication>();
        Ostrel::ShellParts shell = parts(&log);
        if (screens) shell.screen = screens;
        shell.mainWindow = [this](const std::string& title, const Rect16& rect) -> std::unique_ptr<Ostrel::RShellWindow> {
            auto made = std::make_unique<Ostrel::RDisplayWindow>(title, rect);
            mainWindow = made.get();
            return made;
        };
        if (realLogin) {
            shell.login = [this](CListener* owner, u16 later) -> std::unique_ptr<CListener> {
                Ostrel::LoginServices services{app->GetPaths(), app->GetPortfolio(), app->GetUndoManager()};
                auto dialog = std::make_unique<Ostrel::RDlgLogin>(owner, later, services);
                if (dialog->Open() != 0) return nullptr;
                login = dialog.get();
                return dialog;
            };
        }
        app->SetShellParts(shell);
        ASSERT_EQ(app->Startup(0, {}), 0);
        ASSERT_NE(mainWindow, nullptr);
    }

    // Logs `name` in as the login's answer would.
    void logIn(const std::string& name) {
        Ostrel::RMessage open(Ostrel::kMsgOpenDocument, 0, 0);
        app->HandleMessage(&open, 0);
        Ostrel::RMessage answer(Ostrel::kMsgLoginClosed, 0, Ostrel::kLoginChosen);
        answer.Carry(name);
        app->HandleMessage(&answer, 0);
        ASSERT_TRUE(app->IsUserLoggedIn());
    }

    void idle() { app->OnIdle(); }

    static std::string menuText(const char* key) {
        return LookupLanguageText(Ostrel::kMenuStringsSection, key).c_str();
    }
    bool enabled(u16 command) const { return mainWindow->IsMenuCommandEnabled(command); }
    std::string itemText(u16 command) const { return mainWindow->Menu()->ItemText(mfxMenuCommand(command)); }

    Log log;
    std::unique_ptr<Ostrel::RApplication> app;
    Ostrel::RDisplayWindow* mainWindow = nullptr;
    Ostrel::RDlgLogin* login = nullptr;
};

}  // namespace testapp
