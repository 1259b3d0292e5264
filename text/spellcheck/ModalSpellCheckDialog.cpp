#include "text/spellcheck/ModalSpellCheckDialog.h"

#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "text/spellcheck/SpellCheckPass.h"

namespace {

constexpr const char* kTextsSection = "DialogsStrings";

std::string text(const char* key) { return LookupLanguageText(kTextsSection, key).c_str(); }

// The pass's own two messages in the current language.
std::string translated(const std::string& message) {
    if (message == kSpellContinueQuestion) return text("SpellUnknownWord");
    if (message == kSpellFinished) return text("SpellFinished");
    return message;
}

// A click, or Space or Enter on the item.
bool isUse(const mfxDialogEvent& event) {
    return event.notification == kDlgNotifyClicked ||
           (event.notification == kDlgNotifyKey && (event.key == ' ' || event.key == '\r'));
}

}  // namespace

ModalSpellCheckDialog::ModalSpellCheckDialog(mfxWindow* parent) : dialog_(parent, kSpellDialogTemplate) {
    if (!Loaded()) return;
    dialog_.SetTitle(text("SpellCheckDlg"));
    static constexpr std::pair<u16, const char*> kTexts[] = {
        {kSpellItemWordLabel, "SpellNotFound"}, {kSpellItemReplacementLabel, "SpellChangeTo"},
        {kSpellItemSuggestionsLabel, "SpellSuggestions"}, {kSpellItemReplace, "SpellReplace"},
        {kSpellItemReplaceAndAdd, "SpellReplaceAndAdd"}, {kSpellItemSkip, "SpellSkip"}, {kSpellItemStop, "SpellStop"}};
    for (const auto& [item, key] : kTexts) dialog_.SetItemText(item, text(key));
    dialog_.SetDefaultButton(kSpellItemStop);
}

void ModalSpellCheckDialog::Show() { dialog_.Show(); }

void ModalSpellCheckDialog::ShowWord(const std::string& word, const std::vector<std::string>& suggestions,
                                     const std::string& replacement) {
    dialog_.SetItemText(kSpellItemWord, word);
    dialog_.ListClear(kSpellItemSuggestions);
    for (const std::string& suggestion : suggestions) dialog_.ListInsert(kSpellItemSuggestions, kDlgListEnd, suggestion);
    SetReplacement(replacement);
}

void ModalSpellCheckDialog::SetReplacement(const std::string& text) {
    dialog_.SetItemText(kSpellItemReplacement, text);
    dialog_.SelectAll(kSpellItemReplacement);
    dialog_.SetFocus(kSpellItemReplacement);
}

SpellDialogEvent ModalSpellCheckDialog::ModalStep() {
    mfxDialogEvent event;
    if (dialog_.RunModal(&event) != 0) return {SpellDialogAction::Closed};
    if (event.item == kSpellItemSuggestions &&
        (event.kind == kDlgEventListSelection || event.kind == kDlgEventListDoubleClick)) {
        const u16 selected = dialog_.ListSelected(kSpellItemSuggestions);
        if (selected == 0) return {};
        return {SpellDialogAction::PickSuggestion, u32(selected - 1)};
    }
    if (event.kind != kDlgEventItem || !isUse(event)) return {};
    switch (event.item) {
    case kSpellItemStop: return {SpellDialogAction::Stop};
    case kSpellItemSkip: return {SpellDialogAction::Skip};
    case kSpellItemReplace: return {SpellDialogAction::Replace};
    case kSpellItemReplaceAndAdd: return {SpellDialogAction::ReplaceAndAdd};
    default: return {};
    }
}

bool ModalSpellCheckDialog::Ask(const std::string& question) {
    return mfxAlert(kAlertYesNo | kAlertIconQuestion, translated(question)) == kAlertAnswerYes;
}

void ModalSpellCheckDialog::Inform(const std::string& message) {
    dialog_.Hide();
    mfxAlert(kAlertOk | kAlertIconInformation, translated(message));
}
