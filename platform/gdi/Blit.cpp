#include "platform/gdi/Blit.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/Paint.h"

namespace plat::gdi {

namespace {

// Turns source values into destination values.
struct Converter {
    const Surface* src = nullptr;
    const Surface* dst = nullptr;
    bool identity = false;
    std::vector<uint32_t> table;  // indexed sources
    mutable uint32_t lastIn = 0xFFFFFFFF;
    mutable uint32_t lastOut = 0;

    uint32_t operator()(uint32_t v) const {
        if (identity) return v;
        if (!table.empty()) return table[v];
        if (v != lastIn) {
            lastIn = v;
            lastOut = dst->valueOf(src->rgbOf(v));
        }
        return lastOut;
    }
};

Converter surfaceConverter(const Surface& src, const Surface& dst) {
    Converter c;
    c.src = &src;
    c.dst = &dst;
    if (src.sameFormat(dst)) c.identity = true;
    else if (src.indexed())
        for (uint32_t i = 0; i < (1u << src.bitsPerPixel()); ++i) c.table.push_back(dst.valueOf(src.rgbOf(i)));
    return c;
}

Box deviceBox(const DeviceContext& dc, Box b) {
    Point a = dc.toDevice(Point{b.x, b.y});
    Point e = dc.toDevice(Point{b.x + b.w, b.y + b.h});
    return {a.x, a.y, e.x - a.x, e.y - a.y};
}

// Nearest source coordinate for destination step i of n over a source of m steps.
int32_t sampleStep(int32_t i, int32_t n, int32_t m) { return int32_t((int64_t(2 * i + 1) * m) / (2 * int64_t(n))); }

bool copyRowsDirect(Surface& dst, const Region& area, const Surface& src, int32_t ox, int32_t oy) {
    int bytes = dst.bitsPerPixel() / 8;
    if (bytes == 0) return false;
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y)
            for (uint32_t i = 0; i < band.count; ++i)
                std::memcpy(dst.row(y) + size_t(spans[i].left) * bytes, src.row(y + oy) + size_t(spans[i].left + ox) * bytes,
                            size_t(spans[i].right - spans[i].left) * bytes);
    }
    return true;
}

bool stretchSurface(DeviceContext& dstDc, Box dBox, const Surface& src, Box sBox, const Converter& convert, Rop3 rop) {
    Surface* dst = dstDc.surface();
    if (!dst) return false;
    Rect dRect = boxArea(dBox);
    Rect sRect = boxArea(sBox);
    if (dRect.empty() || sRect.empty()) return true;
    bool mirrorX = (dBox.w < 0) != (sBox.w < 0);
    bool mirrorY = (dBox.h < 0) != (sBox.h < 0);
    Region area = Region::combine(Region(dRect), dstDc.drawableArea(), CombineOp::And);
    uint8_t index = rop3Index(rop);
    bool sameSize = dRect.width() == sRect.width() && dRect.height() == sRect.height();
    if (rop == kRopSrcCopy && sameSize && !mirrorX && !mirrorY && convert.identity) {
        Region inside = Region::combine(area, Region(src.bounds().offset(dRect.left - sRect.left, dRect.top - sRect.top)),
                                        CombineOp::And);
        if (copyRowsDirect(*dst, inside, src, sRect.left - dRect.left, sRect.top - dRect.top)) return true;
    }
    BrushPixels pattern = rop3UsesPattern(rop) ? resolveBrush(dstDc, dstDc.state().brush) : BrushPixels{};
    uint32_t mask = dst->valueMask();
    // Source column of every destination column, -1 where it falls outside the source.
    std::vector<int32_t> columns(size_t(dRect.width()));
    for (int32_t i = 0; i < dRect.width(); ++i) {
        int32_t step = sampleStep(i, dRect.width(), sRect.width());
        int32_t sx = mirrorX ? sRect.right - 1 - step : sRect.left + step;
        columns[size_t(i)] = sx >= 0 && sx < src.width() ? sx : -1;
    }
    bool plainCopy16 = index == 0xCC && convert.identity && dst->bitsPerPixel() == 16;
    // Shrinking in the black-on-white or white-on-black mode keeps what the dropped pixels
    // held by ANDing or ORing every source pixel that falls on one destination pixel.
    StretchMode stretch = dstDc.state().stretchMode;
    bool combine = stretch != StretchMode::ColorOnColor && (sRect.width() > dRect.width() || sRect.height() > dRect.height());
    auto sample = [&](int32_t x, int32_t y, int32_t sx, int32_t sy) {
        uint32_t v = src.pixel(sx, sy);
        if (!combine) return v;
        auto range = [](int32_t i, int32_t n, int32_t m) {
            int32_t first = int32_t(int64_t(i) * m / n), last = int32_t(int64_t(i + 1) * m / n);
            return std::pair<int32_t, int32_t>{first, std::max(last, first + 1)};
        };
        // Steps whose source pixel lies on the source surface: a source box far larger than
        // the surface must not cost its whole area.
        auto onSource = [](int32_t first, int32_t end, bool mirror, int32_t size) {
            return mirror ? std::pair<int32_t, int32_t>{end - size, end} : std::pair<int32_t, int32_t>{-first, size - first};
        };
        auto [x0, x1] = range(x - dRect.left, dRect.width(), sRect.width());
        auto [y0, y1] = range(y - dRect.top, dRect.height(), sRect.height());
        auto [xLow, xHigh] = onSource(sRect.left, sRect.right, mirrorX, src.width());
        auto [yLow, yHigh] = onSource(sRect.top, sRect.bottom, mirrorY, src.height());
        for (int32_t j = std::max(y0, yLow); j < std::min(y1, yHigh); ++j)
            for (int32_t i = std::max(x0, xLow); i < std::min(x1, xHigh); ++i) {
                int32_t px = mirrorX ? sRect.right - 1 - i : sRect.left + i;
                int32_t py = mirrorY ? sRect.bottom - 1 - j : sRect.top + j;
                v = stretch == StretchMode::BlackOnWhite ? v & src.pixel(px, py) : v | src.pixel(px, py);
            }
        return v;
    };
    plainCopy16 = plainCopy16 && !combine;
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y) {
            int32_t step = sampleStep(y - dRect.top, dRect.height(), sRect.height());
            int32_t sy = mirrorY ? sRect.bottom - 1 - step : sRect.top + step;
            if (sy < 0 || sy >= src.height()) continue;
            for (uint32_t i = 0; i < band.count; ++i) {
                const int32_t* column = columns.data() - dRect.left;
                if (plainCopy16) {
                    // Borrowed pixel buffers need not be aligned: words move as bytes.
                    const uint8_t* from = src.row(sy);
                    uint8_t* to = dst->row(y);
                    for (int32_t x = spans[i].left; x < spans[i].right; ++x)
                        if (column[x] >= 0) std::memcpy(to + 2 * size_t(x), from + 2 * size_t(column[x]), 2);
                    continue;
                }
                for (int32_t x = spans[i].left; x < spans[i].right; ++x) {
                    if (column[x] < 0) continue;
                    uint32_t s = convert(sample(x, y, column[x], sy));
                    uint32_t v = index == 0xCC ? s : applyRop3(index, pattern.at(x, y), s, dst->pixel(x, y));
                    dst->setPixel(x, y, v & mask);
                }
            }
        }
    }
    return true;
}

}  // namespace

