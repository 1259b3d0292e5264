#include "framework/printing/mfxPrintProgress.h"

#include <memory>

#include "framework/dialogs/mfxAlert.h"
#include "framework/dialogs/mfxProgressWindow.h"

namespace {

std::unique_ptr<mfxProgressWindow> progressWindow;

const char* errorText(u16 errorKind) {
    switch (errorKind) {
    case kGfxPrintErrorMemory: return "Not enough memory.";
    case kGfxPrintErrorDisk: return "Not enough room on disk.";
    default: return "General error.";
    }
}

}  // namespace

i32 mfxPrintProgress(GfxPrintSetup* setup, GfxPrintCall* call, void*) {
    switch (call->kind) {
    case kGfxPrintCallOpen:
        progressWindow = std::make_unique<mfxProgressWindow>(call->owner, setup->title, "Printing");
        return call->retryCount;
    case kGfxPrintCallClose:
        progressWindow.reset();
        return call->retryCount;
    case kGfxPrintCallError: {
        const u32 style = kAlertIconExclamation | (call->retryCount ? kAlertRetryCancel : kAlertOk);
        return mfxAlert(style, errorText(call->errorKind), "Print Error") == kAlertAnswerRetry ? 1 : 0;
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
