#pragma once
// The commands of the help dialog's buttons, and the messages help mode and its dialog send.
#include "engine/base/EngineTypes.h"

namespace Ostrel {

// Beside every dialog's Leave; Close is every dialog's Confirm.
constexpr u16 kHelpCmdClose = 1396;
constexpr u16 kHelpCmdSound = 1433;
constexpr u16 kHelpCmdDemo = 1460;

// Posted to the owner (0, 0): the child is done with help mode; the owner deletes the RHelp.
constexpr u32 kMsgHelpFinished = 6637;
// A help dialog a screen opens itself answers it with the end of help.
constexpr u32 kHelpDlgDefaultReply = kMsgHelpFinished;  // alias of kMsgHelpFinished

}  // namespace Ostrel
