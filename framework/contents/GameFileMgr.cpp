#include "framework/contents/GameFileMgr.h"

#include <string>

#include "framework/app/mfxApplication.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr int kExitNoContent = 1;

u32 ask(const char* key, u32 style) { return mfxAlert(style, LookupLanguageText(kContentStrings, key).c_str()); }

}  // namespace

std::string InsertName(const std::string& text, const std::string& name) {
    const size_t at = text.find("%s");
    if (at == std::string::npos) return text;
    return text.substr(0, at) + name + text.substr(at + 2);
}

GameFileMgr::GameFileMgr(const Path* programFolder, const Path* dataFolder)
    : tContents(programFolder, dataFolder, "TB.ini", "TB.cfg") {}

bool GameFileMgr::Quitting() const {
    const mfxApplication* application = mfxApplication::Get();
    return application && application->IsQuitting();
}

u16 GameFileMgr::AskForDisc(i32) {
    if (Quitting() || ask("InsertDisc", kAlertOkCancel) != kAlertAnswerOk || Quitting()) return 0;
    RescanVolumes();
    return 1;
}

u16 GameFileMgr::Prompt(u16 kind) {
    switch (kind) {
    case kAskToEject: return !Quitting() && ask("EjectOtherCDs", kAlertYesNo) == kAlertAnswerYes ? 1 : 0;
    case kDiscRefused:
        if (!quitAllowed || Quitting()) return 0;
        if (ask("AreYouSureQuit", kAlertYesNo) != kAlertAnswerYes) return 1;
        ExitProgram(kExitNoContent);
        return 0;
    case kNoDiscKey:
    case kItemNotFound:
    case kNoTableOfContents:
        if (!quitAllowed) return 0;
        ask("NoDataMustQuit", kAlertOk);
        ExitProgram(kExitNoContent);
        return 0;
    default: return 0;
    }
}

void GameFileMgr::ExitProgram(int code) {
    // Keeping the work may itself meet the damage that ends the program: that end keeps nothing.
    if (keepUnsavedWork && !keeping_) {
        keeping_ = true;
        keepUnsavedWork();
        keeping_ = false;
    }
    if (stopProgram)
        stopProgram(code);
    else
        tContents::ExitProgram(code);
}

u16 GameFileMgr::ReportVolumeError(const OsErrorRecord& event, u16* outQuit) {
    *outQuit = 0;
    switch (event.kind) {
    case kOsErrorKindSystem:
        mfxAlert(kAlertOk, LookupLanguageText("GeneralStrings", "AppName").c_str());
        break;
    case kOsErrorKindDriveLocked: ask("volLocked", kAlertOk); break;
    case kOsErrorKindWriteProtected: ask("volWriteProtect", kAlertOk); break;
    default: break;
    }
    return 0;
}

// Retry and Cancel whether or not the failing call may be retried: only Retry keeps the
// program running, and a disc put back is what the user can offer.
u16 GameFileMgr::AskToPutBackDisc(const char* label, u16) {
    if (Quitting()) return 0;
    const std::string text = InsertName(LookupLanguageText(kContentStrings, "volNotPrsntTwo").c_str(), label);
    return mfxAlert(kAlertRetryCancel | kAlertIconStop, text) == kAlertAnswerRetry && !Quitting() ? 1 : 0;
}

}  // namespace Ostrel
