#pragma once
// Help mode of the easel and the picker: the screen's buttons and hot spots come alive again
// with the help cursor, and a click on one opens that element's help page instead of acting.
// One page is open at a time: a second request replaces the open page, and a page that
// closes is deleted once its reply has arrived (never inside the page's own handler). The
// owner makes an RHelp, calls Start with the screen's help words and deletes it to leave
// help mode. Help mode takes every press, so it tells its owner when the child is done
// (6637, once): when the page closes; a press on nothing leaves it on. User-interface thread
// only.
#include <array>
#include <memory>
#include <string>

#include "app/dialogs/DialogButtonSet.h"
#include "app/help/HelpCommands.h"
#include "app/menus/RMenuOwner.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

class RHelpDlg;

constexpr FourCC kHelpSenderTag = fourCC("HELP");
constexpr u16 kHelpShapeGroup = 10000;
constexpr u16 kHelpCursorOver = 23;
constexpr u16 kHelpCursorPressed = 22;
constexpr const char* kEaselHelpName = "EaselHelp";
constexpr const char* kPickerHelpName = "PickerHelp";

class RHelp : public RSender, public CListener, public RInputObject, public RMenuOwner {
public:
    RHelp(CListener* owner, const std::string& helpName);
    ~RHelp() override;

    // Loads the button sets `set1..set3` (0: none) of the current screen for help mode.
    // 0 while help mode goes on.
    virtual i16 Start(u16 set1, u16 set2, u16 set3);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    // Opens the page `itemName` (null: nothing), replacing the open one; `reply` is the code
    // of the page's closing answer.
    void ShowHelp(const char* itemName, u32 reply);

    // Every press is help mode's: nothing reaches the screen under it.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    // Help mode shows the help cursor wherever the pointer goes, from its start to its end.
    u32 HandleMouseMove(Point16 point, u32 buttons) override;

    RHelpDlg* Page() const { return page_.get(); }
    u32 DemoOption() const { return demoOption_; }
    bool IsFinished() const { return finished_; }
    int ButtonCount() const;
    RHotSpotList* HotSpots() const { return list_.get(); }

private:
    void Finish();
    void ShowHelpCursor();

    CListener* owner_;
    std::string helpName_;
    std::unique_ptr<RHotSpotList> list_;
    std::array<RButtonSet, 3> sets_;
    std::unique_ptr<RHelpDlg> page_;
    bool groupHeld_ = false;
    bool contentOpen_ = false;
    u32 demoOption_ = 0;
    bool finished_ = false;
};

}  // namespace Ostrel
