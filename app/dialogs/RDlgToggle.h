#pragma once
// The two switches of a slide in the show: whether its sounds play and whether its words are
// read aloud. Each is a toggle button with a check box, ticked and pressed in while its switch
// is on, under the pointer too; a click turns it over. OK writes both into the page and its project and answers (code = the owner's kind, the
// dialog, 1396); Cancel answers 1395 and changes nothing. The owner deletes the dialog.
// User-interface thread only.
#include <array>

#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

class RPage;

constexpr const char* kToggleContent = "SlideShow";
constexpr u16 kToggleLayout = 7000;
// The toggle buttons of the two switches and the commands their clicks give.
constexpr u16 kToggleFirstButton = 7001;
constexpr u16 kToggleSecondButton = 7005;
constexpr u16 kToggleCmdFirst = 1415;
constexpr u16 kToggleCmdSecond = 1416;
// A switch's looks follow its button's shape: off, off under the pointer, on, on under it.
constexpr u16 kToggleOffLit = 1;
constexpr u16 kToggleOn = 2;
constexpr u16 kToggleOnLit = 3;

class RDlgToggle : public RDlgBase {
public:
    RDlgToggle(CListener* owner, u32 kind) : RDlgBase(owner, kind) {}

    // 0 when up; 1 without a page, when the layout cannot be opened or a toggle button is
    // missing. The page must outlive the dialog.
    i16 Open(RPage* page);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Switch 0 plays the page's sounds, switch 1 reads its words aloud.
    bool IsOn(size_t which) const { return flags_[which] != 0; }

private:
    void Confirm();
    // The look under the pointer shows whether the switch is on.
    void ShowSwitch(size_t which);

    RPage* page_ = nullptr;
    std::array<u16, 2> flags_{};
};

}  // namespace Ostrel
