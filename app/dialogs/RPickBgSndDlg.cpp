#include "app/dialogs/RPickBgSndDlg.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "text/host/TextKeys.h"

namespace Ostrel {

i16 RPickBgSndDlg::Open() {
    if (Run(kPickBgSndContent, kPickBgSndLayout) != 0) return 1;
    sprUpdateScreen(1);
    return 0;
}

u32 RPickBgSndDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kDlgResultConfirm: Answer(u16(message->code), reinterpret_cast<uintptr_t>(this), u16(message->code)); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

u32 RPickBgSndDlg::HandleKey(u32 key) {
    if (LeaveOnEscape(key)) return 1;
    if (keyRecordVirtualKey(key) == kKeyReturn) Answer(kDlgResultConfirm, reinterpret_cast<uintptr_t>(this), kDlgResultConfirm);
    return 1;
}

}  // namespace Ostrel
