#include "media/objects/RFlash.h"

#include <algorithm>

#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "media/objects/SwfHost.h"

RFlash::RFlash(GfxPort* port, const Rect16& area) : area_(area), port_(port) { InstallSwfHost(); }

RFlash::~RFlash() { movies_.clear(); }

Rect16 RFlash::ToScreen(const Ostrel::PageRect& r) const {
    return {i16(r.left + area_.left), i16(r.top + area_.top), i16(r.right + area_.left), i16(r.bottom + area_.top)};
}

Ostrel::PageRect RFlash::ToPage(const Rect16& r) const {
    return {i16(r.left - area_.left), i16(r.top - area_.top), i16(r.right - area_.left), i16(r.bottom - area_.top)};
}

void RFlash::Draw(FlashMovie* movie, GfxPort* port, const Rect16* rect) {
    if (!movie || movie->busy_ || !movie->holder_) return;
    GfxPort* target = port ? port : port_;
    if (!target) {
        const SprScreen* screen = sprScreen();
        target = screen ? screen->workPort : nullptr;
    }
    if (!target) return;
    const Point16 at{movie->displayRect_.left, movie->displayRect_.top};
    if (movie->holder_->Draw(target, at, rect ? *rect : area_) == 0) movie->drawn_ = 1;
}

void RFlash::MoveMovie(FlashMovie* movie, const Rect16& rect) {
    if (!movie) return;
    const bool resized = rect.right - rect.left != movie->displayRect_.right - movie->displayRect_.left ||
                         rect.bottom - rect.top != movie->displayRect_.bottom - movie->displayRect_.top;
    FlashMovieSetBounds(movie, rect);
    if (resized) movie->Rebuild();
}

void RFlash::SetFlips(FlashMovie* movie, u16 bits) {
    if (!movie || !movie->open_) return;
    if (bits & kFlipHorizontal) movie->flipH_ = movie->flipH_ ? 0 : -1;
    if (bits & kFlipVertical) movie->flipV_ = movie->flipV_ ? 0 : -1;
    movie->Rebuild();
}

std::unique_ptr<FlashMovie> RFlash::DetachMovie(FlashMovie* movie) {
    auto found = std::find_if(movies_.begin(), movies_.end(), [movie](const auto& held) { return held.get() == movie; });
    if (found == movies_.end()) return nullptr;
    std::unique_ptr<FlashMovie> out = std::move(*found);
    movies_.erase(found);
    return out;
}

void RFlash::RemoveMovie(FlashMovie* movie) { DetachMovie(movie).reset(); }

void RFlash::RemoveOrphans() {
    std::erase_if(movies_, [](const auto& held) { return held->object() == nullptr; });
}
