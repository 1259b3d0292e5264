#pragma once
// The brush panel's strip of real-media brushes (tools 0-19) or wacky brushes (20-44); a
// choice goes to the brush panel, which builds the brush. User-interface thread only.
#include "panels/base/RScrollToolPanel.h"
#include "panels/brushsub/BrushSubPanelMessages.h"

namespace Ostrel {

constexpr u16 kBrushStripLayout = 18027;

class RBrushSubPanel : public RScrollToolPanel {
public:
    // `owner`: the brush panel, which hears the strip's choices.
    RBrushSubPanel(CListener* owner, u16 subMode);

    i16 FirstToolIndex() const override;
    i16 EndToolIndex() const override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 ArrowShape() const override { return kBrushStripArrowShape; }
    u16 GetSubMode() const { return subMode_; }

private:
    u16 subMode_;
};

}  // namespace Ostrel
