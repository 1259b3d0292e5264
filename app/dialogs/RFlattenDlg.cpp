#include "app/dialogs/RFlattenDlg.h"

#include "engine/gfx/sprites/SprLayer.h"

namespace Ostrel {

RFlattenDlg::RFlattenDlg(CListener* owner, u32 kind, u16 command)
    : RDlgBase(owner, kind),
      objectKind_(command == kFlattenStickersCommand ? fourCC("tSWF")
                  : command == kFlattenTextCommand   ? fourCC("tTXT")
                                                     : 0) {}

i16 RFlattenDlg::Open() {
    if (Run(kFlattenContent, kFlattenLayout) != 0) return 1;
    sprUpdateScreen(1);
    return 0;
}

u32 RFlattenDlg::HandleMessage(RMessage* message, uintptr_t data) {
    switch (message->code) {
    case kDlgResultLeave:
    case kFlattenResultOne:
    case kFlattenResultAll: Answer(u16(message->code), reinterpret_cast<uintptr_t>(this), u16(message->code)); return 0;
    default: return RDlgBase::HandleMessage(message, data);
    }
}

}  // namespace Ostrel
