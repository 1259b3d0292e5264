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
#include "panels/base/StripArrowLook.h"

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
    // item (the first one for an item past the strip) unless it is -1. 0.
    u16 InitScroller(u16 layoutId, int itemToSelect);
    virtual i16 FirstToolIndex() const { return 1; }
    // The shape of the strip's scroll arrows, whose two parts the strip takes as its arrow
    // hot spots; each arrow's down look follows them (StripArrowLook).
    virtual u16 ArrowShape() const { return kToolStripArrowShape; }
    virtual i16 EndToolIndex() const { return 0; }
    // Fills the strip with the icons of the tools of the range; nothing without a strip.
    void LoadToolIcons();
    // The tool index an item of the strip stands for (the factory may leave rows out, and a
    // strip keeps no gaps); -1 for an item that is not there.
    i16 ToolIndexOfItem(int item) const;
    int ItemCount() const { return int(itemTools_.size()); }
    // Scrolls item i into view and marks it selected; nothing without a strip.
    void SelectItem(int item);
    void SetCounter(u32 value);
    u16 GetCounter() const { return counter_; }
    RBitmapScroller* GetScroller() const { return scroller_.get(); }

    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Whether the strip shows (a page without a strip hides it).
    bool StripShown() const { return !stripHidden_; }
    const StripArrowLook& BackArrow() const { return backArrow_; }
    const StripArrowLook& ForwardArrow() const { return forwardArrow_; }

protected:
    virtual std::unique_ptr<RBitmapScroller> NewScroller(u16 layoutId, u16 firstHotSpotId);
    // A new strip on the same layout (NewScroller answers for the panel's present mode),
    // empty; nothing before InitScroller.
    void ReplaceScroller();
    // The strip shows pictures that stand for no tool (patterns, effects): items map to none.
    void SetPictureItems(std::vector<ScrollerPicture> pictures);
    // A page of a panel without a strip hides the strip's empty cells.
    void SetStripShown(bool shown);

private:
    static void StepCounter(SprSprite* sprite);
    // The layout's parts, then the strip's cells over them.
    static void DrawLayout(SprSprite* layout);

    void SetUpScroller();

    std::unique_ptr<RBitmapScroller> scroller_;
    std::vector<i16> itemTools_;
    SprCompound layout_{};
    bool stripHidden_ = false;
    u16 layoutId_ = 0;
    u16 firstHotSpot_ = 0;
    // Shows the scroll arrows whose parts the strip takes as its arrow hot spots.
    u16 arrowSprite_ = 0;
    StripArrowLook backArrow_{0};
    StripArrowLook forwardArrow_{1};
    u16 counterSprite_ = 0;
    u16 counter_ = 0;
};

}  // namespace Ostrel
