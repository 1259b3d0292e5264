#pragma once
// The editor of a text object on a page. Every change is tried on a copy of the whole styled
// text and kept only when the copy still lays out within 128 lines and above the limit
// rectangle's bottom (the bounds grow down to it); a refused change plays the refusal sound
// and leaves everything as it was. One undo step is held with the program's undo manager.
#include <memory>
#include <string>

#include "framework/messaging/CListener.h"
#include "text/host/TextHost.h"
#include "text/layout/TextLayout.h"

namespace Ostrel {
class UndoManager;
}

constexpr u32 kEditorBlinkMs = 600;

class RTEditor : public CListener {
public:
    RTEditor(TextHost& host, CharMeasurer& measurer, Ostrel::UndoManager& undo);
    ~RTEditor() override;

    // Once only: the bounds and the limit start as the rectangle.
    void Init(const Rect16& rect);
    void SetBounds(const Rect16& limit) { limit_ = limit; }
    void SetText(std::unique_ptr<StyledText> text);
    std::string CopyPlainText() const { return text_ ? text_->Text() : std::string(); }
    void SetSelection(u16 from, u16 to);
    // False, with nothing changed, when the text does not fit the rectangle.
    bool SetRect(const Rect16& rect, bool redraw);
    void Activate();
    void Deactivate();
    // Draws into the current port (show), or asks for a redraw (not show).
    void Draw(bool show, bool erase);
    // The text laid out in another rectangle, for pictures of the object.
    void DrawAt(const Rect16& rect);
    void BlinkCaret(u32 nowMs) { DrawCaret(true, nowMs); }
    void EnableCaret(bool enabled) { caretEnabled_ = enabled; }

    bool HandleKey(u32 key);
    bool ReplaceSelection(const char* text, u16 count, bool record);
    bool ApplyStyle(const TextStyle& style, bool redraw, bool record);
    void SetJustification(i32 value, bool redraw, bool record);
    void CopyToClipboard();
    void Cut();
    bool Paste();
    void RecordUndo(FourCC kind);
    u32 HandleMessage(Ostrel::RMessage* message, uintptr_t data) override;

    void OnMouseDown(Point16 point, bool extend);
    void OnMouseDrag(Point16 point);
    void OnMouseUp() { mouseDown_ = false; }
    void SelectWordAtCaret();
    // What the text panel shows for the selection.
    TextStyle GetCurrentStyle() const;

    // Returns the previous value.
    bool SetModified(bool modified);
    const StyledText* Text() const { return text_.get(); }
    const TextLayout* Layout() const { return layout_.get(); }
    const Rect16& Bounds() const { return bounds_; }
    bool Grew() const { return grew_; }
    FourCC UndoKind() const { return undoKind_; }
    const Rect16& CaretRect() const { return caretRect_; }

private:
    static void ReleaseStep(CListener* owner, FourCC code);
    // Whether a trial layout may replace the current one, growing the bounds when it must.
    bool Accept(const TextLayout& trial, const StyledText& copy);
    void Commit(std::unique_ptr<StyledText> copy, std::unique_ptr<TextLayout> trial);
    void Relayout();
    void RefreshCaret();
    void EraseCaret();
    void DrawCaret(bool timed, u32 nowMs);
    void TypeChar(u8 c);
    void DeleteKey(u8 key);
    void ExtendSelectionTo(u16 index);
    bool Refuse();

    TextHost& host_;
    CharMeasurer& measurer_;
    Ostrel::UndoManager& undo_;
    bool modified_ = false;
    bool suppressed_ = false;
    Rect16 bounds_{0, 0, 0, 0};
    Rect16 limit_{0, 0, 0, 0};
    bool mouseDown_ = false;
    u16 anchor_ = 0;
    i16 dragDirection_ = 0;
    bool active_ = false;
    bool initialised_ = false;
    bool grew_ = false;
    std::unique_ptr<StyledText> text_;
    std::unique_ptr<StyledText> snapshot_;
    std::unique_ptr<TextLayout> layout_;
    FourCC undoKind_;
    u32 lastBlink_ = 0;
    bool caretDrawn_ = false;
    Rect16 caretRect_ = kLayoutNoRect;
    bool blinkPhase_ = false;
    bool caretEnabled_ = true;
};
