#include "platform/gdi/Blit.h"

#include <algorithm>
#include <bit>
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

// Row-at-a-time reads and writes of one depth, inlined where a per-pixel call would not be.
template <int Bits> uint32_t readValue(const uint8_t* r, int32_t x) {
    if constexpr (Bits == 1) return (r[x >> 3] >> (7 - (x & 7))) & 1;
    else if constexpr (Bits == 4) return (x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4);
    else if constexpr (Bits == 8) return r[x];
    else if constexpr (Bits == 16) return (uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8)) & 0x7FFF;
    else {
        const uint8_t* p = r + (Bits / 8) * x;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
}

template <int Bits> void writeValue(uint8_t* r, int32_t x, uint32_t v) {
    uint8_t* p = r + (Bits / 8) * x;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    if constexpr (Bits >= 24) p[2] = uint8_t(v >> 16);
    if constexpr (Bits == 32) p[3] = 0;
}

// Every RGB555 word as 0xRRGGBB, built once: the screen's 16-bit pictures reach 24- and 32-bit
// windows through it.
const uint32_t* rgb555To888() {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(0x8000);
        for (uint32_t v = 0; v < t.size(); ++v) {
            Rgb c = rgbFrom555(uint16_t(v));
            t[v] = (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue;
        }
        return t;
    }();
    return table.data();
}

// How one row's values change format: through a table, by RGB555 packing, or not at all
// (24 and 32 bits share 0xRRGGBB).
enum class RowMapping { Table, To555, Same };

// Four 0xRRGGBB values written as whole words (a 24-bit row packs them into three).
template <int DstBits> void writeFour(uint8_t* p, const uint32_t v[4]) {
    if constexpr (DstBits == 24) {
        const uint32_t words[3] = {v[0] | (v[1] << 24), (v[1] >> 8) | (v[2] << 16), (v[2] >> 16) | (v[3] << 8)};
        std::memcpy(p, words, sizeof words);
    } else {
        std::memcpy(p, v, 4 * sizeof v[0]);
    }
}

static_assert(std::endian::native == std::endian::little);

