#pragma once
// The getting-started dialog of the Help menu: a page with a play button for the
// getting-started movie and a close button. The main window makes and owns it (answer kind 61,
// the dialog, 1396) and deletes it on that answer. Movies are not playable in this program
// yet: the dialog opens without its movie and the play button does nothing, quietly.
// User-interface thread only.
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

constexpr const char* kGetStartContent = "RGetStartDlg";
constexpr u16 kGetStartLayout = 9000;
constexpr u32 kDlgKindGetStart = 61;
constexpr u16 kGetStartPlayButton = 9001;
constexpr u16 kGetStartCmdPlay = 1433;

class RGetStartDlg : public RDlgBase {
public:
    explicit RGetStartDlg(CListener* owner);
    ~RGetStartDlg() override;

    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    int PlayButtonIndex() const { return playButton_; }

private:
    int playButton_ = -1;
};

}  // namespace Ostrel
