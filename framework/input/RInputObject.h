#pragma once
// The input interface mixed into interactive classes. An object registers with a mask of the
// events it wants; the main window offers each event to the registered objects in registry
// order (newest first) through the operations below, each answering non-zero when it took
// the event. Objects that wanted an event another object took hear of it through
// HandleNotification. The destructor unregisters. User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "engine/base/KeyRecord.h"
#include "engine/regions/Rects.h"

namespace Ostrel {

constexpr u32 kInputMouseButtons = 0x01;  // mouse down and up
constexpr u32 kInputMouseMove = 0x02;
constexpr u32 kInputKeys = 0x04;
constexpr u32 kInputTick = 0x08;
constexpr u32 kInputActivation = 0x10;

// The button argument of HandleInput and HandleMouseUp.
constexpr u32 kInputLeftButton = 0;

// Kinds of the event record that HandleNotification receives.
constexpr u32 kInputEventMouseDown = 0;
constexpr u32 kInputEventMouseUp = 1;
constexpr u32 kInputEventMouseMove = 2;
constexpr u32 kInputEventKeyUp = 4;
constexpr u32 kInputEventKey = 5;

// An event that an earlier object took: for mouse events `data` packs the point (h in the
// low word, v in the high word) and `flags` holds the buttons; for keys `data` is the key.
struct RInputEvent {
    u32 kind = 0;
    i32 mark = -1;
    u32 flags = 0;
    u32 data = 0;
};

// A key argument is the packed key record (engine/base/KeyRecord.h): the virtual key in the
// low byte, the modifiers, the character typed in bits 16-23 and the repeat count.

class RInputObject {
public:
    RInputObject() = default;
    RInputObject(const RInputObject&) = delete;
    RInputObject& operator=(const RInputObject&) = delete;
    virtual ~RInputObject();

    // Stores the mask and, when the object is not registered yet, puts it in front of the
    // registry; a registered object keeps its place and takes the new mask.
    virtual void Register(u32 mask);
    virtual void Unregister();
    bool IsRegistered() const;
    u32 GetInputMask() const { return mask_; }

    virtual u32 HandleKey(u32 key);
    virtual u32 HandleKeyUp(u32 key);
    // Mouse down and up of `button`; `buttons` holds the buttons and modifiers held.
    virtual u32 HandleInput(u32 button, Point16 point, u32 buttons);
    virtual u32 HandleMouseUp(u32 button, Point16 point, u32 buttons);
    virtual u32 HandleMouseMove(Point16 point, u32 buttons);
    virtual void HandleNotification(const RInputEvent& event);
    // The main window's periodic tick, with the program clock's time.
    virtual void HandleTick(u32 now);
    // The main window was activated (1) or deactivated (0).
    virtual void HandleActivation(u32 state);

private:
    u32 mask_ = 0;
};

}  // namespace Ostrel
