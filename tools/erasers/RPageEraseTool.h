#pragma once
// A page-erase effect as a painting tool: the next click on the canvas sets it off from the
// click, and it takes the picture to white over its frames' time; the whole wipe is one undo
// step.
// Built for tool indices 123 .. 137 (PageEraseFactory.h).
#include <memory>

#include "tools/base/RTool.h"
#include "tools/erasers/RDestructo.h"

class RPageEraseTool : public RTool {
public:
    explicit RPageEraseTool(i16 index);

    bool IsRunning() const override { return effect_ && effect_->IsBusy(); }
    void StepRun(ToolCanvas& canvas) override;
    void EndRun(ToolCanvas& canvas) override;

protected:
    void MouseDown(ToolCanvas& canvas, Point16 p) override;

private:
    std::unique_ptr<RDestructo> effect_;
};
