#pragma once
// Keeps a dialog box up in a window for as long as a modal loop runs: draws it over the
// window, hands it the window's keys and mouse, and lets every other message through (paint,
// timers, posted messages), so the program keeps ticking under the dialog. The sprite screen's
// updates wait while a box is shown (its sprites would be copied over the box); exposures of
// the window show the page as last composed, with the box over it. Input meant for other
// windows is dropped while the box is up. User-interface thread only.
#include <functional>

#include "engine/base/EngineTypes.h"
#include "engine/gfx/sprites/SprStill.h"
#include "platform/ui/Messages.h"
#include "platform/widgets/DialogBox.h"

class mfxDialogHost {
public:
    mfxDialogHost(plat::WindowHandle window, plat::widgets::DialogBox& box);
    ~mfxDialogHost();
    mfxDialogHost(const mfxDialogHost&) = delete;
    mfxDialogHost& operator=(const mfxDialogHost&) = delete;

    void Show();
    void Hide();
    bool IsShown() const { return shown_; }
    // A box is up somewhere: the pointer belongs to it, not to what lies under it.
    static bool AnyShown() { return shownCount_ > 0; }

    // Runs messages until `done` answers true (true), or until nothing more can come: the
    // quit message or a close of the window, which are posted again for the outer loop, the
    // program ending for a signal, a box without a window, or, on a headless display, an empty
    // queue once the scripted input has run out (false).
    bool Pump(const std::function<bool()>& done);
    // A quit, a close of the window or a signal's ending ended a Pump: the box goes unanswered.
    bool Interrupted() const { return interrupted_; }
    // Runs after each drawing of the box, before it is shown: what the owner draws over the box
    // (a preview in a picture item) stays.
    void SetAfterDraw(std::function<void()> drawn) { afterDraw_ = std::move(drawn); }

private:
    void Route(const plat::Message& message);
    void Draw();

    plat::WindowHandle window_;
    plat::widgets::DialogBox& box_;
    bool shown_ = false;
    bool dirty_ = false;
    bool shift_ = false;
    bool interrupted_ = false;
    // The sprite screen's updates wait while the box is shown.
    SprStill still_;
    std::function<void()> afterDraw_;
    static inline int shownCount_ = 0;
};
