#include "panels/frames/UndoFrame.h"

#include "framework/messaging/RMessage.h"
#include "framework/undo/UndoManager.h"
#include "panels/frames/REditFrame.h"

namespace Ostrel {

UndoFrame::~UndoFrame() {
    if (UndoManager* undo = frame_.Host().Undo()) undo->DiscardIfOwner(this);
}

void UndoFrame::Record(FourCC code, const Rect16& before) {
    code_ = code;
    saved_ = before;
    if (UndoManager* undo = frame_.Host().Undo()) undo->SetCurrent(this, code, nullptr);
}

u32 UndoFrame::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code != code_ || (code_ != kUndoFrameMove && code_ != kUndoFrameSize)) return 0;
    const Rect16 now = frame_.GetRect();
    if (!frame_.WriteBack(saved_)) return 0;
    saved_ = now;
    return 1;
}

}  // namespace Ostrel
