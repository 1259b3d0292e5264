// Screen switching, document opening and the login: the application's listener.
#include <algorithm>
#include <cctype>

#include "app/application/NewPageEntry.h"
#include "app/application/RApplication.h"
#include "app/menus/RShellWindow.h"
#include "app/module/RModule.h"
#include "app/menus/MenuModeStates.h"
#include "document/pages/RPage.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "document/users/UserNames.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/messaging/mfDispatcher.h"
#include "framework/undo/UndoManager.h"
#include "sound/RSoundManager.h"
#include "text/speech/ASpeechHandler.h"
#include "engine/ini/IniProfiles.h"
#include "engine/util/IniWriteStringEnsurePath.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr u16 kLoginNameSize = 261;

void setSoundEnabled(u16 on) {
    if (SprScreen* screen = sprScreen()) screen->soundEnabled = on;
}

u16 soundEnabled() {
    const SprScreen* screen = sprScreen();
    return screen ? screen->soundEnabled : 0;
}

}  // namespace

void RApplication::SetMenuModeForScreen(u32 code) {
    if (!mainWindow_) return;
    switch (code) {
    case kScreenPicker: mainWindow_->SetMenuMode(kMenuModePicker); break;
    case kScreenEasel: mainWindow_->SetMenuMode(kMenuModeEasel); break;
    case kScreenSlideShow:
        if (settings_) mainWindow_->SetMenuDisabled(false);
        break;
    case kScreenSplash: mainWindow_->SetMenuDisabled(false); break;
    default: break;
    }
}

u16 RApplication::SwitchModule(u32 code) {
    if (userLoggedIn_) SaveGlobalUserSettings();
    currentScreen_.reset();
    currentCode_ = 0;
    // The old screen's memory goes back before the new one loads its content.
    memPurgeSpace(memPurgeSpace(0, 0), 0);
    memGetFreeSpace(0);
    setSoundEnabled(0);

    SetMenuModeForScreen(code);
    if (parts_.screen) currentScreen_ = parts_.screen(code);
    if (currentScreen_) currentCode_ = code;
    if (userLoggedIn_) LoadGlobalUserSettings();
    if (currentScreen_) {
        currentScreen_->SetShell(ModuleShell{paths_.get(), mainWindow_.get(), screenRect_});
        currentScreen_->AddListener(this);
        if (u16 result = currentScreen_->Enter()) return result;
    }
    sprInvalRect(screenRect_);
    return 0;
}

bool RApplication::OpenDocumentOnEntry() {
    if (!openOnEntry_ || documentPath_.empty() || !currentScreen_) return false;
    return currentScreen_->OpenDocumentPath(documentPath_);
}

void RApplication::LoadMenuBarOnce() {
    if (mainWindow_ && !mainWindow_->IsMenuBarLoaded()) mainWindow_->LoadMenuBar();
}

void RApplication::ForwardToScreen(RMessage* message, u32 data) {
    if (currentScreen_ && (currentCode_ == kScreenPicker || currentCode_ == kScreenEasel))
        currentScreen_->HandleMessage(message, data);
}

void RApplication::ShowPicker() {
    LoadMenuBarOnce();
    SwitchModule(kScreenPicker);
    OpenDocumentOnEntry();
}

void RApplication::ShowScreenWithNewPage(u16) {
    LoadMenuBarOnce();
    currentPage_.reset();
    // A new page is an untitled picture with the default settings; the easel makes its pixels.
    currentPage_ = std::make_unique<RPage>(PageSettings{}, std::string(), kFirstPageNumber);
    RPage* newPage = currentPage_.get();
    if (SwitchModule(kScreenEasel) == 1) {
        Quit();
        return;
    }
    if (!OpenDocumentOnEntry() && currentScreen_) {
        RMessage message = NewPageEntryMessage(newPage);
        currentScreen_->HandleMessage(&message, 0);
    }
}

void RApplication::OpenLoginDialog(u16 openedLater, bool administrator) {
    const u16 savedSound = soundEnabled();
    setSoundEnabled(0);
    // One login at a time: a second request while one is open is the same request.
    if (!loginDialog_ && parts_.login) {
        loginDialog_ = parts_.login(this, openedLater);
        if (!loginDialog_) {
            // Nobody can log in without the login's content, which has said so: the program stops.
            setSoundEnabled(savedSound);
            Quit();
            return;
        }
        if (loginDialog_ && administrator) {
            RMessage message(kMsgAdminLogin, 0, 0);
            loginDialog_->HandleMessage(&message, 0);
        }
    }
    // Whoever logs in next hears nothing of the page being read when the login came.
    if (ASpeechHandler* speech = ASpeechHandler::GetInstance()) speech->Stop();
    sprInvalRect(screenRect_);
    setSoundEnabled(savedSound);
}

