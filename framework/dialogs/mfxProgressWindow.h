#pragma once
// A small window over the owner window that says what is being done, with a Cancel button:
// shown while a long job (printing, an export) runs. Each poll runs the messages that wait
// (the program stays live, and input for other windows is dropped while the window is up)
// and answers false once Cancel was pressed (or Escape, or the window closed).
// User-interface thread only.
#include <memory>
#include <string>

#include "platform/ui/Messages.h"

class mfxDialogHost;
namespace plat::widgets {
class DialogBox;
}

class mfxProgressWindow {
public:
    // `label` says what is being done and `cancel` is the button's word, both in the child's language.
    mfxProgressWindow(plat::WindowHandle owner, const std::string& title, const std::string& label,
                      const std::string& cancel);
    ~mfxProgressWindow();
    mfxProgressWindow(const mfxProgressWindow&) = delete;
    mfxProgressWindow& operator=(const mfxProgressWindow&) = delete;

    bool Poll();
    // Shows the label's text in place of the one it had.
    void SetLabel(const std::string& label);

private:
    bool Cancelled() const;

    std::unique_ptr<plat::widgets::DialogBox> box_;
    std::unique_ptr<mfxDialogHost> host_;
    bool cancelled_ = false;
};
