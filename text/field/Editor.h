#pragma once
// A text field of the program's own dialogs: one font, size, style and colour for the whole
// text, lines wrapped inside a text rectangle that may grow within a fixed frame, limits on
// length and lines, its own undo record, and cut, copy and paste. It draws into the current
// port; the dialog that shows it passes keys, mouse events and the blink clock.
#include <string>

#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/CListener.h"
#include "text/field/FieldLayout.h"
#include "text/host/TextCommands.h"
#include "text/host/TextHost.h"

namespace Ostrel {
class UndoManager;
}

// A field's buffer holds 32000 bytes with the terminating NUL.
constexpr u16 kFieldMaxLength = 31999;
constexpr u32 kFieldBlinkMs = 600;
constexpr u32 kMsgColourChosen = 17647;

struct EditorUndoRecord {
    FourCC code = kTextStepNone;
    std::string text;
    u16 selStart = 0;
    u16 selEnd = 0;
    bool modified = false;
    TextStyle font;
    i32 justification = -1;
};

class Editor : public CListener {
public:
    Editor(TextHost& host, CharMeasurer& measurer, Ostrel::UndoManager& undo);
    ~Editor() override;

    // False when already begun. A maximum of 0 (or past the buffer) means the buffer's size.
    bool Begin(const Rect16& frame, const TextStyle& font, u16 maxLines, u16 maxLength, bool redraw);
    void SetText(const char* text, u16 length, bool redraw, bool markModified);
    const std::string& Text() const { return text_; }
    std::string GetSelectedText() const { return text_.substr(selStart_, selEnd_ - selStart_); }
    void SelectAll() { SetSelection(0, Length()); }
    // Only when from <= to <= length.
    void SetSelection(u16 from, u16 to);
    void Clear();

    // False, with the old font back and the refusal sound, when the text no longer fits.
    bool SetFont(const TextStyle& font, bool redraw, bool recordUndo);
    void SetColour(const GfxColor& colour, bool recordUndo);
    void SetJustification(i32 value, bool redraw, bool recordUndo);
    void SetTextRect(const Rect16& rect, bool redraw);
    void SetFrameRect(const Rect16& rect) { frame_ = rect; }

    // While it has the focus the field listens to `broadcaster` (null: none), where the main
    // window sends the edit commands (cut, copy, paste) its keys ask for.
    void ListenWhileActive(CBroadcaster* broadcaster);
    void SetFocus();
    void Deactivate();
    // Draws the lines into the current port, erasing the text rectangle first when asked.
    void Draw(bool erase);
    // The periodic call while the dialog runs; times in milliseconds. Inverts the caret on the
    // port as its phase turns.
    void BlinkCaret(u32 nowMs);
    // Turns the blink phase when its time has come; true when it turned.
    bool BlinkDue(u32 nowMs);
    // Whether a caret belongs in a picture of the field drawn now, and drawing it there.
    bool CaretShown() const { return active_ && blinkOn_ && selStart_ == selEnd_; }
    void DrawCaretShape() const;

    bool HandleKey(u32 key);
    void OnMouseDown(Point16 point, bool extend);
    void OnMouseDrag(Point16 point);
    void OnMouseUp() { mouseDown_ = false; }
    void OnDoubleClick(Point16 point);
    bool Copy();
    bool Cut();
    bool Paste();
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) override;

    u16 Length() const { return u16(text_.size()); }
    u16 SelectionStart() const { return selStart_; }
    u16 SelectionEnd() const { return selEnd_; }
    bool Modified() const { return modified_; }
    bool Grew() const { return grew_; }
    bool Active() const { return active_; }
    const Rect16& TextRect() const { return textRect_; }
    const TextStyle& Font() const { return font_; }
    i32 Justification() const { return justification_; }
    const FieldLayout& Layout() const { return layout_; }
    Point16 CaretPoint() const { return caret_; }

private:
    struct Saved {
        std::string text;
        u16 selStart, selEnd;
        bool modified;
        Rect16 textRect;
    };

    static void ReleaseStep(CListener* owner, FourCC code);
    void BeginStep(FourCC code);
    void RecordText();
    void ExchangeText(bool typing);
    void ExchangeFont();
    void ReplaceSelection(const std::string& chars, bool markModified);
    void Lay();
    // Grows the text rectangle to hold the text's end inside the frame; false when the text
    // does not fit (too many lines, or past the frame's bottom).
    bool FitOrGrow();
    // Deletes the selection; false, with `before` put back and the refusal sound, when the
    // text would take more lines than it fits. Removing a blank joins two words into one
    // that may no longer fit after the words before it and go down whole.
    bool DeleteSelection(const Saved& before);
    Saved Save() const { return Saved{text_, selStart_, selEnd_, modified_, textRect_}; }
    void Restore(const Saved& saved);
    bool Refuse();
    bool TypeChar(u8 c);
    void DeleteKey(u8 key);
    void ArrowKey(u8 key);
    void UpDown(bool down);
    void SelectAround(u16 index);
    void Redraw();
    void EraseCaret();
    void InvertCaret();
    // The caret's rectangle inside the text rectangle; empty when it lies outside.
    Rect16 CaretRect() const;

    TextHost& host_;
    CharMeasurer& measurer_;
    Ostrel::UndoManager& undo_;
    CBroadcaster* commands_ = nullptr;
    EditorUndoRecord record_;
    bool begun_ = false;
    bool active_ = false;
    bool newTypingStep_ = false;
    bool modified_ = false;
    bool grew_ = false;
    bool mouseDown_ = false;
    std::string text_;
    u16 selStart_ = 0;
    u16 selEnd_ = 0;
    Point16 caret_{0, 0};
    u32 lastBlink_ = 0;
    bool caretDrawn_ = false;
    bool blinkOn_ = true;
    bool blinkRestart_ = false;
    Rect16 frame_{0, 0, 0, 0};
    Rect16 textRect_{0, 0, 0, 0};
    TextStyle font_;
    i32 justification_ = -1;
    u16 maxLines_ = kFieldMaxLines;
    u16 maxLength_ = kFieldMaxLength;
    u16 anchor_ = 0;
    i16 dragDirection_ = 0;
    FieldLayout layout_;
};

// Removes leading and trailing blanks; false, with the text unchanged, when nothing else is left.
bool TrimBlanks(std::string& text);
