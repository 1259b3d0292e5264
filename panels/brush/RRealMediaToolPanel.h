#pragma once
// The brush panel: three families of brushes (brushes, voice brushes, rollers and sprays),
// each with two sub-modes, and a row of sizes. It hosts one sub-panel at a time, which shows
// the strip of the current sub-mode and reports the child's choice; the panel builds the
// chosen brush (the roller sub-panel builds its own roller, which the panel passes on to its
// listeners). The family, size, sub-modes and the item chosen in each sub-mode are remembered
// per user in [RealMediaPanel]. User-interface thread only.
#include <array>
#include <memory>

#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/brush/BrushPanelCommands.h"
#include "panels/brushsub/BrushSubPanelMessages.h"

namespace Ostrel {

constexpr u16 kBrushFamilyButtonSet = 18000;
constexpr u16 kBrushSizeButtonSet = 18200;
constexpr u16 kBrushSizeButtonFirst = 18201;
constexpr i16 kBrushSizeCount = 4;
constexpr i16 kBrushFamilyCount = 3;
// The panel's shapes in the easel's shape group: its frame with its labels, the mascot.
constexpr u16 kBrushPanelShape = 18340;
// The frame of the rollers and sprays, which have one size: no sizes' label.
constexpr u16 kBrushPanelOneSizeShape = 18345;
constexpr u16 kBrushMascotShape = 18045;

// Words of tRealMediaSaveData.
constexpr size_t kBrushWordFamily = 0;
constexpr size_t kBrushWordSize = 1;
constexpr size_t kBrushWordBrushMode = 2;
constexpr size_t kBrushWordVoiceMode = 3;
constexpr size_t kBrushWordRollerMode = 4;
constexpr size_t kBrushWordFirstItem = 5;

class RRealMediaToolPanel : public RToolPanel {
public:
    RRealMediaToolPanel(CListener* owner, const Paths* userPaths);
    ~RRealMediaToolPanel() override;

    // Buttons, sizes, frame and mascot, then the remembered choices, replayed as queued
    // messages to the panel itself; 0.
    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    int FirstColorButton() const override { return 0; }
    int LastColorButton() const override { return 2; }

    const tRealMediaSaveData& Choices() const { return choices_; }
    i16 GetFamily() const { return choices_[kBrushWordFamily]; }
    // Which of the six remembered items belongs to the family in its present sub-mode.
    size_t ItemIndex(i16 family) const;
    RScrollToolPanel* GetSubPanel() const { return subPanel_.get(); }
    const RButtonSet& SizeButtons() const { return sizeButtons_; }
    const RButtonSet& SubModeButtons() const { return subModeButtons_; }

private:
    // `family`: 0-2, as the family buttons and the sub-modes name them.
    void ShowFamily(i16 family);
    void ShowSubPanel(std::unique_ptr<RScrollToolPanel> panel);
    void ChooseSize(i16 number);
    void ChooseItem(const RMessage& message);
    void SetSizeButtonsShown(bool shown);

    RButtonSet subModeButtons_;
    RButtonSet sizeButtons_;
    std::unique_ptr<RScrollToolPanel> subPanel_;
    u16 mascotSprite_ = 0;
    tRealMediaSaveData choices_{};
};

}  // namespace Ostrel
