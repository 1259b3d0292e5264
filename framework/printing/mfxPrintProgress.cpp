#include "framework/printing/mfxPrintProgress.h"

#include <memory>

#include "framework/dialogs/mfxAlert.h"
#include "framework/dialogs/mfxProgressWindow.h"
#include "framework/language/LanguageTexts.h"

namespace {

std::unique_ptr<mfxProgressWindow> progressWindow;

// The window and the messages speak the child's language, as the print dialogs before them.
std::string dialogText(const char* key) { return LookupLanguageText("DialogsStrings", key).c_str(); }

const char* errorKey(u16 errorKind) {
    switch (errorKind) {
    case kGfxPrintErrorMemory: return "PrintErrorMemory";
    case kGfxPrintErrorDisk: return "PrintErrorDisk";
    default: return "PrintErrorGeneral";
    }
}

}  // namespace

i32 mfxPrintProgress(GfxPrintSetup* setup, GfxPrintCall* call, void*) {
    switch (call->kind) {
    case kGfxPrintCallOpen:
        progressWindow =
            std::make_unique<mfxProgressWindow>(call->owner, setup->title, dialogText("Printing"), dialogText("Cancel"));
        return call->retryCount;
    case kGfxPrintCallClose:
        progressWindow.reset();
        return call->retryCount;
    case kGfxPrintCallError: {
        const u32 style = kAlertIconExclamation | (call->retryCount ? kAlertRetryCancel : kAlertOk);
        const std::string text = dialogText(errorKey(call->errorKind)), caption = dialogText("PrintError");
        return mfxAlert(style, text.c_str(), caption.c_str()) == kAlertAnswerRetry ? 1 : 0;
    }
    case kGfxPrintCallPoll:
        if (!progressWindow) return 0;
        if (!progressWindow->Poll()) {
            progressWindow.reset();
            return 0;
        }
        return 1;
    default: return call->retryCount;
    }
}

void mfxInstallPrintProgress() { gfxSetDefaultPrintProgress(mfxPrintProgress); }

bool mfxPrintProgressShown() { return progressWindow != nullptr; }
