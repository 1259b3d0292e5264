#pragma once
// A button: a sprite showing one of four state shapes (0 up, 1 highlighted, 2 down,
// 3 selected) and the hot-spot item whose pointer events move it between them. The item posts
// the button's click and hover messages; the button itself posts kMsgButtonLatched or
// kMsgButtonSelected to its listener when it goes down or becomes selected in a group, so that
// the owner can release the group's other buttons. A button whose list dies first forgets its
// item. User-interface thread only.
#include <array>
#include <cstdint>

#include "engine/gfx/sprites/SprSprite.h"
#include "framework/format/ButtonSetFormat.h"
#include "framework/input/RHotSpotClient.h"
#include "framework/input/RHotSpotItem.h"

class CListener;

namespace Ostrel {

constexpr u16 kButtonUp = 0;
constexpr u16 kButtonHighlighted = 1;
constexpr u16 kButtonDown = 2;
constexpr u16 kButtonSelected = 3;

// Posted to the listener with the hot-spot item as parameter 1 and its group as parameter 2.
constexpr u32 kMsgButtonLatched = 101;
constexpr u32 kMsgButtonSelected = 102;

class RButton : public RHotSpotClient {
public:
    // `item` may be null (a button without hot spot); the button becomes its client.
    RButton(const ButtonRecord& record, u16 sprite, RHotSpotItem* item, CListener* listener);
    RButton(const RButton&) = delete;
    RButton& operator=(const RButton&) = delete;
    // Disposes its sprite and destroys its hot-spot item.
    ~RButton() override;

    u16 GetCommand() const { return record_.id; }
    const ButtonRecord& GetRecord() const { return record_; }
    u16 GetState() const { return state_; }
    ButtonKind GetKind() const { return record_.kind; }
    bool IsLatched() const { return latched_; }
    bool IsShown() const { return shown_; }
    u16 GetSprite() const { return sprite_; }
    RHotSpotItem* GetHotSpot() const { return item_; }
    CListener* GetListener() const { return listener_; }

    // Shows the sprite in the current state's shape (the up shape when that state has none).
    void Draw();
    // Draws it and puts its hot spot back in service.
    void Show() override;
    // Takes its hot spot out of service, hides the sprite and clears the shown flag.
    void Hide() override;
    bool IsHidden() const override { return !shown_; }
    void EnableHotSpot(bool enable);
    // A new look: `shape` up, `highlighted` under the pointer, `pressedShape` down and
    // selected; a shown button is drawn in it at once.
    void SetLook(u16 shape, u16 highlighted, u16 pressedShape);
    u16 HandleEvent(u16 event, bool redraw) override;
    void HotSpotGone() override { item_ = nullptr; }

    void SetSpriteProcs(SprReadyProc ready, SprStepProc step, SprDrawProc draw);
    // Kept in the button and in the sprite's first owner word.
    void SetOwnerData(uintptr_t owner);
    uintptr_t GetOwnerData() const { return owner_; }

private:
    bool HasShape(u16 state) const { return record_.shapes[state] != 0; }
    u16 Press(u16 event);
    void Post(u32 code);

    ButtonRecord record_;
    u16 sprite_;
    RHotSpotItem* item_;
    CListener* listener_;
    uintptr_t owner_ = 0;
    u16 state_ = kButtonUp;
    bool latched_ = false;
    bool selected_ = false;
    bool shown_ = false;
};

}  // namespace Ostrel
