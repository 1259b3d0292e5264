#include "framework/printing/mfxPrintProgress.h"

#include <memory>

#include "framework/dialogs/mfxAlert.h"
#include "framework/dialogs/mfxDialogHost.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/ui/MessageQueue.h"
#include "platform/widgets/DialogBox.h"

namespace pw = plat::widgets;

namespace {

constexpr u16 kCancelItem = 2;
constexpr u16 kLabelItem = 100;
constexpr int32_t kWidth = 220;
constexpr int32_t kHeight = 84;

class ProgressWindow {
public:
    ProgressWindow(plat::WindowHandle owner, const std::string& title) : box_(title, kWidth, kHeight, items()) {
        box_.setEventSink([this](const pw::DialogEvent& e) {
            if (e.item == kCancelItem) cancelled_ = true;
        });
        host_ = std::make_unique<mfxDialogHost>(owner, box_);
        host_->Show();
    }

    // Runs what waits in the queue; false once the user cancelled.
    bool Poll() {
        host_->Pump([this] { return Cancelled() || !MessageWaiting(); });
        return !Cancelled();
    }

private:
    static std::vector<pw::DialogItem> items() {
        pw::DialogItem label;
        label.id = kLabelItem;
        label.kind = pw::DialogItemKind::Label;
        label.text = "Printing";
        label.rect = {12, 12, kWidth - 12, 30};
        pw::DialogItem cancel;
        cancel.id = kCancelItem;
        cancel.kind = pw::DialogItemKind::Button;
        cancel.text = "Cancel";
        cancel.isDefault = true;
        cancel.rect = {(kWidth - 80) / 2, kHeight - 36, (kWidth + 80) / 2, kHeight - 12};
        return {label, cancel};
    }
    bool Cancelled() const { return cancelled_ || box_.closeRequested(); }
    static bool MessageWaiting() {
        plat::Message message;
        if (plat::peekMessage(message, false)) return true;
        plat::displayDriver().pumpEvents();
        return plat::peekMessage(message, false);
    }

    pw::DialogBox box_;
    std::unique_ptr<mfxDialogHost> host_;
    bool cancelled_ = false;
};

std::unique_ptr<ProgressWindow> progressWindow;

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
        progressWindow = std::make_unique<ProgressWindow>(call->owner, setup->title);
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
