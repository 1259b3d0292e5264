#pragma once
// The teacher writes or edits the note of the current page in a modal dialog of the
// framework (template 171): the text (at most 512 characters, Enter starts a new line) and
// whether it is read in Spanish. OK stores the text in the page's note (making the note when
// the page has none), or takes the note away when the text is empty; Cancel, and OK with
// nothing changed, leave the page as it was. Its texts come from [DialogsStrings].
// User-interface thread only.
#include "framework/dialogs/mfxModalDialog.h"

namespace Ostrel {

class RPageData;
class RNotePageObject;

constexpr u16 kCreateNoteTemplate = 171;
constexpr u16 kNoteItemLabel1 = 1098;
constexpr u16 kNoteItemLabel2 = 1099;
constexpr u16 kNoteItemText = 1100;
constexpr u16 kNoteItemSpanish = 1101;
constexpr u16 kNoteItemOk = 1102;
constexpr u16 kNoteItemCancel = 1103;
constexpr u16 kNoteTextLimit = 512;
// Results.
constexpr u32 kNoteDialogRunning = 0;
constexpr u32 kNoteDialogOk = 1;
constexpr u32 kNoteDialogCancel = 2;

class RCreateNoteDialog : public mfxModalDialog {
public:
    RCreateNoteDialog(mfxWindow* parent, RPageData& page);

    // The texts, and the note's text and language when it has one.
    void Setup();
    void OnCommand(u16 item, u16 notification, u8 key) override;
    u32 GetResult() const { return result_; }
    bool ReadsSpanish() const { return spanish_; }

    // Shows the dialog over `parent` and runs it until OK or Cancel; true when the page has a
    // note with text afterwards (the menu then offers "Edit Note").
    static bool Run(mfxWindow* parent, RPageData& page);

private:
    void InsertLineFeed();
    void Accept();

    RPageData& page_;
    RNotePageObject* note_;
    bool spanish_ = false;
    u32 result_ = kNoteDialogRunning;
};

}  // namespace Ostrel
