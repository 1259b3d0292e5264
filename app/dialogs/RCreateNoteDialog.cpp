#include "app/dialogs/RCreateNoteDialog.h"

#include <algorithm>

#include "document/objects/RNotePageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr const char* kTextsSection = "DialogsStrings";
constexpr u16 kSpanish = 1;

std::string text(const char* key) { return LookupLanguageText(kTextsSection, key).c_str(); }

// A click, or Space or Enter on the item.
bool isUse(u16 notification, u8 key) {
    return notification == kDlgNotifyClicked || (notification == kDlgNotifyKey && (key == ' ' || key == '\r'));
}

}  // namespace

RCreateNoteDialog::RCreateNoteDialog(mfxWindow* parent, RPageData& page)
    : mfxModalDialog(parent, kCreateNoteTemplate), page_(page), note_(page.HasNote() ? page.GetNote() : nullptr) {}

void RCreateNoteDialog::Setup() {
    SetTitle(text("AddNoteDlg"));
    SetItemText(kNoteItemLabel1, text("NoteLabel1"));
    SetItemText(kNoteItemLabel2, text("NoteLabel2"));
    SetItemText(kNoteItemSpanish, text("ReadNoteInSpanish"));
    SetItemText(kNoteItemOk, text("Ok"));
    SetItemText(kNoteItemCancel, text("Cancel"));
    SetTextLimit(kNoteItemText, kNoteTextLimit);
    // A new note is read in English until the teacher ticks the box; a written one keeps its own.
    spanish_ = false;
    if (note_ && !note_->IsEmpty()) {
        SetItemText(kNoteItemText, note_->GetText().substr(0, kNoteTextLimit));
        spanish_ = note_->GetKind() == kSpanish;
    }
    SetCheck(kNoteItemSpanish, spanish_);
    SetFocus(kNoteItemText);
}

void RCreateNoteDialog::InsertLineFeed() {
    plat::widgets::DialogItem* field = Box().find(kNoteItemText);
    if (!field || field->text.size() >= kNoteTextLimit) return;
    const size_t from = std::min({field->selectionStart, field->selectionEnd, field->text.size()});
    const size_t to = std::min(std::max(field->selectionStart, field->selectionEnd), field->text.size());
    field->text.erase(from, to - from).insert(from, 1, '\n');
    field->selectionStart = field->selectionEnd = from + 1;
    InvalidateRect(GetItemRect(kNoteItemText));
}

// The page changes only by what the teacher changed: a note made, rewritten, read in another
// language or taken away.
void RCreateNoteDialog::Accept() {
    result_ = kNoteDialogOk;
    const std::string typed = GetItemText(kNoteItemText).substr(0, kNoteTextLimit);
    const u16 language = spanish_ ? kSpanish : 0;
    if (typed.empty()) {
        if (note_) page_.DeleteObject(kTypeNote, note_->Id());
        note_ = nullptr;
        return;
    }
    if (note_ && note_->GetText() == typed && note_->GetKind() == language && note_->GetLanguage() == language) return;
    if (!note_) note_ = page_.GetNote();
    if (!note_) return;
    note_->SetText(typed);
    note_->SetKind(language);
    note_->SetLanguage(language);
    page_.SetDirtyState(true);
}

void RCreateNoteDialog::OnCommand(u16 item, u16 notification, u8 key) {
    if (item == kNoteItemText && notification == kDlgNotifyKey && key == '\r') {
        InsertLineFeed();
        return;
    }
    if (!isUse(notification, key)) return;
    switch (item) {
    case kNoteItemSpanish:
        spanish_ = !spanish_;
        SetCheck(kNoteItemSpanish, spanish_);
        break;
    case kNoteItemOk: Accept(); break;
    case kNoteItemCancel: result_ = kNoteDialogCancel; break;
    default: break;
    }
}

bool RCreateNoteDialog::Run(mfxWindow* parent, RPageData& page) {
    {
        RCreateNoteDialog dialog(parent, page);
        if (dialog.LoadError() == kErrNone) {
            dialog.Setup();
            dialog.Show();
            mfxDialogEvent event;
            while (dialog.GetResult() == kNoteDialogRunning && dialog.RunModal(&event) == 0) {
            }
            dialog.Hide();
        }
    }
    return page.HasNote() && !page.GetNote()->IsEmpty();
}

}  // namespace Ostrel
