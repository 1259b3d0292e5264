#pragma once
// A warning or a question with up to three answers: "Save the changes?" before a new or
// another document or the end of the program, a name already in use, a slide thrown away.
// The message id (7533..7551) chooses the text; some questions (7540, 7542..7551) answer
// with their own item buttons, which then take the clicks instead of the dialog's buttons
// and show in their place. The answer (code = the kind the owner gave, the dialog, the
// result id) tells which button was pressed: 1395 leave, 1396 confirm, 1702 yes, 1703 no;
// the owner deletes the dialog. User-interface thread only.
#include "app/dialogs/RDlgBase.h"

namespace Ostrel {

constexpr const char* kWarningsContent = "Copy";
constexpr u16 kWarningsLayout = 7500;
constexpr u16 kWarningsItemButtonSet = 780;
constexpr u16 kWarningsItemGroup = 1500;
// Message ids: the first and last texts of the layout, the save question and the slide-show
// editor's save question.
constexpr u16 kWarningFirstMessage = 7533;
constexpr u16 kWarningLastMessage = 7551;
constexpr u16 kWarningSaveChanges = 7533;
constexpr u16 kWarningSaveShow = 7549;
// Answers beside the shared 1395 and 1396.
constexpr u16 kWarningResultYes = 1702;
constexpr u16 kWarningResultNo = 1703;

class RDlgWarnings : public RDlgBase {
public:
    RDlgWarnings(CListener* owner, u32 kind) : RDlgBase(owner, kind) {}
    ~RDlgWarnings() override;

    // 0 when up.
    i16 Open(u16 messageId);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // Whether the message answers with the item buttons.
    static bool HasItemButtons(u16 messageId);
    bool ItemButtonsUp() const { return items_.IsBuilt(); }
    DialogButtonSet& ItemButtons() { return items_; }
    u16 MessageId() const { return messageId_; }

private:
    DialogButtonSet items_;
    u16 messageSprite_ = 0;
    u16 messageId_ = 0;
};

}  // namespace Ostrel
