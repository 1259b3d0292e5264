#pragma once
// The text of a page text object: cp1252 characters (a line break is one CR), a selection, a
// justification and style runs over a default style. Editors change a copy and keep it only
// when it still fits, and undo keeps whole copies, so the value is copied freely.
#include <string>

#include "text/style/StyleRuns.h"

constexpr u16 kStyledTextMaxLength = 32000;
// A range end meaning "to the end of the text".
constexpr u16 kStyledTextWhole = 0xFFFF;
constexpr u8 kCharCR = 13;

constexpr i32 kJustifyLeft = -1;
constexpr i32 kJustifyCentre = 0;
constexpr i32 kJustifyRight = 1;

class StyledText {
public:
    // Starts from the current text style; `text` is taken when it holds 1 to 32000 characters.
    StyledText(const char* text = nullptr, u16 length = 0);
    // The characters [from, min(to, length)) with their runs; the selection survives only a
    // whole copy.
    StyledText(const StyledText& source, u16 from, u16 to);

    // False, with nothing changed, when the result would be longer than 32000 characters.
    bool ReplaceSelection(const char* text, u16 count);
    void SetSelection(u16 from, u16 to);
    // Backspace (negative) and Delete (positive) on a caret widen the selection first.
    void ExtendSelection(i32 delta);
    void MoveCaret(i32 delta);
    void SelectWord();
    // On an empty selection the style waits at the caret for the next typed character.
    void ApplyStyle(const TextStyle& style);

    // Empty when the selection (or the text) is empty.
    std::string GetSelectedText() const;
    const std::string& Text() const { return text_; }
    u16 Length() const { return u16(text_.size()); }
    // False for an index at or past the end.
    bool CharAt(u16 index, u8* out) const;
    bool CharAndStyleAt(u16 index, u8* out, TextStyle* style) const;

    u16 SelectionStart() const { return selStart_; }
    u16 SelectionEnd() const { return selEnd_; }
    bool SelectionEmpty() const { return selStart_ == selEnd_; }
    i32 Justification() const { return justification_; }
    void SetJustification(i32 value) { justification_ = value; }
    StyleRuns& Runs() { return runs_; }
    const StyleRuns& Runs() const { return runs_; }

private:
    // Stores a changed selection and forgets a style chosen at the old caret.
    void StoreSelection(u16 start, u16 end);

    std::string text_;
    u16 selStart_ = 0;
    u16 selEnd_ = 0;
    i32 justification_ = kJustifyLeft;
    StyleRuns runs_;
};
