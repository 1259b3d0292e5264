#pragma once
// The slide-show player: the screen that plays the current project's pages one after the
// other in the show rectangle, each with its transition, sounds and reading aloud, with the
// menus taken off the bar while it plays. The picker starts it with Play; Esc or Q stops it,
// and when the show is over the program goes back to the picker. When the program ends during
// the show, the show's unsaved changes are offered for saving first.
// User-interface thread only.
#include <array>
#include <memory>

#include "app/module/RModule.h"
#include "framework/input/RInputObject.h"
#include "framework/menus/mfxMenu.h"

namespace Ostrel {

class RDocument;
class RPage;
class RSlideShowCanvas;
class RTransition;

constexpr u8 kShowStopKey = 27;
constexpr u8 kShowQuitKey = 'Q';

class RSlideShowModule : public RModule, public RInputObject {
public:
    // How a screen starts the show of `document`, the project the program holds, at page
    // `firstPage` (0: the lowest-numbered page): the program switches to the player once the
    // asking screen's handler has returned, and the player plays from there. False, asking
    // nothing, when the program holds another project or none.
    static bool Play(const RDocument* document, u16 firstPage);

    RSlideShowModule();
    ~RSlideShowModule() override;

    // Takes the show rectangle and the user's tool sounds.
    u16 Enter() override;
    // kMsgSlideShowStart (the first page in parameter 2), kMsgShowOver, kMsgTransitionEvent,
    // kMsgShuttingDown.
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Esc or Q stops the show; another key moves on where the page waits for a key or the
    // user advances by hand. Every key is taken.
    u32 HandleKey(u32 key) override;
    // A press moves on where the page waits for a click or the user advances by hand.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    // One step of the show.
    void HandleTick(u32 now) override;

    RSlideShowCanvas* Canvas() const { return canvas_.get(); }
    RTransition* Transition() const { return transition_.get(); }
    RPage* CurrentPage() const { return page_; }
    const Rect16& ShowRect() const { return show_; }
    bool MenusHidden() const { return menusHidden_; }

private:
    void StartShow(u16 firstPage);
    void StopShow();
    // At the program's end: the show's unsaved changes are offered for saving, as the
    // slide-show editor offers them, and the show is let go.
    void AskToSaveShow();
    void SetMenusHidden(bool hidden);
    void BackToPicker();
    // Sends the transition one of its events at once.
    void Tell(u32 code);

    Rect16 show_{0, 0, 0, 0};
    RPage* page_ = nullptr;
    std::unique_ptr<RSlideShowCanvas> canvas_;
    std::unique_ptr<RTransition> transition_;
    bool menusHidden_ = false;
    bool teacherHeld_ = false;
    // The popups taken off the bar, by position: File, Edit, Add, Toolbox, Controls, Help, Teacher.
    std::array<mfxPopup, 7> menus_;
};

}  // namespace Ostrel
