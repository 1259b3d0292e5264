#pragma once
// Chooses a background sound: OK (or Enter) answers (code = the kind, the dialog, 1396),
// leaving 1395; the owner (the canvas) deletes the dialog whichever was pressed. The list of
// sounds is the layout's art; no sound is chosen from it yet. User-interface thread only.
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

constexpr const char* kPickBgSndContent = "RPickBgSndDlg";
constexpr u16 kPickBgSndLayout = 8050;
constexpr u32 kDlgKindPickBgSnd = 1446;

class RPickBgSndDlg : public RDlgBase {
public:
    // `kind` 0 answers with 1446.
    RPickBgSndDlg(CListener* owner, u32 kind) : RDlgBase(owner, kind ? kind : kDlgKindPickBgSnd) {}

    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
};

}  // namespace Ostrel
