#pragma once
// The one-line name field of the name-entry dialogs (the login, the name and sound-name
// dialogs): a dialog text field shown by its own sprite on a rectangle of the dialog's layout,
// the legal alphabet that typing is held to, and the name as the dialog accepts it. Keys are
// checked as keys: editing and caret keys always pass, a typed character only when it is in
// the alphabet; the whole text is checked again when the name is taken, so pasted text cannot
// slip a character past the alphabet. User-interface thread only.
#include <memory>
#include <string>

#include "engine/gfx/GfxColor.h"
#include "engine/regions/Rects.h"
#include "framework/input/RInputObject.h"
#include "text/field/voTextEdit.h"
#include "text/measure/StyleFonts.h"

namespace Ostrel {

class UndoManager;

constexpr u16 kNameFieldFontSize = 16;
// The text field's sound for a key it refuses.
constexpr u16 kNameRefusedSound = kTextRefusalSound;

// What became of a key.
enum class NameKey : u8 {
    Refused,  // not in the alphabet: the refusal sound played, nothing changed
    Edited,   // the field took it
    Ignored,  // the field did not take it
};

class DialogNameField {
public:
    explicit DialogNameField(UndoManager& undo);
    ~DialogNameField();
    DialogNameField(const DialogNameField&) = delete;
    DialogNameField& operator=(const DialogNameField&) = delete;

    // Starts the field on `rect` in the application's dialog font of `size` and `colour`,
    // holding at most `maxLength` characters, with `text` all selected.
    void Begin(const Rect16& rect, const GfxColor& colour, u16 size, u16 maxLength, const std::string& text);
    // The characters that may be typed (cp1252 bytes); empty allows every printable one.
    void SetAlphabet(std::string alphabet) { alphabet_ = std::move(alphabet); }
    const std::string& Alphabet() const { return alphabet_; }
    bool IsLegal(u8 character) const;
    // A name every character of which is legal.
    bool IsLegalName(const std::string& name) const;

    NameKey HandleKey(u32 key);
    // A press in the field: the caret goes there (a double press selects the word).
    void MouseDown(Point16 point, bool doubleClick);
    void MouseDrag(Point16 point);
    void MouseUp();
    // The whole text back in the field, caret at its end, field inactive.
    void Restore();
    void SetText(const std::string& text);
    void SelectAll();
    void Clear();
    void Blink(u32 nowMs);

    const std::string& Text() const;
    // The text without leading and trailing blanks; empty when nothing else is left.
    std::string TrimmedText() const;
    const Rect16& Rect() const { return rect_; }
    // The one line sits in the middle of its box rather than at its top (a short number in a
    // tall well).
    void CentreLine();
    voTextEdit& Field() { return *field_; }

private:
    StyleFonts fonts_;
    std::unique_ptr<voTextEdit> field_;
    std::string alphabet_;
    Rect16 rect_{0, 0, 0, 0};
};

}  // namespace Ostrel
