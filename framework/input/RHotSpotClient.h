#pragma once
// What a hot-spot item drives: a button, whose look follows the item's pointer events. The item
// tells its client of the events below and of its own end; the client answers with its new
// state. User-interface thread only.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Pointer events of a hot-spot item, as its client receives them.
constexpr u16 kHsEventEnter = 8192;     // the pointer came over the item
constexpr u16 kHsEventActivate = 8193;  // activated by its owner, as a click where it can be selected
constexpr u16 kHsEventClick = 8194;     // a press ended over the item
constexpr u16 kHsEventLeave = 8195;     // the pointer left, or a press ended elsewhere
constexpr u16 kHsEventRelease = 8196;   // released by its owner: up and no longer latched
constexpr u16 kHsEventPressed = 8197;   // pressed, or the pointer came back over the pressed item
constexpr u16 kHsEventPress = 8198;     // pressed by its owner, also when latched
constexpr u16 kHsEventSelect = 8199;    // selected by its owner, quietly
constexpr u16 kHsEventReset = 8200;     // reset by its owner: up and no longer latched

class RHotSpotClient {
public:
    virtual ~RHotSpotClient() = default;
    // Returns the client's new state; a changed state is redrawn when `redraw` is set.
    virtual u16 HandleEvent(u16 event, bool redraw) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsHidden() const = 0;
    // The item is being destroyed: the client must forget it.
    virtual void HotSpotGone() = 0;
};

}  // namespace Ostrel
