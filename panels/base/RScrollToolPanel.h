#pragma once
// A tool panel with a strip of tool icons (an RBitmapScroller) and a two-digit counter of the
// strip's position, 1-based (its page, as the strip scrolls by pages). The strip shows the
// icons of the tools FirstToolIndex .. EndToolIndex - 1 that the factory can build, in that
// order and without gaps. The families derive from it and answer the strip's 'scht'.
// User-interface thread only.
#include <memory>

#include "engine/gfx/sprites/SprCompound.h"
#include "framework/controls/RBitmapScroller.h"
#include "panels/base/RToolPanel.h"

namespace Ostrel {

// The strip's shapes: the arrows, and the counter whose first two parts are the tens and the
// units digit (frames 0-9 of each part's digits follow its first frame).
constexpr u16 kToolStripArrowShape = 18028;
constexpr u16 kToolStripCounterShape = 1066;
// The strip's first hot-spot id is this less the layout's part count.
constexpr u16 kToolStripHotSpotEnd = 18008;
constexpr u16 kToolStripHighlightOffset = 7;

// What the two-digit counter shows for a value: a value of 100 or more its leading two digits.
u16 CounterShown(u32 value);

class RScrollToolPanel : public RToolPanel {
public:
    RScrollToolPanel(CListener* owner, const Paths* userPaths);
    ~RScrollToolPanel() override;

    // Init, then the strip on the layout shape with its icons and the counter; selects the
    // item unless it is -1. 0.
    u16 InitScroller(u16 layoutId, int itemToSelect);
    virtual i16 FirstToolIndex() const { return 1; }
    virtual i16 EndToolIndex() const { return 0; }
    // Fills the strip with the icons of the tools of the range; nothing without a strip.
    void LoadToolIcons();
    // Scrolls item i into view and marks it selected; nothing without a strip.
    void SelectItem(int item);
    void SetCounter(u32 value);
    u16 GetCounter() const { return counter_; }
    RBitmapScroller* GetScroller() const { return scroller_.get(); }

    u32 HandleMessage(RMessage* message, uintptr_t data) override;

protected:
    virtual std::unique_ptr<RBitmapScroller> NewScroller(u16 layoutId, u16 firstHotSpotId);

private:
    static void StepCounter(SprSprite* sprite);
    static void DrawStrip(SprSprite* layout);

    std::unique_ptr<RBitmapScroller> scroller_;
    SprCompound layout_{};
    // Shows the scroll arrows whose parts the strip takes as its arrow hot spots.
    u16 arrowSprite_ = 0;
    u16 counterSprite_ = 0;
    u16 counter_ = 0;
};

}  // namespace Ostrel
