#include "framework/filedialogs/mfxFileNameField.h"

#include "framework/dialogs/mfxModalDialog.h"

std::string mfxDialogEditNameField::GetText() const { return dialog_.GetItemText(item_); }
void mfxDialogEditNameField::SetText(const std::string& text) { dialog_.SetItemText(item_, text); }
void mfxDialogEditNameField::SelectAll() { dialog_.SelectAll(item_); }
void mfxDialogEditNameField::TakeFocus() { dialog_.SetFocus(item_); }
bool mfxDialogEditNameField::HasFocus() const { return dialog_.GetFocus() == item_; }
