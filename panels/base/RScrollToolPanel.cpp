#include "panels/base/RScrollToolPanel.h"

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "framework/resources/mfxReadResource.h"
#include "panels/base/ToolPanelMessages.h"

namespace Ostrel {

u16 CounterShown(u32 value) {
    while (value >= 100) value /= 10;
    return u16(value);
}

RScrollToolPanel::RScrollToolPanel(CListener* owner, const Paths* userPaths) : RToolPanel(owner, userPaths) {}

RScrollToolPanel::~RScrollToolPanel() {
    // The arrows' hot spots outlive their sprite for a moment: their looks let both go first.
    backArrow_.Attach(nullptr, 0);
    forwardArrow_.Attach(nullptr, 0);
    if (counterSprite_ != 0) sprDispose(&counterSprite_);
    if (arrowSprite_ != 0) sprDispose(&arrowSprite_);
    if (SprSprite* layout = sprFind(layout_.id)) layout->data2 = 0;
    scroller_.reset();
    // The strip's layout goes with the strip.
    if (layout_.count != 0 && layout_.id != kSprNoId) sprDispose(&layout_.id);
}

std::unique_ptr<RBitmapScroller> RScrollToolPanel::NewScroller(u16 layoutId, u16 firstHotSpotId) {
    return std::make_unique<RBitmapScroller>(this, layoutId, ArrowShape(), firstHotSpotId);
}

u16 RScrollToolPanel::InitScroller(u16 layoutId, int itemToSelect) {
    Init();
    const u16 parts = sprNewCompound(layoutId, &layout_);
    // The icons are drawn with the strip's layout, over it: drawn on their own, the layout
    // would cover them at the next update.
    if (SprSprite* layout = sprFind(layout_.id)) {
        layout->data2 = reinterpret_cast<uintptr_t>(this);
        sprSetProcs(layout, layout->ready, layout->step, &RScrollToolPanel::DrawLayout);
    }
    layoutId_ = layoutId;
    firstHotSpot_ = u16(kToolStripHotSpotEnd - parts);
    if (arrowSprite_ == 0) {
        const u16 arrows = sprNew(kSprStopAtEnd, ArrowShape(), nullptr);
        arrowSprite_ = arrows == kSprNoId ? 0 : arrows;
    }
    SetUpScroller();
    LoadToolIcons();
    const u16 counter = sprNewCustom(kToolStripCounterShape, nullptr, 1, &RScrollToolPanel::StepCounter, 0, 1);
    counterSprite_ = counter == kSprNoId ? 0 : counter;
    SetCounter(1);
    if (itemToSelect != -1 && ItemCount() > 0) {
        // A remembered item past the strip (a damaged file, a strip with fewer tools today)
        // falls back on the first, so that the child still gets a tool.
        if (itemToSelect < 0 || itemToSelect >= ItemCount()) itemToSelect = 0;
        scroller_->ScrollIntoView(itemToSelect);
        scroller_->Select(itemToSelect);
    }
    return 0;
}

void RScrollToolPanel::SetUpScroller() {
    // The scroller hears its owner's part already: it adds its owner as its listener.
    scroller_ = NewScroller(layoutId_, firstHotSpot_);
    scroller_->SetHighlightShape(u16(firstHotSpot_ + kToolStripHighlightOffset));
    scroller_->SetPageStep(scroller_->GetVisibleCount());
    scroller_->SetScrollByPage(true);
    scroller_->Refresh(kRefreshAll);
    // The arrows' hot spots are the strip's; their looks follow the presses on them.
    RHotSpotList& spots = scroller_->HotSpots();
    for (int i = 0; i < spots.Count(); ++i) {
        RHotSpotItem* spot = spots.GetHotSpot(i);
        if (spot->GetMessage() == kMsgScrollBack) backArrow_.Attach(spot, arrowSprite_);
        if (spot->GetMessage() == kMsgScrollForward) forwardArrow_.Attach(spot, arrowSprite_);
    }
}

void RScrollToolPanel::ReplaceScroller() {
    if (scroller_ == nullptr) return;
    // The old strip's hot spots go before the new one makes its own with the same ids.
    scroller_.reset();
    itemTools_.clear();
    SetUpScroller();
}

void RScrollToolPanel::LoadToolIcons() {
    if (scroller_ == nullptr) return;
    std::vector<ScrollerPicture> icons;
    itemTools_.clear();
    for (i16 index = FirstToolIndex(); index < EndToolIndex(); ++index) {
        std::unique_ptr<RTool> tool = CreateTool(index);
        if (tool == nullptr) continue;
        // A tool whose icon is missing keeps its cell, empty, so items stay in tool order.
        ScrollerPicture icon;
        mfxReadResource(kSprPictureType, tool->GetIconId(), &icon);
        icons.push_back(std::move(icon));
        itemTools_.push_back(index);
    }
    scroller_->SetItems(std::move(icons));
}

void RScrollToolPanel::SetPictureItems(std::vector<ScrollerPicture> pictures) {
    if (scroller_ == nullptr) return;
    itemTools_.assign(pictures.size(), i16(-1));
    scroller_->SetItems(std::move(pictures));
}

void RScrollToolPanel::SetStripShown(bool shown) {
    if (shown != stripHidden_) return;
    stripHidden_ = !shown;
    // The strip's arrows and page counter go with its cells.
    for (u16 id : {u16(layout_.id), arrowSprite_, counterSprite_}) {
        SprSprite* sprite = id != 0 ? sprFind(id) : nullptr;
        if (sprite == nullptr) continue;
        if (shown)
            sprShow(sprite, 1);
        else
            sprHide(sprite, 1, 1);
    }
}

i16 RScrollToolPanel::ToolIndexOfItem(int item) const {
    if (item < 0 || size_t(item) >= itemTools_.size()) return -1;
    return itemTools_[size_t(item)];
}

void RScrollToolPanel::SelectItem(int item) {
    if (scroller_ == nullptr) return;
    scroller_->ScrollIntoView(item);
    scroller_->Select(item, false);
}

void RScrollToolPanel::SetCounter(u32 value) {
    counter_ = CounterShown(value);
    SprSprite* sprite = sprFind(counterSprite_);
    if (sprite == nullptr) return;
    sprite->data2 = counter_;
    sprSetShape(sprite, kToolStripCounterShape, nullptr, 0);
}

void RScrollToolPanel::DrawLayout(SprSprite* layout) {
    sprDrawParts(layout);
    const auto* panel = reinterpret_cast<const RScrollToolPanel*>(layout->data2);
    if (panel != nullptr && panel->scroller_ != nullptr && layout->hideCount == 0) panel->scroller_->DrawCells();
}

// Runs as the counter's frame is read: the digits' frames follow each part's first frame.
void RScrollToolPanel::StepCounter(SprSprite* sprite) {
    const u16 value = u16(sprite->data2);
    const u16 tens = value / 10;
    if (sprite->parts[0].frame == 0 || sprite->parts[1].frame == 0) return;
    sprite->parts[0].frame = u16(sprite->parts[0].frame + tens);
    sprite->parts[1].frame = u16(sprite->parts[1].frame + value - 10 * tens);
}

u32 RScrollToolPanel::HandleMessage(RMessage* message, uintptr_t data) {
    if (message->code == kMsgPanelSelectItem) {
        SelectItem(message->param2);
        return 0;
    }
    if (message->code == kMsgScrollerScrolled && scroller_ != nullptr &&
        message->param1 == reinterpret_cast<uintptr_t>(scroller_.get())) {
        SetCounter(u32(message->param2) + 1);
        return 0;
    }
    return RToolPanel::HandleMessage(message, data);
}

}  // namespace Ostrel
