#pragma once
// The cut and move panel's way to the canvas's one frame maker: a panel that moves page
// objects drives the frames the canvas already shows, so that two frame makers never both
// take the mouse. Lives no longer than the panel, which the easel drops before the canvas.
#include "panels/cutmove/FrameMakerLink.h"
#include "panels/frames/RFrameMaker.h"

namespace Ostrel {

class CanvasFrameMakerLink : public FrameMakerLink {
public:
    explicit CanvasFrameMakerLink(RFrameMaker& frames) : frames_(frames) {}

    u16 BuildObjectFrames(FourCC kind) override { return frames_.BuildObjectFrames(kind); }
    void ClearObjectFrames() override { frames_.ClearObjectFrames(); }
    // The canvas shows every frame the maker holds; nothing is hidden while one is edited.
    void ShowOtherItems() override {}
    bool HasCurrentFrame() const override { return frames_.EditFrame() != nullptr; }
    u32 HandleMessage(RMessage* message, uintptr_t data) override { return frames_.HandleMessage(message, data); }

private:
    RFrameMaker& frames_;
};

}  // namespace Ostrel
