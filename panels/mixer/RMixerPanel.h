#pragma once
// The mixer: a page of picture effects (tools 65-86) and a page of effect brushes (87-98),
// each an icon strip, and a row of sizes. The page, size and the item chosen on each page are
// remembered per user in [MixerPanel]. User-interface thread only.
#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/mixer/MixerPanelCommands.h"

namespace Ostrel {

constexpr u16 kMixerPageButtonSet = 18600;
constexpr u16 kMixerSizeButtonSet = 18200;
constexpr u16 kMixerSizeButtonFirst = 18201;
constexpr u16 kMixerStripLayout = 18021;
// The strip's arrows: the forward one between the cells and the sizes.
constexpr u16 kMixerStripArrowShape = 18348;
constexpr u16 kMixerPanelShape = 18344;
// The frame of the page without sizes: the strip's label alone.
constexpr u16 kMixerPanelUnsizedShape = 18346;
constexpr u16 kMixerMascotShape = 18047;
constexpr i16 kMixerSizeCount = 4;
constexpr i16 kMixerPageCount = 2;

// Words of tMixerSaveData: the page, the size index, the item of each page.
constexpr size_t kMixerWordPage = 0;
constexpr size_t kMixerWordSize = 1;
constexpr size_t kMixerWordFirstItem = 2;

// A record never stored (word 1 is -1) gives the effects page, size index 2 and the first
// items; a word out of range (a damaged or hand-edited file) its default.
tMixerSaveData ValidMixerChoices(const tMixerSaveData& stored);

class RMixerPanel : public RScrollToolPanel {
public:
    RMixerPanel(CListener* owner, const Paths* userPaths);
    ~RMixerPanel() override;

    u16 Init() override;
    i16 FirstToolIndex() const override;
    i16 EndToolIndex() const override;
    u16 ArrowShape() const override { return kMixerStripArrowShape; }
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;

    const tMixerSaveData& Choices() const { return choices_; }
    const RButtonSet& SizeButtons() const { return sizeButtons_; }

private:
    // `page`: 0 or 1, as its button names it.
    void ShowPage(i16 page);
    void ChooseItem(int item);
    void ChooseSize(i16 number);

    bool started_ = false;
    // -1 before the first page.
    i16 page_ = -1;
    u16 mascotSprite_ = 0;
    RButtonSet sizeButtons_;
    tMixerSaveData choices_{0, 2, 0, 0};
};

}  // namespace Ostrel
