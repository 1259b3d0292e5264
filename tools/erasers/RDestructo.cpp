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

Rect16 RDestructo::Step() {
    if (!busy_) return Rect16{0, 0, 0, 0};
    ToolCanvas canvas(picture_, picture_);
    ++frame_;
    PaintFrame(canvas, frame_, origin_);
    if (frame_ == frames_) {
        busy_ = false;
        if (owner_) PostMessageTo(owner_, kDestructoFinished);
    }
    return canvas.Changed();
}
