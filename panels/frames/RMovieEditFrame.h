#pragma once
// The edit frame of a movie ('tMOV'): its buttons play and step the movie.
#include "panels/frames/RMediaEditFrame.h"

class MovieObj;

namespace Ostrel {

class RMovieEditFrame : public RMediaEditFrame {
public:
    using RMediaEditFrame::RMediaEditFrame;
    ~RMovieEditFrame() override { ClickOff(); }

protected:
    bool HasMedia() const override { return Movie() != nullptr; }
    bool MediaPlays() const override;
    bool MediaMoves() const override { return true; }
    void PlayMedia() override;
    void StopMedia() override;
    void StepMedia() override;
    void PlaceMedia(const Rect16& inside) override;

private:
    MovieObj* Movie() const;
};

}  // namespace Ostrel
