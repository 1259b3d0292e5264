#include "media/objects/RMovie.h"

#include <algorithm>

RMovie::~RMovie() { records_.clear(); }

Rect16 RMovie::ToScreen(const Ostrel::PageRect& r) const {
    return {i16(r.left + area_.left), i16(r.top + area_.top), i16(r.right + area_.left), i16(r.bottom + area_.top)};
}

Ostrel::PageRect RMovie::ToPage(const Rect16& r) const {
    return {i16(r.left - area_.left), i16(r.top - area_.top), i16(r.right - area_.left), i16(r.bottom - area_.top)};
}

void RMovie::Draw(MovieObj* record, i16 x, i16 y, GfxPort* port) {
    if (record) record->DrawWorld(x, y, area_, port ? port : port_);
}

void RMovie::MoveMovie(MovieObj* record, const Rect16& rect) {
    if (!record) return;
    const Rect16 size{0, 0, i16(rect.right - rect.left), i16(rect.bottom - rect.top)};
    MovieObjSetBounds(record, rect);
    if (rectEqual(size, record->movieRect_)) return;
    // The movie draws its pictures at the new size into a new world; a stopped movie shows
    // the picture of its time again.
    record->movieRect_ = size;
    record->OpenMovie();
    qtMoviesTask(record->movie_.get(), 0);
}

void RMovie::RemoveMovie(MovieObj* record) {
    std::erase_if(records_, [record](const auto& held) { return held.get() == record; });
}

void RMovie::RemoveOrphans() {
    std::erase_if(records_, [](const auto& held) { return held->object() == nullptr; });
}
