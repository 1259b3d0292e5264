#include "text/spellcheck/SpellCheckPass.h"

#include <cstring>

const char* const kSpellContinueQuestion = "Unknown word found. Continue checking?";
const char* const kSpellFinished = "Finished checking text.";

SpellCheckPass::SpellCheckPass(SpellReplaceRoutine replace, SpellSelectRoutine select)
    : replace_(std::move(replace)), select_(std::move(select)) {}

int SpellCheckPass::Start(const char* text, u32 length, std::unique_ptr<SpellChecker> checker,
                          std::unique_ptr<SpellCheckDialog> dialog) {
    if (text == nullptr || dialog == nullptr || checker == nullptr) return kSpellPassFailed;
    copy_.assign(text, length == 0 ? std::strlen(text) : length);
    dialog_ = std::move(dialog);
    checker_ = std::move(checker);
    return checker_->Open() ? kSpellPassReady : kSpellPassFailed;
}

bool SpellCheckPass::NextUnknown() {
    while (spellNextWord(copy_, next_, &word_, &next_))
        if (!checker_->CheckWord(Current().c_str())) return true;
    return false;
}

void SpellCheckPass::ShowWord() {
    select_(word_.offset, word_.length, &adjust_);
    const std::string word = Current();
    suggestions_ = checker_->GetSuggestions(word.c_str());
    dialog_->ShowWord(word, suggestions_, suggestions_.empty() ? word : suggestions_.front());
}

void SpellCheckPass::Run() {
    next_ = 0;
    if (NextUnknown()) {
        dialog_->Show();
        ShowWord();
        for (bool going = true; going;) {
            SpellDialogEvent event = dialog_->ModalStep();
            switch (event.action) {
            case SpellDialogAction::Closed:
                going = false;
                continue;
            case SpellDialogAction::Stop:
                if (!dialog_->Ask(kSpellContinueQuestion)) return;
                continue;
            case SpellDialogAction::PickSuggestion:
                if (event.suggestion < suggestions_.size()) dialog_->SetReplacement(suggestions_[event.suggestion]);
                continue;
            case SpellDialogAction::Replace:
            case SpellDialogAction::ReplaceAndAdd: {
                const std::string replacement = dialog_->Replacement();
                replace_(word_.offset, word_.length, replacement, &adjust_);
                if (event.action == SpellDialogAction::ReplaceAndAdd) checker_->AddWord(replacement.c_str());
                break;
            }
            case SpellDialogAction::Add:
                checker_->AddWord(Current().c_str());
                break;
            case SpellDialogAction::Skip:
                break;
            case SpellDialogAction::None:
                continue;
            }
            if (!NextUnknown()) going = false;
            else ShowWord();
        }
    }
    dialog_->Inform(kSpellFinished);
}
