#include "app/application/RApplication.h"

#include "app/menus/RShellWindow.h"
#include "app/module/RModule.h"
#include "app/settings/DamagedUserFile.h"
#include "app/settings/RGlobalSave.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "document/project/RPortfolio.h"
#include "document/users/UserNames.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "engine/os/OsManager.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/input/RInputObject.h"
#include "framework/language/LanguageTexts.h"
#include "framework/undo/UndoManager.h"
#include "sound/RSoundManager.h"
#include "sound/sprites/SprSoundChannels.h"
#include "text/speech/ASpeechHandler.h"
#include "text/speech/SpeechSurroundings.h"
#include "text/speech/SpeechVoices.h"
#include "tools/base/RTool.h"
#include "framework/messaging/mfDispatcher.h"

namespace Ostrel {

namespace {

RApplication* gApplication = nullptr;

}  // namespace

RApplication* GetApplication() { return gApplication; }

RApplication::RApplication() : RSender(kApplicationSenderTag) {
    pathInitEmpty(&iniPath_);
    pathInitEmpty(&configPath_);
    gApplication = this;
}

RApplication::~RApplication() {
    // The speech handler saves the user's words as it goes; the folders it asks for go with us.
    ASpeechHandler::DestroyInstance();
    SetSpeechSurroundings({});
    // A start that failed before the exit leaves no hook pointing into us.
    sprSetDeviceBusyPrompt(nullptr);
    if (toolProfile() == &configPath_) setToolProfile(nullptr);
    pathRelease(&iniPath_);
    pathRelease(&configPath_);
    if (gApplication == this) gApplication = nullptr;
}

u32 RApplication::InitInstance(u32 mode, const std::vector<std::string>& options, const std::string& document) {
    std::string path = document;
    if (!path.empty() && path.front() == '"') {
        path.erase(0, 1);
        if (!path.empty() && path.back() == '"') path.pop_back();
    }
    documentPath_ = path.substr(0, kDocumentPathSize - 1);
    // Before the OS manager starts its timer: see kLoopTimerPeriod.
    osmSetTimerPeriod(kLoopTimerPeriod);
    return mfxApplication::InitInstance(mode, options, documentPath_);
}

u16 RApplication::OnIdle() {
    const u16 due = mfxApplication::OnIdle();
    if (due && dispatcher_) dispatcher_->DispatchQueuedMessages();
    return due;
}

// Nothing is filtered before the windows see it.
bool RApplication::PreTranslateMessage(const plat::Message&) { return false; }

u32 RApplication::RealizePalette() {
    if (palette_) gfxRealizePalette(palette_, 1);
    return 1;
}

std::unique_ptr<RPage> RApplication::SetCurrentPage(std::unique_ptr<RPage> page) {
    std::unique_ptr<RPage> previous = std::move(currentPage_);
    currentPage_ = std::move(page);
    return previous;
}

RDocument* RApplication::GetCurrentDocument() const { return portfolio_ ? portfolio_->Document() : nullptr; }

void RApplication::GetCanvasRect(Rect16* out) const {
    *out = currentCode_ == kScreenSlideShow ? slideCanvasRect_ : easelCanvasRect_;
}

bool RApplication::IsMenuCommandEnabled(u16 command) const {
    return mainWindow_ && mainWindow_->IsMenuCommandEnabled(command);
}

void RApplication::EnableMenuCommand(u16 command) {
    if (mainWindow_) mainWindow_->EnableMenuCommand(command);
}

void RApplication::DisableMenuCommand(u16 command) {
    if (mainWindow_) mainWindow_->DisableMenuCommand(command);
}

u16 RApplication::GetLanguage() const { return CurrentLanguage(); }

void RApplication::SetLanguage(u16 language) {
    SetCurrentLanguage(language);
    SpeakInLanguage(language);
}

// Readers that choose no voice of their own (the pages' texts) speak in the program's
// language; until a voice is chosen speech stays silent.
void RApplication::SpeakInLanguage(u16 language) {
    ASpeechHandler* speech = ASpeechHandler::GetInstance();
    if (!speech) return;
    speech->SetVoiceFamily(language == kLanguageSpanish ? kSpeechFamilySpanish : kSpeechFamilyEnglish);
    speech->SetVoice(0);
}

ClipList& RApplication::GetClipList() const { return CCPObj::Clips(); }

void RApplication::ResetGlobalUserSettings() {
    settings_ = std::make_unique<GlobalUserSettings>(Ostrel::ResetGlobalUserSettings());
}

namespace {

void tellOfSettings(const char* key) {
    ShowAlert(LookupLanguageText("FileStrings", key).c_str(), nullptr, kAlertOk | kAlertIconExclamation);
}

}  // namespace

void RApplication::SaveGlobalUserSettings() {
    if (!paths_ || !settings_) return;
    EngineErr err = RGlobalSave(*paths_, settings_.get()).Save();
    if (IsDamagedProfileError(err)) {
        err = RenewDamagedUserFile(*paths_, settings_.get());
        if (!err) tellOfSettings("DamagedUserSettings");
    }
    // Without a user, or with the user's folder gone, there is nothing to keep.
    if (err == kErrNone || err == kDocErrNoUser || err == kDocErrNoFolder) {
        settingsFailureTold_ = false;
    } else if (!settingsFailureTold_) {
        settingsFailureTold_ = true;
        tellOfSettings("CantSaveUserSettings");
    }
}

void RApplication::LoadGlobalUserSettings() {
    if (!paths_ || !settings_) return;
    // The defaults that a damaged file gave are what the fresh file starts from.
    if (IsDamagedProfileError(RGlobalSave(*paths_, settings_.get()).Load())) SaveGlobalUserSettings();
}

}  // namespace Ostrel
