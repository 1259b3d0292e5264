#pragma once
// The look of one of a strip's two scroll arrows: down while the pointer holds it pressed, up
// otherwise, as a push button looks under a child's finger. The arrows are the two parts of
// one sprite; its shape holds their up looks as its parts and their down looks as the frames
// kStripArrowDownStep further on. A look drives the arrow's hot spot, which the strip makes,
// as that item's client, and moves its part of the sprite between the two frames.
// User-interface thread only.
#include "engine/gfx/sprites/SprSprite.h"
#include "framework/input/RHotSpotClient.h"
#include "framework/input/RHotSpotItem.h"

namespace Ostrel {

constexpr u16 kStripArrowDownStep = 2;

class StripArrowLook : public RHotSpotClient {
public:
    // `part`: 0 the back arrow, 1 the forward one.
    explicit StripArrowLook(u16 part) : part_(part) {}
    ~StripArrowLook() override;
    StripArrowLook(const StripArrowLook&) = delete;
    StripArrowLook& operator=(const StripArrowLook&) = delete;

    // Drives `item` (none: null) and the arrow's part of `sprite`; the arrow comes up.
    void Attach(RHotSpotItem* item, u16 sprite);
    bool IsDown() const { return down_; }

    u16 HandleEvent(u16 event, bool redraw) override;
    void Show() override {}
    void Hide() override {}
    bool IsHidden() const override { return false; }
    void HotSpotGone() override { item_ = nullptr; }

private:
    void SetDown(bool down, bool redraw);

    u16 part_;
    u16 sprite_ = 0;
    RHotSpotItem* item_ = nullptr;
    bool down_ = false;
};

}  // namespace Ostrel
