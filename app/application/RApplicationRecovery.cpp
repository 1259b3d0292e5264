// The page kept when the program has to stop at once, offered back at the next login.
#include "app/application/RApplication.h"
#include "app/module/RModule.h"
#include "document/project/RecoveryCopy.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/contents/GameFileMgr.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr const char* kFileStrings = "FileStrings";
constexpr const char* kRecoveredNameKey = "RecoveredPictureName";
constexpr const char* kRecoveredQuestionKey = "RecoveredPictureQuestion";
// The name when the language files give none: the copy must still become a picture.
constexpr const char* kRecoveredFallbackName = "Recovered";

// The picture's name as the child sees it: no folder, no extension.
std::string shownName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}

}  // namespace

void RApplication::OnTerminationSignal() {
    if (currentScreen_) currentScreen_->KeepUnsavedWork();
    if (userLoggedIn_) SaveGlobalUserSettings();
}

// Whatever the answer, the copy becomes one of the child's pictures, so it is asked about once
// and stays there to open later: "No" says "not now", never "throw it away". It is named in the
// language the child used when it was kept; the question is asked in the login's.
void RApplication::OfferRecoveredPicture() {
    if (!paths_) return;
    for (const u16 language : {kLanguageEnglish, kLanguageSpanish}) {
        std::string name = LookupLanguageText(kFileStrings, kRecoveredNameKey, language).c_str();
        if (name.empty()) name = kRecoveredFallbackName;
        const std::string picture = KeepRecoveryCopy(*paths_, language, name);
        if (picture.empty()) continue;
        const std::string question =
            InsertName(LookupLanguageText(kFileStrings, kRecoveredQuestionKey).c_str(), shownName(picture));
        if (ShowAlert(question.c_str(), nullptr, kAlertYesNo | kAlertIconQuestion) != kAlertAnswerYes) continue;
        // A login brings up the easel (the slide-show picker, where one may start, comes later).
        if (currentScreen_ && currentCode_ == kScreenEasel) currentScreen_->OpenDocumentPath(picture);
        return;
    }
}

}  // namespace Ostrel
