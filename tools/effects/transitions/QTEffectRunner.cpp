#include "tools/effects/transitions/QTEffectRunner.h"

#include <algorithm>

namespace {

bool empty(const PixelView& v) { return !v.top || v.width <= 0 || v.height <= 0; }

PixelView copyOf(const PixelView& source, std::vector<u16>& pixels) {
    PixelView view = pixelViewOfBuffer(pixels, source.width, source.height);
    view.CopyRectFrom(source, source.Bounds());
    return view;
}

}  // namespace

bool QTEffectRunner::Start(TransitionKind kind, const PixelView& from, const PixelView& to, const PixelView& out,
                           Point16 centre) {
    Dispose();
    if (empty(from) || empty(to) || empty(out) || from.width != out.width || from.height != out.height ||
        to.width != out.width || to.height != out.height)
        return false;
    fromView_ = copyOf(from, from_);
    toView_ = copyOf(to, to_);
    kind_ = kind;
    out_ = out;
    centre_ = centre;
    done_ = 0;
    running_ = true;
    return true;
}

bool QTEffectRunner::Step() {
    if (!running_) return false;
    ++done_;
    transitionStep(kind_, u32(u64(kTransitionFull) * done_ / steps_), fromView_, toView_, out_, centre_);
    if (done_ == steps_) running_ = false;
    return true;
}

bool QTEffectRunner::StepFor(u32 elapsed, u32 duration) {
    if (!running_) return false;
    const u64 due =
        duration == 0 ? steps_ : std::clamp<u64>(u64(elapsed) * steps_ / duration, 1, steps_);
    if (done_ >= due) return false;
    // Each step is drawn from the two pictures alone: the ones passed over need not be drawn.
    done_ = u16(due - 1);
    return Step();
}

void QTEffectRunner::SetStepCount(u16 steps) {
    if (!running_) steps_ = std::max<u16>(steps, 1);
}

void QTEffectRunner::Dispose() {
    running_ = false;
    done_ = 0;
    std::vector<u16>().swap(from_);
    std::vector<u16>().swap(to_);
    fromView_ = toView_ = out_ = PixelView{};
}
