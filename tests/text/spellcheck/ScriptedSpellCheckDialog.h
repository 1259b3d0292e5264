#pragma once
// A check dialog played from a script, for the pass's own tests: each step is an event,
// optionally after the user typed into the field; questions are answered in order;
// everything shown is recorded.
#include <deque>
#include <string>
#include <vector>

#include "text/spellcheck/SpellCheckDialog.h"

class ScriptedSpellCheckDialog : public SpellCheckDialog {
public:
    struct Step {
        SpellDialogEvent event;
        bool types = false;  // the user types `typed` into the field first
        std::string typed;
    };
    struct Shown {
        std::string word;
        std::vector<std::string> suggestions;
        std::string replacement;
    };

    ScriptedSpellCheckDialog(std::deque<Step> steps, std::deque<bool> answers);

    void Show() override { shown_ = true; }
    void ShowWord(const std::string& word, const std::vector<std::string>& suggestions,
                  const std::string& replacement) override;
    void SetReplacement(const std::string& text) override { field_ = text; }
    std::string Replacement() const override { return field_; }
    // The next step of the script; Closed once it has run out.
    SpellDialogEvent ModalStep() override;
    bool Ask(const std::string& question) override;
    void Inform(const std::string& message) override { messages_.push_back(message); }

    bool shown() const { return shown_; }
    const std::vector<Shown>& words() const { return words_; }
    const std::vector<std::string>& messages() const { return messages_; }
    const std::vector<std::string>& questions() const { return questions_; }

private:
    std::deque<Step> steps_;
    std::deque<bool> answers_;
    std::string field_;
    std::vector<Shown> words_;
    std::vector<std::string> messages_, questions_;
    bool shown_ = false;
};
