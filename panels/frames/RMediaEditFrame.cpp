#include "panels/frames/RMediaEditFrame.h"

#include "engine/gfx/GfxDraw.h"

namespace Ostrel {

namespace {

void fillOn(Rect16 r, const Rect16& canvas, const GfxColor& colour) {
    if (rectIntersect(&r, canvas)) gfxFillRect(r, colour, 0);
}

// A triangle pointing right, filling `r` row by row from its left edge.
void fillTriangle(const Rect16& r, const Rect16& canvas, const GfxColor& colour) {
    const i16 height = i16(r.bottom - r.top), half = i16(height / 2);
    for (i16 y = 0; y < height; ++y) {
        const i16 reach = i16((half - (y < half ? half - y : y - half)) * (r.right - r.left) / (half ? half : 1));
        fillOn({r.left, i16(r.top + y), i16(r.left + reach), i16(r.top + y + 1)}, canvas, colour);
    }
}

}  // namespace

u16 RMediaEditFrame::Attach(RPageObject* object, u16 flag) {
    playing_ = 0;
    return REditFrame::Attach(object, flag);
}

Rect16 RMediaEditFrame::GetRect() const {
    if (!Object()) return {0, 0, 0, 0};
    Rect16 frame = ToScreen(Object()->rect);
    rectInset(&frame, -1, -1);
    return frame;
}

bool RMediaEditFrame::WriteBack(const Rect16& frame) {
    if (!Object()) return false;
    Rect16 inside = frame;
    rectInset(&inside, 1, 1);
    Object()->rect = ToPage(inside);
    Object()->changed = true;
    if (HasMedia()) PlaceMedia(inside);
    Host().ObjectsChanged();
    PlaceHandles(GetRect());
    return true;
}

bool RMediaEditFrame::CornerIsHandle(i16 index) const {
    return index == kHandleTopLeft || index == kHandleBottomRight;
}

Rect16 RMediaEditFrame::CornerRect(const Rect16& frame, i16 index) const {
    if (index == kHandleBottomLeft)
        return {frame.left, frame.bottom, i16(frame.left + kMediaButtonSize), i16(frame.bottom + kMediaButtonSize)};
    if (index == kHandleTopRight)
        return {frame.right, frame.top, i16(frame.right + kMediaButtonSize), i16(frame.top + kMediaButtonSize)};
    return REditFrame::CornerRect(frame, index);
}

void RMediaEditFrame::DrawCorner(i16 index, const Rect16& bounds) const {
    if (CornerIsHandle(index)) {
        REditFrame::DrawCorner(index, bounds);
        return;
    }
    const Rect16& canvas = CanvasLimit();
    const GfxColor black = GfxColor::rgb(0, 0, 0);
    fillOn(bounds, canvas, black);
    Rect16 face = bounds;
    rectInset(&face, 1, 1);
    fillOn(face, canvas, GfxColor::rgb(255, 255, 204));
    Rect16 mark = bounds;
    rectInset(&mark, 4, 3);
    if (!MediaMoves()) {
        // One picture: the buttons flip it, across (the step button) or upside down (play).
        const i16 middle = i16((mark.left + mark.right) / 2), centre = i16((mark.top + mark.bottom) / 2);
        if (index == kHandleTopRight)
            fillOn({mark.left, i16(centre - 1), mark.right, i16(centre + 1)}, canvas, black);
        else
            fillOn({i16(middle - 1), mark.top, i16(middle + 1), mark.bottom}, canvas, black);
        return;
    }
    if (index == kHandleBottomLeft && playing_) {
        fillOn(mark, canvas, black);
        return;
    }
    if (index == kHandleTopRight) {
        // Step: a triangle and a bar.
        fillTriangle({mark.left, mark.top, i16(mark.right - 3), mark.bottom}, canvas, black);
        fillOn({i16(mark.right - 2), mark.top, mark.right, mark.bottom}, canvas, black);
        return;
    }
    fillTriangle(mark, canvas, black);
}

u16 RMediaEditFrame::ContentClick(Point16 point) {
    if (!Object()) return kContentNone;
    const Rect16 frame = GetRect();
    const bool onStep = rectContainsPoint(CornerRect(frame, kHandleTopRight), point);
    const bool onPlay = !onStep && rectContainsPoint(CornerRect(frame, kHandleBottomLeft), point);
    if (!onStep && !onPlay) return kContentNone;
    if (!HasMedia()) return kContentHandled;
    if (!MediaMoves()) return OneFrameClick(onStep ? kHandleTopRight : kHandleBottomLeft);
    u16 answer = kContentHandled;
    if (onStep) {
        ClickOff();
        StepMedia();
    } else if (playing_ || MediaPlays()) {
        StopMedia();
        playing_ = 0;
        answer = kContentPlayStopped;
    } else {
        PlayMedia();
        playing_ = 1;
        answer = kContentPlayStarted;
    }
    // The buttons show what a press now does.
    PlaceHandles(GetRect());
    return answer;
}

void RMediaEditFrame::ClickOff() {
    if (!playing_) return;
    playing_ = 0;
    if (HasMedia()) StopMedia();
    PlaceHandles(GetRect());
}

}  // namespace Ostrel
