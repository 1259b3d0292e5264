#include "shell/ScreenTable.h"

#include "app/application/RApplication.h"
#include "app/dialogs/RDlgLogin.h"
#include "app/dialogs/RGetStartDlg.h"
#include "app/splash/RSplash.h"
#include "app/window/RDisplayWindow.h"
#include "screens/easel/REasel.h"
#include "screens/picker/RPicker.h"
#include "screens/slideshow/RSlideShowModule.h"

namespace Ostrel {

ShellParts ProgramShellParts() {
    ShellParts parts;
    parts.mainWindow = [](const std::string& title, const Rect16& rect) -> std::unique_ptr<RShellWindow> {
        // The Help menu's "Getting Started" dialog builds on the window, so the window is told
        // how to make it.
        RDisplayWindow::SetGettingStartedFactory([](CListener* owner) -> std::unique_ptr<CListener> {
            auto dialog = std::make_unique<RGetStartDlg>(owner);
            if (dialog->Open() != 0) return nullptr;
            return dialog;
        });
        return std::make_unique<RDisplayWindow>(title, rect);
    };
    parts.screen = [](u32 code) -> std::unique_ptr<RModule> {
        switch (code) {
        case kScreenSplash: return std::make_unique<RSplash>();
        case kScreenEasel: return std::make_unique<REasel>();
        case kScreenPicker: return std::make_unique<RPicker>();
        case kScreenSlideShow: return std::make_unique<RSlideShowModule>();
        default: return nullptr;
        }
    };
    parts.builds = [](u32 code) {
        return code == kScreenSplash || code == kScreenEasel || code == kScreenPicker || code == kScreenSlideShow;
    };
    parts.login = [](CListener* owner, u16 openedLater) -> std::unique_ptr<CListener> {
        RApplication* application = GetApplication();
        if (!application) return nullptr;
        auto dialog = std::make_unique<RDlgLogin>(
            owner, openedLater,
            LoginServices{application->GetPaths(), application->GetPortfolio(), application->GetUndoManager()});
        if (dialog->Open() != 0) return nullptr;
        return dialog;
    };
    return parts;
}

}  // namespace Ostrel
