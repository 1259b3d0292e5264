#include "panels/frames/RMovieEditFrame.h"

#include "media/objects/RMovie.h"

namespace Ostrel {

MovieObj* RMovieEditFrame::Movie() const { return Object() ? dynamic_cast<MovieObj*>(Object()->Media()) : nullptr; }

bool RMovieEditFrame::MediaPlays() const { return Movie() && Movie()->playing(); }

void RMovieEditFrame::PlayMedia() {
    MovieObjPause(Movie());
    MovieObjPlay(Movie());
}

void RMovieEditFrame::StopMedia() {
    MovieObjStop(Movie());
    MovieObjPause(Movie());
}

void RMovieEditFrame::StepMedia() { MovieObjStep(Movie()); }

void RMovieEditFrame::PlaceMedia(const Rect16& inside) { Movie()->owner()->MoveMovie(Movie(), inside); }

}  // namespace Ostrel
