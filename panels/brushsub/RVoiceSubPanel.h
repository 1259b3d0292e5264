#pragma once
// The brush panel's strip of voice brushes (tools 45-54) or hands-free brushes (55-64); a
// choice goes to the brush panel, which builds the brush. User-interface thread only.
#include "panels/base/RScrollToolPanel.h"
#include "panels/brushsub/BrushSubPanelMessages.h"

namespace Ostrel {

class RVoiceSubPanel : public RScrollToolPanel {
public:
    // `owner`: the brush panel, which hears the strip's choices.
    RVoiceSubPanel(CListener* owner, u16 subMode);

    i16 FirstToolIndex() const override;
    i16 EndToolIndex() const override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 ArrowShape() const override { return kBrushStripArrowShape; }
    u16 GetSubMode() const { return subMode_; }

private:
    u16 subMode_;
};

}  // namespace Ostrel
