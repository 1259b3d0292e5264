#pragma once
// The messages the application's listener takes: screens, menus and dialogs never switch screens
// themselves, they ask the application with these, and it decides. The screen codes double as
// the messages that ask for their screen.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

constexpr u32 kScreenPicker = 5567;
constexpr u32 kScreenEasel = 5568;
constexpr u32 kMsgForwardToScreen = 5569;
constexpr u32 kScreenSlideShow = 5570;
constexpr u32 kScreenSplash = 5571;
constexpr u32 kMsgDropExtraObject = 5573;
constexpr u32 kMsgLibraryChanged = 5574;
constexpr u32 kMsgShuttingDown = 5575;
constexpr u32 kMsgOpenDocument = 5576;
constexpr u32 kMsgLoginClosed = 5577;
constexpr u32 kMsgAdminLogin = 5578;
// The current screen is entered again, its page kept (its art in a new language).
constexpr u32 kMsgEnterScreenAgain = 5579;
// After a login, once the screen has come up: the page kept when the program last had to stop
// is offered back.
constexpr u32 kMsgOfferRecoveredPicture = 5580;

// The login dialog's answer, parameter 2 of kMsgLoginClosed.
enum LoginAnswer : u16 {
    kLoginQuit = 1502,
    kLoginChosen = 1704,
};

// What the application tells the screen it has just entered.
enum ScreenEntryMessage : u32 {
    // To the slide-show player, with the slide to start at.
    kMsgSlideShowStart = 3577,
    // To the easel that came up with a new page, the page in parameter 1 and as the record's
    // payload (NewPageEntry.h).
    kMsgEaselNewPage = 6605,  // apart from kMsgMenuOpenProject: only this one carries a NewPageEntry
};

}  // namespace Ostrel