Rect boxArea(Box b) {
    Rect r;
    if (b.w < 0) r.left = b.x + b.w + 1, r.right = b.x + 1;
    else r.left = b.x, r.right = b.x + b.w;
    if (b.h < 0) r.top = b.y + b.h + 1, r.bottom = b.y + 1;
    else r.top = b.y, r.bottom = b.y + b.h;
    return r;
}

bool bitBlt(DeviceContext& dst, Box dstBox, const DeviceContext* src, Point srcPos, Rop3 rop) {
    return stretchBlt(dst, dstBox, src, Box{srcPos.x, srcPos.y, dstBox.w, dstBox.h}, rop);
}

bool stretchBlt(DeviceContext& dst, Box dstBox, const DeviceContext* src, Box srcBox, Rop3 rop) {
    if (!dst.surface()) return false;
    Box dBox = deviceBox(dst, dstBox);
    if (!rop3UsesSource(rop)) {
        paintRop3(dst, Region(boxArea(dBox)), resolveBrush(dst, dst.state().brush), rop3Index(rop));
        return true;
    }
    if (!src || !src->surface()) return false;
    const Surface& source = *src->surface();
    std::unique_ptr<Surface> snapshot;
    if (&source == dst.surface()) snapshot = source.clone();
    const Surface& from = snapshot ? *snapshot : source;
    return stretchSurface(dst, dBox, from, deviceBox(*src, srcBox), surfaceConverter(from, *dst.surface()), rop);
}

bool stretchDib(DeviceContext& dst, Box dstBox, const DibImage& image, Box srcBox, Rop3 rop) {
    if (!dst.surface()) return false;
    auto source = Surface::wrapReadOnly(image.bits, image.width, image.height, image.bitsPerPixel, image.stride,
                                        image.order);
    if (!source) return false;
    Converter convert;
    convert.src = source.get();
    convert.dst = dst.surface();
    if (source->indexed()) {
        convert.table.assign(size_t(1) << image.bitsPerPixel, dst.resolve(rgbColor(0, 0, 0)));
        for (size_t i = 0; i < image.colors.size() && i < convert.table.size(); ++i)
            convert.table[i] = dst.resolve(image.colors[i]);
    }
    return stretchSurface(dst, deviceBox(dst, dstBox), *source, srcBox, convert, rop);
}

bool scrollDC(DeviceContext& dc, int32_t dx, int32_t dy, const Rect& scroll, const Rect& clip, Region* update) {
    Surface* s = dc.surface();
    if (!s) return false;
    Rect clipDev = dc.toDevice(clip).normalized();
    Rect source = dc.toDevice(scroll).normalized().intersect(clipDev).intersect(s->bounds());
    Rect moved = source.offset(dx, dy).intersect(clipDev);
    if (!moved.empty()) {
        std::unique_ptr<Surface> snapshot = s->clone();
        Region area = Region::combine(Region(moved), dc.drawableArea(), CombineOp::And);
        if (!copyRowsDirect(*s, area, *snapshot, -dx, -dy))
            stretchSurface(dc, Box{moved.left, moved.top, moved.width(), moved.height()}, *snapshot,
                           Box{moved.left - dx, moved.top - dy, moved.width(), moved.height()},
                           surfaceConverter(*snapshot, *s), kRopSrcCopy);
    }
    if (update) *update = Region::combine(Region(source), Region(moved), CombineOp::Diff);
    return true;
}

}  // namespace plat::gdi
