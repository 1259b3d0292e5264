#include "platform/gdi/DeviceContext.h"

#include <cstdlib>

namespace plat::gdi {

namespace {

// Rounds half away from zero, as the mapping of coordinates does.
int32_t divRound(int64_t num, int64_t den) {
    if (den == 0) return 0;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return int32_t(num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den));
}

}  // namespace

std::unique_ptr<DeviceContext> DeviceContext::createMemory() {
    return std::unique_ptr<DeviceContext>(new DeviceContext(ContextKind::Memory, nullptr));
}

std::unique_ptr<DeviceContext> DeviceContext::createForSurface(ContextKind kind, Surface& surface) {
    return std::unique_ptr<DeviceContext>(new DeviceContext(kind, &surface));
}

std::unique_ptr<DeviceContext> DeviceContext::createInformation() {
    return std::unique_ptr<DeviceContext>(new DeviceContext(ContextKind::Information, nullptr));
}

Surface* DeviceContext::selectSurface(Surface* surface) {
    if (kind_ != ContextKind::Memory) return nullptr;
    Surface* previous = surface_;
    surface_ = surface;
    return previous;
}

int DeviceContext::save() {
    saved_.push_back(state_);
    return int(saved_.size());
}

bool DeviceContext::restore(int level) {
    int depth = int(saved_.size());
    int target = level < 0 ? depth + level + 1 : level;
    if (level == 0 || target < 1 || target > depth) return false;
    state_ = saved_[size_t(target - 1)];
    saved_.resize(size_t(target - 1));
    return true;
}

bool DeviceContext::pureTranslation() const {
    return state_.mapMode == MapMode::Text || (state_.windowExt == state_.viewportExt);
}

Point DeviceContext::toDevice(Point p) const {
    const ContextState& s = state_;
    if (pureTranslation())
        return {p.x - s.windowOrg.x + s.viewportOrg.x, p.y - s.windowOrg.y + s.viewportOrg.y};
    return {divRound(int64_t(p.x - s.windowOrg.x) * s.viewportExt.x, s.windowExt.x) + s.viewportOrg.x,
            divRound(int64_t(p.y - s.windowOrg.y) * s.viewportExt.y, s.windowExt.y) + s.viewportOrg.y};
}

Point DeviceContext::toLogical(Point p) const {
    const ContextState& s = state_;
    if (pureTranslation())
        return {p.x - s.viewportOrg.x + s.windowOrg.x, p.y - s.viewportOrg.y + s.windowOrg.y};
    return {divRound(int64_t(p.x - s.viewportOrg.x) * s.windowExt.x, s.viewportExt.x) + s.windowOrg.x,
            divRound(int64_t(p.y - s.viewportOrg.y) * s.windowExt.y, s.viewportExt.y) + s.windowOrg.y};
}

Rect DeviceContext::toDevice(const Rect& r) const {
    Point a = toDevice(Point{r.left, r.top});
    Point b = toDevice(Point{r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

int32_t DeviceContext::widthToDevice(int32_t w) const {
    if (pureTranslation()) return w;
    return std::abs(divRound(int64_t(w) * state_.viewportExt.x, state_.windowExt.x));
}

Region DeviceContext::toDevice(const Region& logical) const {
    if (pureTranslation()) {
        Region r = logical;
        Point o = toDevice(Point{0, 0});
        r.offset(o.x, o.y);
        return r;
    }
    Region out;
    for (const Rect& rect : logical.rects())
        out = Region::combine(out, Region(toDevice(rect).normalized()), CombineOp::Or);
    return out;
}

void DeviceContext::selectClip(const Region* deviceRegion) {
    if (deviceRegion) state_.clip = *deviceRegion;
    else state_.clip.reset();
}

void DeviceContext::intersectClipRect(const Rect& logical) {
    Region r(toDevice(logical).normalized());
    if (state_.clip) state_.clip = Region::combine(*state_.clip, r, CombineOp::And);
    else if (surface_) state_.clip = Region::combine(Region(surface_->bounds()), r, CombineOp::And);
    else state_.clip = r;
}

Region DeviceContext::drawableArea() const {
    if (!surface_) return {};
    Region bounds(surface_->bounds());
    return state_.clip ? Region::combine(bounds, *state_.clip, CombineOp::And) : bounds;
}

const Palette* DeviceContext::selectPalette(const Palette* palette) {
    const Palette* previous = state_.palette;
    state_.palette = palette;
    return previous;
}

Rgb DeviceContext::rgbOf(ColorRef color) const {
    switch (colorKind(color)) {
    case kColorKindPaletteIndex: {
        const Palette& p = palette();
        uint16_t i = colorIndex(color);
        return i < p.size() ? p.entry(i).rgb() : p.entry(0).rgb();
    }
    case kColorKindTableIndex:
        if (surface_ && surface_->indexed()) return surface_->rgbOf(colorIndex(color) & surface_->valueMask());
        return palette().entry(colorIndex(color) < palette().size() ? colorIndex(color) : 0).rgb();
    default: return colorRgb(color);
    }
}

uint32_t DeviceContext::resolve(ColorRef color) const {
    if (!surface_) return 0;
    if (surface_->indexed()) {
        uint32_t kind = colorKind(color);
        if (kind == kColorKindTableIndex) return colorIndex(color) & surface_->valueMask();
        if (kind == kColorKindPaletteIndex) {
            // Where the colour table mirrors the palette, the index lands unchanged.
            uint16_t i = colorIndex(color);
            if (i < surface_->colorTable().size() && i < palette().size() &&
                surface_->colorTable()[i] == palette().entry(i).rgb())
                return i;
        }
    }
    return surface_->valueOf(rgbOf(color));
}

}  // namespace plat::gdi
