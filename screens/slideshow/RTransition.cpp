#include "screens/slideshow/RTransition.h"

#include "document/project/ProjectConfigFile.h"
#include "document/project/RDocument.h"
#include "framework/messaging/RMessage.h"
#include "screens/slideshow/RSlideShowCanvas.h"
#include "screens/slideshow/SlideShowMessages.h"

namespace Ostrel {

namespace {

constexpr u8 kModeTimed = 0;
constexpr u8 kModeReadingEnded = 3;
constexpr u8 kModeAfterReading = 4;
constexpr u32 kMillisPerSecond = 1000;

}  // namespace

RTransition::RTransition(CListener* owner, RDocument* document, ShowSwitches switches, u32 (*clock)())
    : owner_(owner), document_(document), switches_(switches), clock_(clock) {}

RPage* RTransition::PageAfter(u16 number) const {
    // Pages keep the numbers of their places: a cut or a move leaves gaps the walk steps over.
    if (!document_) return nullptr;
    for (u32 n = u32(number) + 1; n <= kMaxProjectPages; ++n)
        if (RPage* page = document_->GetPage(u16(n)); page && page->Number() == n) return page;
    return nullptr;
}

u16 RTransition::Start(RPage* page, RSlideShowCanvas* canvas) {
    canvas_ = canvas;
    const bool ofProject = page && document_ && page->Number() >= 1 && page->Number() <= kMaxProjectPages &&
                           document_->GetPage(page->Number()) == page;
    if (!ofProject) page = page ? nullptr : PageAfter(0);
    if (!page) {
        state_ = kTransitionEnded;
        return 1;
    }
    page_ = page;
    document_->SetCurrentPage(page);
    state_ = kTransitionFirstShowRequested;
    return 0;
}

RPage* RTransition::Show(RPage* page) {
    page_ = page;
    document_->SetCurrentPage(page);
    shownAt_ = clock_();
    u8 mode = kModeTimed;
    page->GetTiming(&seconds_, &mode);
    if (mode == kModeTimed) {
        state_ = kTransitionWaitClock;
    } else if (mode == kModeReadingEnded && (!page->settings.readAloud || page->settings.noSound)) {
        // Nothing will be read: the child moves on with a click.
        state_ = kTransitionWaitClick;
    } else {
        state_ = mode;
        if (canvas_ && (mode == kModeReadingEnded || mode == kModeAfterReading))
            canvas_->SetPendingEvent(mode == kModeReadingEnded ? kEventReadingEnded : kEventAfterReading);
    }
    return page;
}

void RTransition::Advance() {
    if (state_ == kTransitionStopping || state_ == kTransitionEnded) return;
    state_ = kTransitionAdvanceRequested;
}

void RTransition::End() {
    if (!owner_) return;
    RMessage over(kMsgShowOver, 0, 0);
    owner_->HandleMessage(&over, 0);
}

u32 RTransition::HandleMessage(RMessage* message, uintptr_t) {
    switch (message->code) {
    case kEventStop:
        state_ = kTransitionStopping;
        End();
        break;
    case kEventEnded: state_ = kTransitionEnded; break;
    case kEventTimeUp:
    case kEventReadingEnded:
        if (!switches_.manualAdvance) Advance();
        break;
    case kEventClick:
    case kEventKey:
    case kEventAfterReading: Advance(); break;
    default: break;
    }
    return 0;
}

RPage* AdvanceSlideShow(RTransition* transition) {
    if (!transition) return nullptr;
    RTransition& t = *transition;
    switch (t.state_) {
    case kTransitionFirstShowRequested: return t.Show(t.page_);
    case kTransitionAdvanceRequested: t.state_ = kTransitionNextPage; return nullptr;
    case kTransitionNextPage: {
        RPage* next = t.PageAfter(t.page_->Number());
        if (!next && !t.switches_.playOnce) next = t.PageAfter(0);
        if (next) return t.Show(next);
        t.state_ = kTransitionEnded;
        t.End();
        return nullptr;
    }
    case kTransitionWaitClock:
        if (!t.switches_.manualAdvance && t.clock_() - t.shownAt_ >= kMillisPerSecond * t.seconds_) t.Advance();
        return nullptr;
    default: return nullptr;
    }
}

}  // namespace Ostrel
