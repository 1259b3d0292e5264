#pragma once
// The fill panel: three modes (solid, gradient, pattern; their buttons are colour swatches),
// each with its strip of fills. A mode builds its fill bucket; a strip item gives the bucket
// its fill pattern and hands it to the tool manager. The mode and the item chosen in each
// mode are remembered per user in [FillPanel]. User-interface thread only.
#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/fill/FillPanelCommands.h"
#include "tools/fills/RFill.h"

namespace Ostrel {

constexpr u16 kFillButtonSet = 18300;
constexpr u16 kFillStripLayout = 18018;
// The strip's arrows: the forward one stands after its cells, inside the panel.
constexpr u16 kFillStripArrowShape = 18026;
constexpr u16 kFillPanelShape = 18342;
constexpr u16 kFillMascotShape = 18046;
constexpr i16 kFillModeCount = 3;

// Words of tFillPanelSaveData: the mode, then the item of each mode.
constexpr size_t kFillWordMode = 0;
constexpr size_t kFillWordFirstItem = 1;

// A record never stored (word 0 is -1) gives solid mode with every item 0; a word out of
// range (a damaged or hand-edited file) its default.
tFillPanelSaveData ValidFillChoices(const tFillPanelSaveData& stored);

class RFillPanel : public RScrollToolPanel {
public:
    RFillPanel(CListener* owner, const Paths* userPaths);
    ~RFillPanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    int FirstColorButton() const override { return 0; }
    int LastColorButton() const override { return 2; }
    u16 ArrowShape() const override { return kFillStripArrowShape; }

    // -1 before the first mode.
    i16 GetMode() const { return mode_; }
    const tFillPanelSaveData& Choices() const { return choices_; }
    RFill* GetFill() const { return dynamic_cast<RFill*>(GetCurrentTool()); }

protected:
    std::unique_ptr<RBitmapScroller> NewScroller(u16 layoutId, u16 firstHotSpotId) override;

private:
    // `mode`: 0-2, as its button names it; the mode shown already stays as it is.
    void ShowMode(i16 mode);
    void ChooseItem(int item);

    bool started_ = false;
    i16 mode_ = -1;
    u16 mascotSprite_ = 0;
    tFillPanelSaveData choices_{0, 0, 0, 0};
};

}  // namespace Ostrel
