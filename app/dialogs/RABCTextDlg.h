#pragma once
// Edits the line of text the alphabet tool stamps (the user's ABC string): a field holding
// the string (or "Tumblo is fun!" when it is empty), at most 63 characters. OK (or Enter)
// takes a text that is not blank, cut to 63 characters (Text), and answers (code = the kind,
// the dialog, 1396); 1641 and leaving answer with their ids. The OK button is live only while
// the field holds text. The owner stores the text and deletes the dialog.
// User-interface thread only.
#include <string>

#include "app/dialogs/RFieldDlg.h"
#include "app/settings/AlphabetText.h"

namespace Ostrel {

constexpr const char* kABCTextContent = "RABCTextDlg";
constexpr u16 kABCTextLayout = 8200;
constexpr u16 kABCTextFieldParts = 8213;
constexpr u32 kDlgKindABCText = 1446;
constexpr u16 kABCTextCmdOther = 1641;

class RABCTextDlg : public RFieldDlg {
public:
    // `kind` 0 answers with 1446.
    RABCTextDlg(CListener* owner, u32 kind) : RFieldDlg(owner, kind ? kind : kDlgKindABCText) {}

    // 0 when up; `text` is the user's ABC string.
    i16 Open(const std::string& text);
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u32 HandleKey(u32 key) override;
    u32 HandleKeyUp(u32 key) override;

    // The accepted text, at most 63 characters.
    const std::string& Text() const { return text_; }

private:
    void Accept();
    void UpdateOkButton();

    std::string text_;
};

}  // namespace Ostrel