template <int SrcBits, int DstBits, RowMapping Mapping>
void convertRow(const uint8_t* from, int32_t sx, uint8_t* to, int32_t x0, int32_t x1, const uint32_t* table,
                uint32_t mask) {
    int32_t x = x0;
    if constexpr (SrcBits == 16 && DstBits >= 24 && Mapping == RowMapping::Table) {
        // The screen's 16-bit pictures reach the window four pixels to a step, read and written
        // as whole words in the machine's order: the sanitizer build checks every access, and
        // this runs for every frame shown.
        for (; x + 4 <= x1; x += 4, sx += 4) {
            uint64_t words;
            std::memcpy(&words, from + 2 * size_t(sx), sizeof words);
            const uint32_t four[4] = {table[words & 0x7FFF] & mask, table[(words >> 16) & 0x7FFF] & mask,
                                      table[(words >> 32) & 0x7FFF] & mask, table[(words >> 48) & 0x7FFF] & mask};
            writeFour<DstBits>(to + (DstBits / 8) * size_t(x), four);
        }
    }
    for (; x < x1; ++x, ++sx) {
        uint32_t v = readValue<SrcBits>(from, sx);
        if constexpr (Mapping == RowMapping::Table) v = table[v];
        else if constexpr (Mapping == RowMapping::To555)
            v = rgbTo555(Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
        writeValue<DstBits>(to, x, v & mask);
    }
}

using RowRoutine = void (*)(const uint8_t*, int32_t, uint8_t*, int32_t, int32_t, const uint32_t*, uint32_t);

template <int DstBits> RowRoutine tableRoutine(int srcBits) {
    switch (srcBits) {
    case 1: return convertRow<1, DstBits, RowMapping::Table>;
    case 4: return convertRow<4, DstBits, RowMapping::Table>;
    case 8: return convertRow<8, DstBits, RowMapping::Table>;
    case 16: return convertRow<16, DstBits, RowMapping::Table>;
    default: return nullptr;
    }
}

template <int DstBits> RowRoutine directRoutine(int srcBits) {
    if constexpr (DstBits == 16)
        return srcBits == 24 ? convertRow<24, 16, RowMapping::To555> : convertRow<32, 16, RowMapping::To555>;
    else return srcBits == 24 ? convertRow<24, DstBits, RowMapping::Same> : convertRow<32, DstBits, RowMapping::Same>;
}

// A format-changing copy without stretch, mirror or raster operation converts whole spans; null
// when the pair needs the per-pixel path (a palette destination matches colours one by one).
RowRoutine rowRoutine(const Surface& src, const Surface& dst, const Converter& convert, const uint32_t*& table) {
    int dstBits = dst.bitsPerPixel();
    if (dst.indexed()) return nullptr;
    table = !convert.table.empty() ? convert.table.data() : src.bitsPerPixel() == 16 ? rgb555To888() : nullptr;
    if (src.bitsPerPixel() == 16 && dstBits == 16) return nullptr;
    if (table)
        return dstBits == 16 ? tableRoutine<16>(src.bitsPerPixel())
               : dstBits == 24 ? tableRoutine<24>(src.bitsPerPixel()) : tableRoutine<32>(src.bitsPerPixel());
    return dstBits == 16 ? directRoutine<16>(src.bitsPerPixel())
           : dstBits == 24 ? directRoutine<24>(src.bitsPerPixel()) : directRoutine<32>(src.bitsPerPixel());
}

// One destination row of a plain stretched or mirrored copy, each column read from the source
// column the table gives (negative: outside the source, left as it is).
template <int SrcBits, int DstBits>
void stretchRow(const uint8_t* from, const int32_t* column, uint8_t* to, int32_t x0, int32_t x1, const Converter& convert,
                uint32_t mask) {
    for (int32_t x = x0; x < x1; ++x)
        if (column[x] >= 0) writeValue<DstBits>(to, x, convert(readValue<SrcBits>(from, column[x])) & mask);
}

using StretchRoutine = void (*)(const uint8_t*, const int32_t*, uint8_t*, int32_t, int32_t, const Converter&, uint32_t);

template <int DstBits> StretchRoutine stretchRoutineTo(int srcBits) {
    switch (srcBits) {
    case 16: return stretchRow<16, DstBits>;
    case 24: return stretchRow<24, DstBits>;
    case 32: return stretchRow<32, DstBits>;
    default: return nullptr;
    }
}

// Null for the depths that go pixel by pixel (palettes and bit planes).
StretchRoutine stretchRoutine(int srcBits, int dstBits) {
    switch (dstBits) {
    case 16: return stretchRoutineTo<16>(srcBits);
    case 24: return stretchRoutineTo<24>(srcBits);
    case 32: return stretchRoutineTo<32>(srcBits);
    default: return nullptr;
    }
}

bool convertRows(Surface& dst, const Region& area, const Surface& src, int32_t ox, int32_t oy, const Converter& convert) {
    const uint32_t* table = nullptr;
    RowRoutine routine = rowRoutine(src, dst, convert, table);
    if (!routine) return false;
    uint32_t mask = dst.valueMask();
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y)
            for (uint32_t i = 0; i < band.count; ++i)
                routine(src.row(y + oy), spans[i].left + ox, dst.row(y), spans[i].left, spans[i].right, table, mask);
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
    if (rop == kRopSrcCopy && sameSize && !mirrorX && !mirrorY) {
        Region inside = Region::combine(area, Region(src.bounds().offset(dRect.left - sRect.left, dRect.top - sRect.top)),
                                        CombineOp::And);
        int32_t ox = sRect.left - dRect.left, oy = sRect.top - dRect.top;
        if (convert.identity ? copyRowsDirect(*dst, inside, src, ox, oy) : convertRows(*dst, inside, src, ox, oy, convert))
            return true;
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
    StretchRoutine rows = rop == kRopSrcCopy && !combine && !plainCopy16
                              ? stretchRoutine(src.bitsPerPixel(), dst->bitsPerPixel())
                              : nullptr;
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
                if (rows) {
                    rows(src.row(sy), column, dst->row(y), spans[i].left, spans[i].right, convert, mask);
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
