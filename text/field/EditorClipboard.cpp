// The dialog field's cut, copy and paste, each an undo step of its own.
#include "text/field/Editor.h"

#include "text/clipboard/TextClipboard.h"
#include "text/paste/PasteFilters.h"

bool Editor::Copy() {
    if (selStart_ == selEnd_) return false;
    copyClipText(TextClipKind::DialogField, GetSelectedText());
    return true;
}

bool Editor::Cut() {
    BeginStep(kTextStepCut);
    RecordText();
    if (!Copy()) return false;
    const bool deleted = DeleteSelection(Save());
    Redraw();
    return deleted;
}

bool Editor::Paste() {
    const std::string source = filterDialogFieldPaste(clipTextToPaste(TextClipKind::DialogField), maxLines_ == 1);
    BeginStep(kTextStepPaste);
    RecordText();
    if (source.empty()) return false;
    if (Length() - (selEnd_ - selStart_) + source.size() > maxLength_) return Refuse();
    const Saved saved = Save();
    grew_ = false;
    ReplaceSelection(source, true);
    Lay();
    if (!FitOrGrow()) {
        Restore(saved);
        grew_ = false;
        return Refuse();
    }
    Redraw();
    return true;
}
