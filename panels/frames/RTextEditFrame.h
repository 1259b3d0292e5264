#pragma once
// The edit frame of a text on the page ('tTXT'). An editable text carries a coloured move bar
// along the top of its frame, by which it is dragged; a resize into which the text no longer
// fits is refused with the refusal sound, and the frame never gets smaller than one line of
// the text's font.
#include "panels/frames/REditFrame.h"

namespace Ostrel {

class RTextPageObject;

constexpr i16 kMoveBarHeight = 10;
constexpr u16 kFrameRefusalSound = 31503;

class RTextEditFrame : public REditFrame {
public:
    // The move bar keeps to the canvas: the frame's canvas loses its top strip.
    explicit RTextEditFrame(FrameHost& host);

    // Frames a text object; 1 (nothing made) for an object of another kind. `editable`: the
    // text can be edited, and the frame has a move bar.
    u16 AttachText(RPageObject* object, u16 editable);
    u16 Attach(RPageObject* object, u16 flag) override { return AttachText(object, flag); }
    bool IsEditable() const { return editable_ != 0; }
    Rect16 GetRect() const override;
    bool WriteBack(const Rect16& frame) override;
    // Whether the text lays out inside the text rectangle `text` (screen coordinates).
    bool Fits(const Rect16& text) const;
    // A press on an editable text moves it only by the move bar.
    bool HitMove(Point16 point) const override;
    // The text grew or shrank as it was edited: the handles go with it.
    void FollowText();

protected:
    Point16 MinimumSize() const override;
    void ApplyResize() override;
    void DrawOutline(const Rect16& frame) const override;

private:
    RTextPageObject* Text() const;
    // The text rectangle for a frame rectangle.
    Rect16 TextRectOf(const Rect16& frame) const;
    u16 editable_ = 1;
};

}  // namespace Ostrel
