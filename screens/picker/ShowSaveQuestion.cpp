#include "screens/picker/ShowSaveQuestion.h"

#include <optional>

#include "app/dialogs/RDlgWarnings.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxBusyCursor.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/app/mfxMain.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

namespace {

constexpr u32 kQuestionAnswered = fourCC("sqAn");

// Hears the question's answer.
class AnswerEar : public CListener {
public:
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        if (message->code == kQuestionAnswered) answer = u16(message->param2);
        return 0;
    }
    std::optional<u16> answer;
};

u16 askInPlainBox() {
    const u32 answer = ShowAlert(LookupLanguageText("FileStrings", "SaveProjectPrompt").c_str(), nullptr,
                                 kAlertYesNoCancel | kAlertIconQuestion);
    if (answer == kAlertAnswerYes) return kWarningResultYes;
    return answer == kAlertAnswerNo ? kWarningResultNo : kDlgResultLeave;
}

void tellSaveError(EngineErr err) {
    const char* key = "GeneralFileErr";
    if (err == kOsErrAccessDenied)
        key = "FileLocked";
    else if (err == kMemErrOutOfMemory)
        key = "PictureFullMemErr";
    else if (err == kOsErrDiskFull)
        key = "VolumeFull";
    ShowAlert(LookupLanguageText("FileStrings", key).c_str(), nullptr, kAlertOk | kAlertIconStop);
}

}  // namespace

u16 AskToSaveShowNow() {
    AnswerEar ear;
    RDlgWarnings question(&ear, kQuestionAnswered);
    if (question.Open(kWarningSaveShow) != 0) return askInPlainBox();
    if (!mfxRunMessagesUntil([&ear] { return ear.answer.has_value(); })) return kDlgResultLeave;
    return *ear.answer;
}

u16 SaveShowWithDialog(RDocument& document, const std::string& name, const PickerFileUi& files) {
    const std::string chosen = files.saveProject ? files.saveProject(name) : std::string();
    // Nothing chosen is nothing saved: the changes are still to be kept.
    if (chosen.empty()) return 1;
    EnginePath path(chosen);
    EngineErr err = kErrNone;
    {
        GfxBusyCursor busy;
        err = path.empty() ? kOsErrBadPath : document.SaveAs(path.get());
    }
    if (err == kErrNone) return 0;
    // The show's file is replaced whole or not at all: it still holds the last save.
    tellSaveError(err);
    return u16(err == 1 ? kOsErrBadPath : err);
}

std::string ShowNameOf(RDocument& document) {
    const Path* path = document.Config().GetPath();
    char text[kSystemTextSize] = {};
    if (!path || pathGetFileName(path, text) != kErrNone) return {};
    std::string name = text;
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

}  // namespace Ostrel
