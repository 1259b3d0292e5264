#pragma once
// Offers the main window's events to the registered input objects in registry order, to
// those whose mask asks for the event. For mouse down and up, moves and keys the first object
// that answers non-zero takes the event and the later interested objects are told through
// HandleNotification; ticks and activation go to every interested object. An object whose
// call changes the registry does not make the next object miss its turn.
//
// The object that takes a mouse-down keeps the drag: until the mouse-up, moves and the
// mouse-up are offered to it first. User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

class RInputObject;

class RInputRouter {
public:
    // Each returns whether an object took the event.
    bool MouseDown(Point16 point, u32 buttons);
    bool MouseUp(Point16 point, u32 buttons);
    bool MouseMove(Point16 point, u32 buttons);
    bool KeyDown(u32 key);
    bool KeyUp(u32 key);
    void Tick(u32 now);
    void Activation(u32 state);

    // The object holding the drag, null when none does.
    RInputObject* DragOwner() const;

private:
    RInputObject* dragOwner_ = nullptr;
};

}  // namespace Ostrel
