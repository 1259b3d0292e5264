#include "panels/frames/RFlashEditFrame.h"

#include "framework/undo/UndoManager.h"
#include "media/objects/RFlash.h"

namespace Ostrel {

FlashMovie* RFlashEditFrame::Movie() const {
    return Object() ? dynamic_cast<FlashMovie*>(Object()->Media()) : nullptr;
}

bool RFlashEditFrame::MediaPlays() const { return Movie() && Movie()->playing(); }

bool RFlashEditFrame::MediaMoves() const { return FlashMovieGetTiming(Movie(), nullptr, nullptr); }

void RFlashEditFrame::PlayMedia() {
    FlashMoviePause(Movie());
    FlashMoviePlay(Movie());
}

void RFlashEditFrame::StopMedia() {
    FlashMovieStop(Movie());
    FlashMoviePause(Movie());
}

void RFlashEditFrame::StepMedia() { FlashMovieStep(Movie()); }

void RFlashEditFrame::PlaceMedia(const Rect16& inside) { Movie()->owner()->MoveMovie(Movie(), inside); }

u16 RFlashEditFrame::OneFrameClick(i16 corner) {
    const u16 bits = corner == kHandleTopRight ? kFlipHorizontal : kFlipVertical;
    if (UndoManager* undo = Host().Undo()) undo->ReleaseCurrent();
    Object()->option ^= u32(bits) << kOptionFlipShift;
    Object()->changed = true;
    Movie()->owner()->SetFlips(Movie(), bits);
    Host().ObjectsChanged();
    return kContentHandled;
}

}  // namespace Ostrel
