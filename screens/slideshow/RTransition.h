#pragma once
// The slide show's page-transition player: which page shows now, and when it is over. It
// walks the project's pages in number order, whatever gaps lie between their numbers, and
// after the last one starts again at the first unless the show plays once. Each page ends by
// its timing mode: after its seconds, on a click, on a key, once its text has been read aloud,
// or at once after the reading. The player polls it with AdvanceSlideShow on every idle pass
// and sends it the child's clicks and keys. User-interface thread only.
#include "engine/base/EngineTypes.h"
#include "framework/messaging/CListener.h"

namespace Ostrel {

class RDocument;
class RPage;
class RSlideShowCanvas;

// The transition's state word.
enum TransitionState : u32 {
    kTransitionIdle = 0,
    kTransitionWaitClick = 1,
    kTransitionWaitKey = 2,
    kTransitionWaitReading = 3,
    kTransitionWaitAfterReading = 4,
    kTransitionNextPage = 0x8000,
    kTransitionWaitClock = 0x10000,
    kTransitionStopping = 0x20000,
    kTransitionEnded = 0x40000,
    kTransitionAdvanceRequested = 0x200000,
    kTransitionFirstShowRequested = 0x800000,
};

struct ShowSwitches {
    // After the last page the show ends (else it starts again).
    bool playOnce = true;
    // Only a click or a key moves on: the clock and the reading never do.
    bool manualAdvance = false;
};

class RTransition : public CListener {
public:
    // `owner` hears kMsgShowOver at once when the show ends.
    RTransition(CListener* owner, RDocument* document, ShowSwitches switches, u32 (*clock)());

    // Starts at `page` when it is one of the project's pages, or without one at the
    // lowest-numbered page: 0. 1, with the state ended, when there is no such page.
    u16 Start(RPage* page, RSlideShowCanvas* canvas);
    // The events of SlideShowMessages.h, by the record's code; others are ignored.
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    u32 State() const { return state_; }
    RPage* Page() const { return page_; }

private:
    friend RPage* AdvanceSlideShow(RTransition* transition);
    RPage* Show(RPage* page);
    RPage* PageAfter(u16 number) const;
    void Advance();
    void End();

    CListener* owner_;
    RDocument* document_;
    ShowSwitches switches_;
    u32 (*clock_)();
    RSlideShowCanvas* canvas_ = nullptr;
    RPage* page_ = nullptr;
    u32 state_ = kTransitionIdle;
    u32 shownAt_ = 0;
    u8 seconds_ = 0;
};

// One step of the show: the page to show now (the first, or the next once the current one is
// over), or null.
RPage* AdvanceSlideShow(RTransition* transition);

}  // namespace Ostrel
