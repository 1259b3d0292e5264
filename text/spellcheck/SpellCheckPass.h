#pragma once
// One spell check of a page text: the words of a copy of the text are checked in order, and
// each word not accepted is shown in the check dialog, where the user skips it, replaces it,
// replaces it and adds the replacement to the user's dictionary, or stops.
#include <functional>
#include <memory>
#include <string>

#include "engine/base/EngineTypes.h"
#include "text/spellcheck/SpellCheckDialog.h"
#include "text/spellcheck/SpellChecker.h"
#include "text/spellcheck/SpellWords.h"

// Offsets and lengths refer to the unchanged copy; the adjustment word, kept by the pass and
// handed to both routines, lets the owner of the text account for earlier replacements.
using SpellReplaceRoutine = std::function<void(u32 offset, u32 length, const std::string& replacement, i32* adjust)>;
using SpellSelectRoutine = std::function<void(u32 offset, u32 length, i32* adjust)>;

constexpr int kSpellPassReady = 0;
constexpr int kSpellPassFailed = 1;

extern const char* const kSpellContinueQuestion;
extern const char* const kSpellFinished;

class SpellCheckPass {
public:
    SpellCheckPass(SpellReplaceRoutine replace, SpellSelectRoutine select);

    // Copies the text (length 0: up to its NUL) and opens the checker; kSpellPassFailed for no
    // text, no dialog or a checker that does not open.
    int Start(const char* text, u32 length, std::unique_ptr<SpellChecker> checker,
              std::unique_ptr<SpellCheckDialog> dialog);
    void Run();

    SpellCheckDialog* dialog() const { return dialog_.get(); }
    SpellChecker* checker() const { return checker_.get(); }

private:
    bool NextUnknown();
    void ShowWord();
    std::string Current() const { return copy_.substr(word_.offset, word_.length); }

    SpellReplaceRoutine replace_;
    SpellSelectRoutine select_;
    std::unique_ptr<SpellChecker> checker_;
    std::unique_ptr<SpellCheckDialog> dialog_;
    std::string copy_;
    SpellWord word_;
    u32 next_ = 0;
    i32 adjust_ = 0;
    std::vector<std::string> suggestions_;
};
