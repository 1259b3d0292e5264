#pragma once
// A program folder of the content set in a scratch folder (everything linked but the two
// settings files, which a test may change), the desktop's data and settings folders beside
// it, the OS manager started as the framework's entry starts it, and an application with a
// main window that records what the application asks of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "app/module/RModule.h"
#include "document/users/EnginePath.h"
#include "engine/os/OsManager.h"

namespace testapp {

class RecordingWindow : public Ostrel::RShellWindow {
public:
    using RShellWindow::RShellWindow;
    bool IsMenuBarLoaded() const override { return loaded; }
    void LoadMenuBar() override { loaded = true; }
    void SetMenuMode(u16 menuId) override { modes.push_back(menuId); }
    void SetMenuDisabled(bool disabled) override { modes.push_back(disabled ? 1 : 0); }
    bool IsTeacherMenuShowing() const override { return teacher; }
    void HideTeacherMenu() override { teacher = false; }
    bool IsMenuCommandEnabled(u16 command) const override {
        for (u16 c : enabled)
            if (c == command) return true;
        return false;
    }
    void EnableMenuCommand(u16 command) override { enabled.push_back(command); }
    void DisableMenuCommand(u16 command) override { std::erase(enabled, command); }
    bool ToolTipsOn() const override { return true; }

    bool loaded = false;
    bool teacher = true;
    std::vector<u16> modes;
    std::vector<u16> enabled;
};

// A screen that writes its entry, its messages and its end into the log.
class RecordingScreen : public Ostrel::RModule {
public:
    RecordingScreen(u32 code, std::vector<std::string>* log) : code_(code), log_(log) {}
    ~RecordingScreen() override { log_->push_back("delete " + std::to_string(code_)); }
    u16 Enter() override {
        log_->push_back("enter " + std::to_string(code_));
        return enterResult;
    }
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t) override {
        log_->push_back(std::to_string(code_) + " hears " + std::to_string(message->code));
        return 0;
    }
    bool OpenDocumentPath(const std::string& path) override {
        log_->push_back(std::to_string(code_) + " opens " + path);
        return true;
    }
    u16 enterResult = 0;

private:
    u32 code_;
    std::vector<std::string>* log_;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-shell-XXXXXX";
        root_ = ::mkdtemp(pattern);
        namespace fs = std::filesystem;
        fs::create_directories(root_ + "/prog");
        for (const fs::directory_entry& entry : fs::directory_iterator(TUMBLO_TEST_PROGRAM_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name == "TB.cfg" || name == "TB.ini") {
                fs::copy_file(entry.path(), root_ + "/prog/" + name);
            } else if (name == "Movies") {
                // Tests add movies of their own beside the content's; the build's folder stays as made.
                fs::create_directories(root_ + "/prog/Movies");
                for (const fs::directory_entry& movie : fs::directory_iterator(entry.path()))
                    fs::create_symlink(movie.path(), root_ + "/prog/Movies/" + movie.path().filename().string());
            } else if (name != "tumblo4") {
                fs::create_symlink(entry.path(), root_ + "/prog/" + name);
            }
        }
        ASSERT_EQ(osmInit(nullptr), kErrNone);
    }
    void TearDown() override {
        osmShutdown();
        std::filesystem::remove_all(root_);
    }

    Ostrel::ShellParts parts(std::vector<std::string>* log, bool realScreens = false) {
        Ostrel::ShellParts parts;
        parts.roots = {Ostrel::engineTextOfHostFolder(root_ + "/prog"),
                       Ostrel::engineTextOfHostFolder(root_ + "/data/tumblo4"),
                       Ostrel::engineTextOfHostFolder(root_ + "/config/tumblo4")};
        parts.mainWindow = [this](const std::string& title, const Rect16& rect) -> std::unique_ptr<Ostrel::RShellWindow> {
            auto made = std::make_unique<RecordingWindow>(title, rect);
            window = made.get();
            return made;
        };
        if (!realScreens) {
            parts.screen = [log](u32 code) -> std::unique_ptr<Ostrel::RModule> {
                if (code < Ostrel::kScreenPicker || code > Ostrel::kScreenSplash) return nullptr;
                log->push_back("make " + std::to_string(code));
                return std::make_unique<RecordingScreen>(code, log);
            };
            parts.builds = [](u32 code) { return code >= Ostrel::kScreenPicker && code <= Ostrel::kScreenSplash; };
        }
        parts.login = [log](CListener*, u16 later) -> std::unique_ptr<CListener> {
            log->push_back("login " + std::to_string(later));
            return std::make_unique<RecordingScreen>(0, log);
        };
        return parts;
    }
    // Replaces the program's "TB.cfg" with one whose [Setup] holds these lines.
    void writeSetup(const std::string& lines) {
        std::ofstream(root_ + "/prog/TB.cfg", std::ios::trunc) << "[TOC]\r\nDebug=FALSE\r\nMCD=FALSE\r\n[Setup]\r\n"
                                                                << lines << "\r\n";
    }

    std::string root_;
    RecordingWindow* window = nullptr;
};

}  // namespace testapp
