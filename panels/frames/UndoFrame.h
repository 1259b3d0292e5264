#pragma once
// The undo step of an edit frame's move or resize: the frame's rectangle before the change.
// Undo puts the object back at it and keeps the rectangle it took the object from, so the
// same step redoes the change. A frame's step goes with the frame. Only a change is recorded:
// a press that moved nothing leaves the step before it (a stroke painted) to be undone.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

class REditFrame;

constexpr FourCC kUndoFrameMove = fourCC("pMov");
constexpr FourCC kUndoFrameSize = fourCC("pSiz");

class UndoFrame : public CListener {
public:
    explicit UndoFrame(REditFrame& frame) : frame_(frame) {}
    ~UndoFrame() override;
    UndoFrame(const UndoFrame&) = delete;
    UndoFrame& operator=(const UndoFrame&) = delete;

    // Keeps the frame's rectangle from before the change and becomes the program's undo step `code`.
    void Record(FourCC code, const Rect16& before);
    // Undo and redo of the recorded code.
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    const Rect16& Saved() const { return saved_; }

private:
    REditFrame& frame_;
    FourCC code_ = 0;
    Rect16 saved_{0, 0, 0, 0};
};

}  // namespace Ostrel