void RApplication::OpenDocumentOrLogin(u16 reLogin) {
    std::string lower = documentPath_;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (lower.find(".tbp") != std::string::npos)
        nextScreenCode_ = kScreenPicker;
    else
        nextScreenCode_ = IniReadBoolText(&iniPath_, kSectionGeneralSettings, "StartInPicker") == 1 ? kScreenPicker : kScreenEasel;
    SaveGlobalUserSettings();
    if (reLogin == 0) {
        std::vector<char> name(kLoginNameSize + 1, '\0');
        iniGetString(&configPath_, kSetupSection, "LoginAs", name.data(), kLoginNameSize, "");
        if (name[0] != '\0') {
            loginFromConfiguration_ = 1;
            const std::string user(name.data());
            LoginClosed(&user, kLoginChosen);
            return;
        }
    }
    OpenLoginDialog(reLogin, false);
}

void RApplication::LoginClosed(const std::string* user, u16 answer) {
    loginDialog_.reset();
    if (answer == kLoginQuit) {
        Quit();
        return;
    }
    if (answer != kLoginChosen) return;
    if (userLoggedIn_ && currentScreen_ && user && isValidUserName(*user)) {
        // The screen of the user who leaves saves its panels' choices as it goes: into that
        // user's file, not the next user's. A refused name leaves it where it is.
        currentScreen_.reset();
        currentCode_ = 0;
    }
    const EngineErr folderErr = user && paths_ ? paths_->SelectUserFolder(*user) : kDocErrBadUserName;
    if (folderErr != kErrNone) {
        // A name the folders refuse logs nobody in: the login comes back. A good name whose
        // folder cannot be made or written to is no fault of the child's, so it hears why.
        if (folderErr != kDocErrBadUserName)
            ShowAlert(LookupLanguageText("LoginStrings", "FolderRefused").c_str(), nullptr,
                      kAlertOk | kAlertIconExclamation);
        OpenLoginDialog(0, false);
        return;
    }
    if (portfolio_) portfolio_->SetName(*user);
    userLoggedIn_ = 1;
    ResetGlobalUserSettings();
    LoadGlobalUserSettings();
    if (settings_->smallKids) {
        settings_->smallKids = 0;
        SaveGlobalUserSettings();
    }
    if (mainWindow_ && mainWindow_->IsMenuBarLoaded() && mainWindow_->IsTeacherMenuShowing())
        mainWindow_->HideTeacherMenu();
    if (nextScreenCode_ == kScreenPicker)
        ShowPicker();
    else
        ShowScreenWithNewPage(kLoginChosen);
    openOnEntry_ = 0;
    PostMessageTo(this, kMsgOfferRecoveredPicture);
}

u32 RApplication::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kScreenPicker: ShowPicker(); break;
    case kScreenEasel: ShowScreenWithNewPage(message->param2); break;
    case kMsgOfferRecoveredPicture: OfferRecoveredPicture(); break;
    case kMsgEnterScreenAgain:
        if (currentScreen_) SwitchModule(currentCode_);
        break;
    case kMsgForwardToScreen:
        if (currentScreen_) currentScreen_->HandleMessage(message, 0);
        break;
    case kScreenSlideShow:
        SwitchModule(kScreenSlideShow);
        if (currentScreen_) {
            RMessage start(kMsgSlideShowStart, 0, message->param2);
            currentScreen_->HandleMessage(&start, 0);
        }
        break;
    // The application keeps no such object: nothing to drop.
    case kMsgDropExtraObject: break;
    case kMsgLibraryChanged:
        if (currentScreen_) currentScreen_->HandleMessage(message, data);
        break;
    case kMsgOpenDocument: OpenDocumentOrLogin(message->param2); break;
    case kMsgLoginClosed:
        if (message->param2 == kLoginChosen) {
            LoginClosed(message->Payload<std::string>(), kLoginChosen);
        } else {
            LoginClosed(nullptr, message->param2);
        }
        break;
    case kMsgAdminLogin:
        nextScreenCode_ = kScreenEasel;
        SaveGlobalUserSettings();
        OpenLoginDialog(message->param2, true);
        break;
    default: ForwardToScreen(message, data); break;
    }
    return 0;
}

}  // namespace Ostrel
