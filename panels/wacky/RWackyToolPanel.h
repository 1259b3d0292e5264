#pragma once
// The wacky brush panel: one strip with the wacky brushes (tools 20-44); the chosen brush is
// built and handed to the tool manager. It remembers nothing. User-interface thread only.
#include "panels/base/RScrollToolPanel.h"

namespace Ostrel {

constexpr u16 kWackyStripLayout = 1;
constexpr u16 kWackyPanelShape = 18341;
constexpr u16 kWackyMascotShape = 18045;

class RWackyToolPanel : public RScrollToolPanel {
public:
    explicit RWackyToolPanel(CListener* owner);
    ~RWackyToolPanel() override;

    // The strip, frame and mascot; the canvas takes clicks with the brushes' cursor. 0.
    u16 Init() override;
    i16 FirstToolIndex() const override;
    i16 EndToolIndex() const override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

private:
    bool started_ = false;
    u16 mascotSprite_ = 0;
};

}  // namespace Ostrel
