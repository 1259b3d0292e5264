#include "tools/erasers/RDestructo.h"

#include <algorithm>

#include "tools/base/RTool.h"

RDestructo::RDestructo(CListener* owner, i16 index, u16 frames)
    : Ostrel::RSender(kDestructoTag), owner_(owner), index_(index), frames_(std::max<u16>(frames, 1)) {}

u16 RDestructo::GetIconId() const { return u16(kToolIconBase + index_); }

u16 RDestructo::Start(const Rect16& canvasRect, const PixelView& picture) {
    if (busy_ || rectIsEmpty(canvasRect) || !picture.top || picture.width <= 0 || picture.height <= 0)
        return kDestructoNotStarted;
    canvasRect_ = canvasRect;
    picture_ = picture;
    origin_ = Point16{i16(picture.width / 2), i16(picture.height / 2)};
    frame_ = 0;
    busy_ = true;
    return kDestructoStarted;
}

void RDestructo::Trigger(Point16 p) {
    origin_ = Point16{i16(std::clamp<i32>(p.h - canvasRect_.left, 0, picture_.width - 1)),
                      i16(std::clamp<i32>(p.v - canvasRect_.top, 0, picture_.height - 1))};
}

Rect16 RDestructo::Step(u32 now) {
    if (!busy_) return Rect16{0, 0, 0, 0};
    if (frame_ == 0) start_ = now;
    // A clock that went back shows the frame that is due again, no other.
    const u32 elapsed = now >= start_ ? now - start_ : 0;
    return PaintThrough(u16(std::min<u32>(frames_, 1 + elapsed / kDestructoFrameMs)));
}

Rect16 RDestructo::Finish() { return busy_ ? PaintThrough(frames_) : Rect16{0, 0, 0, 0}; }

Rect16 RDestructo::PaintThrough(u16 last) {
    ToolCanvas canvas(picture_, picture_);
    while (frame_ < last) PaintFrame(canvas, ++frame_, origin_);
    if (frame_ == frames_) {
        busy_ = false;
        if (owner_) PostMessageTo(owner_, kDestructoFinished);
    }
    return canvas.HasChanged() ? canvas.Changed() : Rect16{0, 0, 0, 0};
}
