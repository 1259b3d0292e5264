#include "platform/display/DirectSurfaces.h"

#include <algorithm>
#include <cstring>

namespace plat {

DirectSurface::DirectSurface(DirectSurfaceService& service, int32_t width, int32_t height, int bits,
                             SurfacePlace place, WindowHandle window)
    : service_(&service), width_(width), height_(height), bits_(bits), place_(place), window_(window),
      generation_(service.generation_), mode_(service.driver_.currentMode()) {
    service_->surfaces_.push_back(this);
}

bool DirectSurface::modeChanged() const { return service_ && service_->driver_.currentMode() != mode_; }

DirectSurface::~DirectSurface() {
    if (service_) std::erase(service_->surfaces_, this);
}

gdi::Surface* DirectSurface::pixels() {
    if (lost()) return nullptr;
    if (!primary()) return own_.get();
    DisplayWindow* face = findDisplayWindow(window_);
    return face ? &face->surface() : nullptr;
}

SurfaceResult DirectSurface::lock(uint8_t** base, int32_t* pitch) {
    if (lost()) return SurfaceResult::Lost;
    gdi::Surface* surface = pixels();
    if (!surface) return SurfaceResult::Invalid;
    *base = surface->row(0);
    *pitch = surface->stride();
    locked_ = true;
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurface::unlock() {
    if (!locked_) return SurfaceResult::Invalid;
    locked_ = false;
    // Direct writes into the primary reach the screen when the lock ends.
    if (primary() && !lost())
        if (DisplayWindow* face = findDisplayWindow(window_)) face->present(face->clientRect());
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurface::restore() {
    if (!lost()) return SurfaceResult::Ok;
    if (!service_) return SurfaceResult::Invalid;
    if (generation_ != service_->generation_ || modeChanged()) return SurfaceResult::ModeChanged;
    lost_ = false;
    return SurfaceResult::Ok;
}

DirectSurfaceService::DirectSurfaceService(DisplayDriver& driver, DirectCapabilities capabilities)
    : driver_(driver), capabilities_(capabilities) {}

DirectSurfaceService::~DirectSurfaceService() {
    for (DirectSurface* surface : surfaces_) {
        surface->service_ = nullptr;
        surface->lost_ = true;
        surface->locked_ = false;
    }
}

SurfaceResult DirectSurfaceService::setCooperativeLevel(WindowHandle, bool exclusive) {
    if (exclusiveElsewhere_) return SurfaceResult::ExclusiveElsewhere;
    exclusive_ = exclusive;
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurfaceService::createPrimary(WindowHandle window, std::unique_ptr<DirectSurface>* out) {
    DisplayWindow* face = findDisplayWindow(window);
    if (!face) return SurfaceResult::Invalid;
    out->reset(new DirectSurface(*this, face->surface().width(), face->surface().height(),
                                 face->surface().bitsPerPixel(), SurfacePlace::LocalVideo, window));
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurfaceService::createOffscreen(int32_t width, int32_t height, int bits, SurfacePlace place,
                                                    std::unique_ptr<DirectSurface>* out) {
    if (bits != 8 && bits != 16 && bits != 24) return SurfaceResult::Unsupported;
    if (place == SurfacePlace::NonLocalVideo && !capabilities_.nonLocalVideo) return SurfaceResult::Unsupported;
    std::unique_ptr<gdi::Surface> memory = gdi::Surface::create(width, height, bits, gdi::RowOrder::TopDown);
    if (!memory) return SurfaceResult::Invalid;
    out->reset(new DirectSurface(*this, width, height, bits, place, kNoWindow));
    (*out)->own_ = std::move(memory);
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurfaceService::blit(DirectSurface& destination, const gdi::Rect& destinationRect,
                                         DirectSurface& source, const gdi::Rect& sourceRect) {
    if (destination.lost() || source.lost()) return SurfaceResult::Lost;
    if (destinationRect.width() != sourceRect.width() || destinationRect.height() != sourceRect.height() ||
        destination.bitsPerPixel() != source.bitsPerPixel())
        return SurfaceResult::Unsupported;
    gdi::Surface* to = destination.pixels();
    gdi::Surface* from = source.pixels();
    if (!to || !from) return SurfaceResult::Invalid;
    // Cut the pair of rectangles to both surfaces, keeping them aligned.
    gdi::Rect d = destinationRect.intersect(to->bounds());
    d = d.intersect(from->bounds().offset(destinationRect.left - sourceRect.left, destinationRect.top - sourceRect.top));
    if (d.empty()) return SurfaceResult::Ok;
    int32_t sx = sourceRect.left + (d.left - destinationRect.left), sy = sourceRect.top + (d.top - destinationRect.top);
    size_t bytesPerPixel = size_t(to->bitsPerPixel() / 8);
    // Within one surface, rows moving down are copied from the bottom so that none is
    // overwritten before it is read.
    bool upward = to == from && sy < d.top;
    for (int32_t k = 0; k < d.height(); ++k) {
        int32_t y = upward ? d.height() - 1 - k : k;
        std::memmove(to->row(d.top + y) + size_t(d.left) * bytesPerPixel,
                     from->row(sy + y) + size_t(sx) * bytesPerPixel, size_t(d.width()) * bytesPerPixel);
    }
    if (destination.primary())
        if (DisplayWindow* face = findDisplayWindow(destination.window_)) face->present(d);
    return SurfaceResult::Ok;
}

SurfaceResult DirectSurfaceService::setDisplayMode(const DisplayMode& mode) {
    if (!exclusive_) return SurfaceResult::NoExclusiveMode;
    if (!driver_.changeMode(mode, false)) return SurfaceResult::Unsupported;
    loseSurfaces(true);
    return SurfaceResult::Ok;
}

void DirectSurfaceService::loseSurfaces(bool modeChanged) {
    if (modeChanged) ++generation_;
    for (DirectSurface* surface : surfaces_) {
        surface->lost_ = true;
        surface->locked_ = false;
    }
}

}  // namespace plat
