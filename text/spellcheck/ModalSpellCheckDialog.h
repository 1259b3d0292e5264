#pragma once
// The check dialog on the screen: the framework's modal dialog 129 over the main window, with
// the word not accepted, the replacement field, the suggestion list and the buttons stop (the
// default), skip, replace, and replace and add. Its texts come from [DialogsStrings] of the
// current language. User-interface thread only.
#include "framework/dialogs/mfxModalDialog.h"
#include "text/spellcheck/SpellCheckDialog.h"

constexpr u16 kSpellDialogTemplate = 129;
constexpr u16 kSpellItemStop = 3998;
constexpr u16 kSpellItemSkip = 3999;
constexpr u16 kSpellItemWord = 4000;
constexpr u16 kSpellItemWordLabel = 4001;
constexpr u16 kSpellItemReplacementLabel = 4002;
constexpr u16 kSpellItemReplacement = 4003;
constexpr u16 kSpellItemSuggestionsLabel = 4004;
constexpr u16 kSpellItemSuggestions = 4005;
constexpr u16 kSpellItemReplace = 4006;
constexpr u16 kSpellItemReplaceAndAdd = 4007;

class ModalSpellCheckDialog : public SpellCheckDialog {
public:
    explicit ModalSpellCheckDialog(mfxWindow* parent);

    // False when the template could not be read.
    bool Loaded() const { return dialog_.LoadError() == kErrNone; }

    void Show() override;
    void ShowWord(const std::string& word, const std::vector<std::string>& suggestions,
                  const std::string& replacement) override;
    void SetReplacement(const std::string& text) override;
    std::string Replacement() const override { return dialog_.GetItemText(kSpellItemReplacement); }
    SpellDialogEvent ModalStep() override;
    bool Ask(const std::string& question) override;
    void Inform(const std::string& message) override;

private:
    mfxModalDialog dialog_;
};
