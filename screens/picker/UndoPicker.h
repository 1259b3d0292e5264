#pragma once
// The slide strip's undo step in the program's undo manager: Record makes the last slide
// operation the step the Edit menu's Undo takes back; each Undo (and the Redo after it) posts
// the picker kPickerUndoArrangement or kPickerRedoArrangement when the project has that
// arrangement to go back or forward to. Copies and project deletes take nothing back, and a
// cleared record leaves no step. User-interface thread only.
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

class RDocument;
class UndoManager;

class UndoPicker : public CListener, public RSender {
public:
    enum State : u16 { kNothing = 0, kUndoPossible = 1, kRedoPossible = 2 };

    UndoPicker(CListener* picker, UndoManager* undo, RDocument* (*document)());
    ~UndoPicker() override;

    void Record(u32 code);
    State GetState() const { return state_; }
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

private:
    CListener* picker_;
    UndoManager* undo_;
    RDocument* (*document_)();
    State state_ = kNothing;
};

}  // namespace Ostrel
