#pragma once
// The cut and move panel's hold on the frame maker the canvas keeps for the panel of the
// moment: while the link lives the panel's records of the page's objects are there, and they
// go with it. Lives no longer than the panel, which the easel drops before the canvas.
#include "panels/cutmove/FrameMakerLink.h"
#include "panels/frames/RFrameMaker.h"

namespace Ostrel {

class CanvasFrameMakerLink : public FrameMakerLink {
public:
    explicit CanvasFrameMakerLink(RFrameMaker& frames) : frames_(frames) {}

    u16 BuildObjectFrames(FourCC kind) override { return frames_.BuildObjectFrames(kind); }
    void ClearObjectFrames() override { frames_.ClearObjectFrames(); }
    ~CanvasFrameMakerLink() override { frames_.ClearObjectFrames(); }

    void ShowOtherItems() override { frames_.ShowOtherItems(); }
    bool HasCurrentFrame() const override { return frames_.EditFrame() != nullptr; }
    u32 HandleMessage(RMessage* message, uintptr_t data) override { return frames_.HandleMessage(message, data); }

private:
    RFrameMaker& frames_;
};

}  // namespace Ostrel
