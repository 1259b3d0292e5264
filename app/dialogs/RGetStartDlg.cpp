#include "app/dialogs/RGetStartDlg.h"

#include "app/window/RDisplayWindow.h"
#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

RGetStartDlg::RGetStartDlg(CListener* owner) : RDlgBase(owner, kDlgKindGetStart) { SetResult(kDlgResultConfirm); }

RGetStartDlg::~RGetStartDlg() {
    if (IsOpen())
        if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(0);
}

i16 RGetStartDlg::Open() {
    if (Run(kGetStartContent, kGetStartLayout) != 0) return 1;
    playButton_ = FindButtonById(kGetStartPlayButton);
    if (RDisplayWindow* window = RDisplayWindow::Get(); window && window->IsMenuBarLoaded()) window->SetMenuBarDisabled(1);
    sprUpdateScreen(1);
    return 0;
}

u32 RGetStartDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultConfirm: Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm); return 0;
    // No movie can be played yet: play and stop have nothing to act on.
    case kGetStartCmdPlay: return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
