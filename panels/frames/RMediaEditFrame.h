#pragma once
// The edit frame of an object that plays (an animation or a movie): the outline one pixel
// outside the object, handles at the top-left and bottom-right corners only, and two buttons
// in place of the other two: play (bottom-left) and step (top-right), each hanging off the
// frame from its corner. Play starts the media from its start and a second press stops it;
// step stops it and shows the next picture. A press that starts a move or a resize, and a
// click off the frame, stop what the play button started. A moved or resized object shows
// its media at the new place and size. The two kinds differ in the media they drive
// (RFlashEditFrame, RMovieEditFrame), whose destructors stop what the play button started.
#include "panels/frames/REditFrame.h"

namespace Ostrel {

// The buttons' size.
constexpr i16 kMediaButtonSize = 16;
// ContentClick's answers.
constexpr u16 kContentNone = 0;
constexpr u16 kContentHandled = 1;
constexpr u16 kContentPlayStarted = 2;
constexpr u16 kContentPlayStopped = 3;

class RMediaEditFrame : public REditFrame {
public:
    using REditFrame::REditFrame;

    u16 Attach(RPageObject* object, u16 flag) override;
    Rect16 GetRect() const override;
    bool WriteBack(const Rect16& frame) override;
    u16 ContentClick(Point16 point) override;
    void ClickOff() override;
    // Whether the play button started the media, which plays still.
    bool IsPlaying() const { return playing_ != 0; }

protected:
    bool CornerIsHandle(i16 index) const override;
    Rect16 CornerRect(const Rect16& frame, i16 index) const override;
    void DrawCorner(i16 index, const Rect16& bounds) const override;

    // What the kinds drive.
    virtual bool HasMedia() const = 0;
    virtual bool MediaPlays() const = 0;
    // More than one picture: the buttons play and step; else they do the kind's own (OneFrameClick).
    virtual bool MediaMoves() const = 0;
    virtual void PlayMedia() = 0;
    virtual void StopMedia() = 0;
    virtual void StepMedia() = 0;
    virtual void PlaceMedia(const Rect16& inside) = 0;
    virtual u16 OneFrameClick(i16) { return kContentNone; }

private:
    u16 playing_ = 0;
};

}  // namespace Ostrel
