#pragma once
// The getting-started dialog of the Help menu: a page showing the getting-started movie of the
// current screen (the easel's, else the picker's; DemoMovies.h), its play button and a close
// button, which Escape stands for. The movie opens at its start, still; the play button (1433)
// plays it and, while it plays, stops it. Without its movie file the dialog shows no movie and
// the button does nothing. The main window makes and owns it (answer kind 61, the dialog,
// 1396) and deletes it on that answer; the movie goes with it. User-interface thread only.
#include "app/dialogs/RDlgBase.h"

class DemoMovieObj;

namespace Ostrel {

constexpr const char* kGetStartContent = "RGetStartDlg";
constexpr u16 kGetStartLayout = 9000;
constexpr u32 kDlgKindGetStart = 61;
constexpr u16 kGetStartPlayButton = 9001;
constexpr u16 kGetStartCmdPlay = 1433;
// The play button's looks, up, highlighted and down: idle (play) and while the movie plays (stop).
constexpr u16 kGetStartPlayLook = 9001;
constexpr u16 kGetStartPlayHighlighted = 9002;
constexpr u16 kGetStartPlayPressed = 9003;
constexpr u16 kGetStartStopLook = 9004;
constexpr u16 kGetStartStopHighlighted = 9005;
constexpr u16 kGetStartStopPressed = 9006;

class RGetStartDlg : public RDlgBase {
public:
    explicit RGetStartDlg(CListener* owner);
    ~RGetStartDlg() override;

    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    int PlayButtonIndex() const { return playButton_; }
    // The dialog's movie while it exists; null without one.
    DemoMovieObj* Movie() const;
    bool Playing() const { return playing_ != 0; }

private:
    void PlayOrStop();

    int playButton_ = -1;
    u16 playing_ = 0;
    u64 movie_ = 0;  // the demonstration slot's token for the dialog's movie
};

}  // namespace Ostrel
