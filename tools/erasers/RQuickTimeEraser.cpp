#include "tools/erasers/RQuickTimeEraser.h"

#include <array>

namespace {

// The erasers in index order: every transition but none, then the pushes.
constexpr std::array<TransitionKind, kToolIdLastMovieEraser - kToolIdFirstMovieEraser + 1> kKinds = {
    TransitionKind::Fade,     TransitionKind::WipeLeft, TransitionKind::WipeRight, TransitionKind::WipeUp,
    TransitionKind::WipeDown, TransitionKind::Iris,     TransitionKind::Dissolve,  TransitionKind::Slide,
    TransitionKind::Zoom,     TransitionKind::Blinds,   TransitionKind::Checkers,  TransitionKind::PushLeft,
    TransitionKind::PushUp,
};

TransitionKind kindOf(i16 index) {
    if (index < kToolIdFirstMovieEraser || index > kToolIdLastMovieEraser) return TransitionKind::Fade;
    return kKinds[size_t(index - kToolIdFirstMovieEraser)];
}

}  // namespace

RQuickTimeEraser::RQuickTimeEraser(CListener* owner, i16 index)
    : RDestructo(owner, index, kEffectRunnerSteps), kind_(kindOf(index)) {}

void RQuickTimeEraser::PaintFrame(ToolCanvas& canvas, u16 frame, Point16 origin) {
    const PixelView& picture = canvas.Picture();
    if (frame == 1) {
        PixelView white = pixelViewOfBuffer(white_, picture.width, picture.height);
        white.Fill(kRgb555White);
        runner_.Start(kind_, picture, white, picture, origin);
    }
    runner_.Step();
    if (frame >= FrameCount()) {
        // Whatever the runner drew, the last frame leaves the page white.
        picture.Fill(kRgb555White);
        runner_.Dispose();
        std::vector<u16>().swap(white_);
    }
    canvas.MarkChanged(picture.Bounds());
}
