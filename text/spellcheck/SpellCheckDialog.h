#pragma once
// The check dialog as the check pass drives it: a word display, a replacement field, a
// suggestion list and the buttons stop, skip, replace, and replace and add.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

enum class SpellDialogAction : u8 {
    None,           // an event the pass has nothing to do with
    Stop,           // the stop button
    Skip,           // go on to the next word not accepted
    Replace,        // the field's text replaces the word
    ReplaceAndAdd,  // the same, and the text goes into the user's dictionary
    Add,            // the word shown goes into the user's dictionary as it stands
    PickSuggestion, // an entry of the suggestion list was selected
    Closed,         // the dialog ended
};

struct SpellDialogEvent {
    SpellDialogAction action = SpellDialogAction::None;
    u32 suggestion = 0;  // for PickSuggestion
};

class SpellCheckDialog {
public:
    virtual ~SpellCheckDialog() = default;
    virtual void Show() = 0;
    // Puts the word in the display, the suggestions in the list and `replacement` into the
    // field, selected whole and focused.
    virtual void ShowWord(const std::string& word, const std::vector<std::string>& suggestions,
                          const std::string& replacement) = 0;
    virtual void SetReplacement(const std::string& text) = 0;
    virtual std::string Replacement() const = 0;
    // Runs the modal loop until the next event.
    virtual SpellDialogEvent ModalStep() = 0;
    // A yes-or-no question with the question icon; true for yes.
    virtual bool Ask(const std::string& question) = 0;
    // A message with an OK button and the information icon.
    virtual void Inform(const std::string& message) = 0;
};
