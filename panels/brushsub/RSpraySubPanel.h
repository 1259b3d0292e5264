#pragma once
// The brush panel's strip of spray patterns. On opening it has the brush panel build the
// spray gun, then hands it the chosen pattern: the pattern's shape group, loaded here, with
// the table entry in which the gun keeps the sprites it makes. The group id is kept apart from
// the table of sprite ids, so a group is only ever released as a group. User-interface
// thread only.
#include <array>

#include "panels/base/RScrollToolPanel.h"
#include "panels/brushsub/BrushSubPanelMessages.h"
#include "tools/brushes/RSprayGun.h"

namespace Ostrel {

constexpr size_t kSprayTableSize = 500;

class RSpraySubPanel : public RScrollToolPanel {
public:
    explicit RSpraySubPanel(CListener* owner);
    ~RSpraySubPanel() override;

    // The strip, the spray gun (built by the brush panel) and pattern `item` (the first one
    // when it is past the strip).
    void Start(int item);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 ArrowShape() const override { return kBrushStripArrowShape; }

    u16 GetPatternGroup() const { return loadedGroup_; }
    const std::array<SprayPatternEntry, kSprayTableSize>& Table() const { return table_; }

private:
    void ChoosePattern(int item);
    void DisposeSprites();
    void ReleasePattern();

    u16 loadedGroup_ = 0;
    std::array<SprayPatternEntry, kSprayTableSize> table_{};
};

}  // namespace Ostrel
