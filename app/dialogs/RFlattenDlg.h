#pragma once
// Asks whether to flatten the chosen sticker or text object, or all of them, into the
// picture: result 1600 or 1601 (which is which is the owner's), or 1395 to leave. The dialog
// remembers the kind of object the command was about ('tSWF' for stickers, 'tTXT' for texts).
// The answer is (code = the owner's kind, the dialog, the result id); the owner deletes the
// dialog. User-interface thread only.
#include "app/dialogs/RDlgBase.h"
#include "app/menus/MenuCommands.h"

namespace Ostrel {

constexpr const char* kFlattenContent = "RFlattenDlg";
constexpr u16 kFlattenLayout = 8000;
constexpr u16 kFlattenResultOne = 1600;
constexpr u16 kFlattenResultAll = 1601;
// The menu commands that ask.
constexpr u16 kFlattenStickersCommand = kCmdFlattenStickers;
constexpr u16 kFlattenTextCommand = kCmdFlattenText;

class RFlattenDlg : public RDlgBase {
public:
    // `command`: the menu command that asks (214 stickers, 225 texts, anything else none).
    RFlattenDlg(CListener* owner, u32 kind, u16 command);

    i16 Open();
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    FourCC ObjectKind() const { return objectKind_; }

private:
    FourCC objectKind_;
};

}  // namespace Ostrel
