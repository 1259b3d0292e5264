#pragma once
// How a slide of the show ends: after some seconds, on a click, on a key, when its words have
// been read or after that at once (the page's timing modes 0..4, one radio button each, in
// that order after OK and Cancel), and the seconds for the first: typed into a three-digit
// field while that choice is selected, or stepped with the arrows, which wrap between 0 and
// 99 and choose the seconds. OK keeps at least one second, writes mode and seconds into the
// page and its project, and answers (code = the owner's kind, the dialog, 1396); Cancel
// answers 1395 and changes nothing. The owner deletes the dialog. User-interface thread only.
#include "app/dialogs/RFieldDlg.h"

namespace Ostrel {

class RPage;

constexpr const char* kTimingContent = "TimerSettings";
constexpr u16 kTimingLayout = 17000;
constexpr u16 kTimingButtonSet = 889;
constexpr u16 kTimingFieldParts = 17006;
// The radio button of the timed mode: the seconds can be typed only while it is selected.
constexpr u16 kTimingSecondsButton = 17002;
// Commands: the five modes, one second more, one second less.
constexpr u16 kTimingCmdModeTimed = 1407;
constexpr u16 kTimingCmdModeClick = 1408;
constexpr u16 kTimingCmdModeKey = 1409;
constexpr u16 kTimingCmdModeRead = 1411;
constexpr u16 kTimingCmdModeAfterRead = 1413;
constexpr u16 kTimingCmdMore = 1410;
constexpr u16 kTimingCmdLess = 1412;
constexpr u16 kTimingMaxSeconds = 99;
// What the field reads as when it holds no text.
constexpr u16 kTimingSecondsWithoutText = 5;

class RDlgTiming : public RFieldDlg {
public:
    RDlgTiming(CListener* owner, u32 kind) : RFieldDlg(owner, kind) {}

    // 0 when up; 1 without a page or when the layout cannot be opened. The page must outlive
    // the dialog.
    i16 Open(RPage* page);
    void BuildButtons() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    void HandleTick(u32 now) override;

    u16 Seconds() const { return seconds_; }
    u8 Mode() const { return mode_; }
    // The field's text as seconds: its leading number (0 when there is none), 5 without text.
    u16 FieldSeconds() const;

private:
    // Selects the mode's radio button and releases the other radio buttons.
    void ShowMode(u8 mode);
    void ChooseMode(u8 mode);
    void ShowSeconds(u16 seconds);
    void Confirm();
    // Whether the seconds button is there (after OK and Cancel) and selected or under the pointer.
    bool SecondsChosen();

    RPage* page_ = nullptr;
    u8 mode_ = 0;
    u16 seconds_ = 0;
};

}  // namespace Ostrel
