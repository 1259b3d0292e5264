#pragma once
// What the slide-show player, its canvas and its page-transition player tell each other. All
// are sent at once (a direct call of the receiver's HandleMessage), never queued.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

enum SlideShowMessage : u32 {
    // From the transition to the player: the show is over (the pages ran out or the child
    // stopped it).
    kMsgShowOver = 3578,
    // From the canvas to the player: parameter 1 is an event for the transition.
    kMsgTransitionEvent = 3579,
};

// The events the transition takes (the code of the message it is sent).
enum TransitionEvent : u32 {
    // The page's seconds ran out.
    kEventTimeUp = 0,
    kEventClick = 1,
    kEventKey = 2,
    // The page's text has been read aloud.
    kEventReadingEnded = 3,
    // The page said to move on once its reading ended.
    kEventAfterReading = 4,
    // Esc or Q: the show stops.
    kEventStop = 0x20000,
    kEventEnded = 0x40000,
};

}  // namespace Ostrel
