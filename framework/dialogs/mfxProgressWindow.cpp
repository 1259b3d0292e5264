#include "framework/dialogs/mfxProgressWindow.h"

#include "framework/dialogs/mfxDialogHost.h"
#include "platform/display/DisplayDriver.h"
#include "platform/display/QuitSignals.h"
#include "platform/display/choice/DisplayChoice.h"
#include "platform/ui/MessageQueue.h"
#include "platform/widgets/DialogBox.h"

namespace pw = plat::widgets;

namespace {

constexpr u16 kCancelItem = 2;
constexpr u16 kLabelItem = 100;
constexpr int32_t kWidth = 260;
constexpr int32_t kHeight = 84;

std::vector<pw::DialogItem> items(const std::string& text, const std::string& cancelText) {
    pw::DialogItem label;
    label.id = kLabelItem;
    label.kind = pw::DialogItemKind::Label;
    label.text = text;
    label.rect = {12, 12, kWidth - 12, 30};
    pw::DialogItem cancel;
    cancel.id = kCancelItem;
    cancel.kind = pw::DialogItemKind::Button;
    cancel.text = cancelText;
    cancel.isDefault = true;
    cancel.rect = {(kWidth - 80) / 2, kHeight - 36, (kWidth + 80) / 2, kHeight - 12};
    return {label, cancel};
}

bool messageWaiting() {
    plat::Message message;
    if (plat::peekMessage(message, false)) return true;
    plat::displayDriver().pumpEvents();
    return plat::peekMessage(message, false);
}

}  // namespace

mfxProgressWindow::mfxProgressWindow(plat::WindowHandle owner, const std::string& title, const std::string& label,
                                     const std::string& cancel)
    : box_(std::make_unique<pw::DialogBox>(title, kWidth, kHeight, items(label, cancel))) {
    box_->setEventSink([this](const pw::DialogEvent& e) {
        if (e.item == kCancelItem) cancelled_ = true;
    });
    host_ = std::make_unique<mfxDialogHost>(owner, *box_);
    host_->Show();
}

mfxProgressWindow::~mfxProgressWindow() {
    host_.reset();
    box_.reset();
}

// Work that the program ends for a signal under is given up as a Cancel gives it up.
bool mfxProgressWindow::Cancelled() const {
    return cancelled_ || box_->closeRequested() || plat::quitSignalEnding();
}

bool mfxProgressWindow::Poll() {
    host_->Pump([this] { return Cancelled() || !messageWaiting(); });
    return !Cancelled();
}

void mfxProgressWindow::SetLabel(const std::string& label) {
    if (pw::DialogItem* item = box_->find(kLabelItem)) {
        item->text = label;
        box_->changed(kLabelItem);
    }
}
