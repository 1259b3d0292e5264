#include "platform/gdi/Paint.h"

#include "platform/gdi/RasterOps.h"

namespace plat::gdi {

namespace {

constexpr uint8_t kRopIndexPatCopy = 0xF0;

template <typename Op>
void forEachPixel(Surface& s, const Region& area, Op op) {
    uint32_t mask = s.valueMask();
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y)
            for (uint32_t i = 0; i < band.count; ++i)
                for (int32_t x = spans[i].left; x < spans[i].right; ++x) s.setPixel(x, y, op(x, y, s.pixel(x, y)) & mask);
    }
}

void fillSolid(Surface& s, const Region& area, uint32_t value) {
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y)
            for (uint32_t i = 0; i < band.count; ++i) s.fillSpan(y, spans[i].left, spans[i].right, value);
    }
}

// Pattern copies write whole rows of the pattern, typed for the common depths.
void fillPattern(Surface& s, const Region& area, const BrushPixels& pixels) {
    for (const Region::Band& band : area.bands()) {
        const Span* spans = area.spansOf(band);
        for (int32_t y = band.top; y < band.bottom; ++y) {
            const uint32_t* row = pixels.pattern.data() + size_t((y & 7) << 3);
            uint8_t* line = s.row(y);
            for (uint32_t i = 0; i < band.count; ++i) {
                int32_t x = spans[i].left, end = spans[i].right;
                if (s.bitsPerPixel() == 16)
                    for (; x < end; ++x) {
                        line[2 * x] = uint8_t(row[x & 7]);
                        line[2 * x + 1] = uint8_t(row[x & 7] >> 8);
                    }
                else if (s.bitsPerPixel() == 8)
                    for (; x < end; ++x) line[x] = uint8_t(row[x & 7]);
                else
                    for (; x < end; ++x) s.setPixel(x, y, row[x & 7]);
            }
        }
    }
}

}  // namespace

BrushPixels solidPixels(uint32_t value) {
    BrushPixels p;
    p.value = value;
    return p;
}

BrushPixels resolveBrush(const DeviceContext& dc, const Brush& brush) {
    BrushPixels p;
    if (brush.kind == Brush::Kind::Pattern) {
        p.solid = false;
        for (size_t i = 0; i < 64; ++i) p.pattern[i] = dc.resolve(brush.pattern[i]);
    } else {
        p.value = dc.resolve(brush.color);
    }
    return p;
}

void paintRop2(DeviceContext& dc, const Region& deviceArea, const BrushPixels& pixels, int rop2) {
    Surface* s = dc.surface();
    if (!s || !validRop2(rop2) || rop2 == kR2Nop) return;
    Region area = Region::combine(deviceArea, dc.drawableArea(), CombineOp::And);
    if (rop2 == kR2CopyPen && pixels.solid) return fillSolid(*s, area, pixels.value);
    forEachPixel(*s, area, [&](int32_t x, int32_t y, uint32_t d) { return applyRop2(rop2, pixels.at(x, y), d); });
}

void paintRop3(DeviceContext& dc, const Region& deviceArea, const BrushPixels& pixels, uint8_t ropIndex) {
    Surface* s = dc.surface();
    if (!s) return;
    Region area = Region::combine(deviceArea, dc.drawableArea(), CombineOp::And);
    if (ropIndex == kRopIndexPatCopy && pixels.solid) return fillSolid(*s, area, pixels.value);
    if (ropIndex == kRopIndexPatCopy) return fillPattern(*s, area, pixels);
    forEachPixel(*s, area, [&](int32_t x, int32_t y, uint32_t d) { return applyRop3(ropIndex, pixels.at(x, y), 0, d); });
}

}  // namespace plat::gdi
