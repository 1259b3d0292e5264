#include "tests/text/spellcheck/ScriptedSpellCheckDialog.h"

ScriptedSpellCheckDialog::ScriptedSpellCheckDialog(std::deque<Step> steps, std::deque<bool> answers)
    : steps_(std::move(steps)), answers_(std::move(answers)) {}

void ScriptedSpellCheckDialog::ShowWord(const std::string& word, const std::vector<std::string>& suggestions,
                                        const std::string& replacement) {
    words_.push_back({word, suggestions, replacement});
    field_ = replacement;
}

SpellDialogEvent ScriptedSpellCheckDialog::ModalStep() {
    if (steps_.empty()) return {SpellDialogAction::Closed, 0};
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (step.types) field_ = step.typed;
    if (step.event.action == SpellDialogAction::PickSuggestion && !words_.empty()) {
        const std::vector<std::string>& list = words_.back().suggestions;
        if (step.event.suggestion >= list.size()) return {SpellDialogAction::None, 0};
    }
    return step.event;
}

bool ScriptedSpellCheckDialog::Ask(const std::string& question) {
    questions_.push_back(question);
    if (answers_.empty()) return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}
