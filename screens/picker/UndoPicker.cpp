#include "screens/picker/UndoPicker.h"

#include "document/project/RDocument.h"
#include "framework/undo/UndoManager.h"
#include "screens/picker/PickerCommands.h"

namespace Ostrel {

UndoPicker::UndoPicker(CListener* picker, UndoManager* undo, RDocument* (*document)())
    : RSender(fourCC("PUdo")), picker_(picker), undo_(undo), document_(document) {}

UndoPicker::~UndoPicker() {
    if (undo_) undo_->DiscardIfOwner(this);
}

void UndoPicker::Record(u32 code) {
    if (code == kPickerUndoClear)
        state_ = kNothing;
    else if (code != kPickerUndoDeleteShow)
        state_ = kUndoPossible;
    if (!undo_) return;
    if (state_ == kNothing)
        undo_->DiscardIfOwner(this);
    else
        undo_->SetCurrent(this, code, [](CListener*, FourCC) {});
}

u32 UndoPicker::HandleMessage(RMessage* message, uintptr_t) {
    const u32 code = message->code;
    if (code == kPickerUndoClear || code == kPickerUndoCopy || code == kPickerUndoDeleteShow) return 0;
    RDocument* document = document_ ? document_() : nullptr;
    if (!document) return 0;
    if (state_ == kUndoPossible && document->CanUndoArrangement()) {
        PostMessageTo(picker_, kPickerUndoArrangement);
        state_ = kRedoPossible;
    } else if (state_ == kRedoPossible && document->CanRedoArrangement()) {
        PostMessageTo(picker_, kPickerRedoArrangement);
        state_ = kUndoPossible;
    }
    return 0;
}

}  // namespace Ostrel
