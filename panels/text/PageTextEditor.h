#pragma once
// The page text editor at work on one text object of the canvas's page. The editor lays the
// text out in page coordinates, in the object's rectangle, growing down to the canvas's
// bottom; each change goes into the object (its text with its style runs), which the
// canvas draws, and a sprite of its own shows the caret or the selection over it. A move or
// resize of the object's frame is followed before the next edit. User-interface thread only.
#include <memory>

#include "text/editor/RTEditor.h"
#include "text/measure/StyleFonts.h"

struct SprSprite;

namespace Ostrel {

class FrameHost;
class RTextPageObject;
class UndoManager;

constexpr u32 kCaretBlinkMs = 500;

class PageTextEditor : public TextHost {
public:
    // The editor starts with the object's styled text, the caret at its end.
    PageTextEditor(FrameHost& host, RTextPageObject& object, UndoManager& undo);
    ~PageTextEditor() override;
    PageTextEditor(const PageTextEditor&) = delete;
    PageTextEditor& operator=(const PageTextEditor&) = delete;

    RTEditor& Editor() { return *editor_; }
    const RTEditor& Editor() const { return *editor_; }
    RTextPageObject& Object() const { return object_; }
    bool Empty() const;
    // Whether the shown page still holds the object (a page opened or an undo may have taken
    // it away; then nothing may touch it).
    bool OnPage() const;
    // The editor's rectangle becomes the object's again after its frame moved it.
    void FollowObject();
    // The object takes the editor's text, style and rectangle; the canvas shows it again.
    void Store();
    Point16 ToPage(Point16 screen) const;
    // A style for the selection, or at the caret for what is typed next (an empty text takes
    // it as its own): false when the text would not fit.
    bool ApplyStyle(const TextStyle& style);
    // The caret blinks; the selection shows steadily.
    void Tick(u32 now);
    void ShowMarks(bool show);

    void PlaySound(u16 soundId) override;
    void TellPasteTooLong() override;
    void MarkStale() override { stale_ = true; }
    void Invalidate(const Rect16&) override { stale_ = true; }
    bool Stale() const { return stale_; }

private:
    static void DrawMarks(SprSprite* sprite);
    Rect16 ScreenRect(const Rect16& page) const;
    void PlaceSprite();

    FrameHost& host_;
    RTextPageObject& object_;
    StyleFonts fonts_;
    std::unique_ptr<RTEditor> editor_;
    u16 sprite_ = 0;
    bool stale_ = false;
    bool marksShown_ = true;
    bool caretOn_ = true;
    u32 lastBlink_ = 0;
};

}  // namespace Ostrel
