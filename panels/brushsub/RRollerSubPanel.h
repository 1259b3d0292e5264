#pragma once
// The brush panel's strip of roller patterns. It builds its own roller (the panel builds
// none for it) and announces it with 'born' to its listeners, the brush panel first, which
// passes it on to the tool manager. A chosen pattern's shape group is loaded and handed to
// the roller; the panel releases it again when another is chosen or the panel goes.
// User-interface thread only.
#include "panels/base/RScrollToolPanel.h"
#include "panels/brushsub/BrushSubPanelMessages.h"
#include "tools/stamps/RCyclic.h"

namespace Ostrel {

class RRollerSubPanel : public RScrollToolPanel {
public:
    explicit RRollerSubPanel(CListener* owner);
    ~RRollerSubPanel() override;

    // The strip of patterns; the roller is built once queued messages are delivered, with
    // `item` (the first one when it is past the strip) chosen.
    void Start(int item);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 ArrowShape() const override { return kBrushStripArrowShape; }

    RCyclic* GetRoller() const { return dynamic_cast<RCyclic*>(GetCurrentTool()); }
    // The shape group of the pattern in use; 0 for none.
    u16 GetPatternGroup() const { return loadedGroup_; }

private:
    void BuildRoller();
    void ChoosePattern(int item);
    void ReleasePattern();

    int startItem_ = 0;
    u16 loadedGroup_ = 0;
};

}  // namespace Ostrel
