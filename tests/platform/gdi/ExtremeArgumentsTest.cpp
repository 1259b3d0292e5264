// Throws extreme coordinates, sizes and clip regions at the drawing calls; the sanitizers turn
// any stray read or write into a failure. Fixed seeds keep every run the same.
#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Text.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace {

using namespace gdi_test;

struct Extremes {
    std::mt19937 rng;
    // One value in `edgeOdds` is a 16-bit edge value; scanning a shape costs its height, so
    // shapes take them less often to keep the run short.
    uint32_t edgeOdds = 3;
    explicit Extremes(uint32_t seed) : rng(seed) {}

    int32_t pick(std::initializer_list<int32_t> values) {
        return *(values.begin() + std::uniform_int_distribution<size_t>(0, values.size() - 1)(rng));
    }
    int32_t small() { return std::uniform_int_distribution<int32_t>(-20, 40)(rng); }
    int32_t coordinate() { return rng() % edgeOdds ? small() : pick({-32768, -32767, -1, 0, 32766, 32767, 32768, 65535}); }
    int32_t extent() { return rng() % edgeOdds ? small() : pick({-32768, -32767, -1, 0, 1, 32767, 65535}); }
    Point point() { return {coordinate(), coordinate()}; }
    Rect rect() { return {coordinate(), coordinate(), coordinate(), coordinate()}; }
    Box box() { return {coordinate(), coordinate(), extent(), extent()}; }
};

// Every call the drawing layer offers, once with arguments from `x`.
void drawOnce(Extremes& x, Canvas& canvas, Canvas& other) {
    DeviceContext& dc = *canvas.dc;
    uint32_t call = x.rng() % 12;
    x.edgeOdds = call >= 5 && call <= 7 ? 64 : 3;
    switch (call) {
    case 0: stretchBlt(dc, x.box(), other.dc.get(), x.box(), kRopSrcCopy); break;
    case 1: stretchBlt(dc, x.box(), canvas.dc.get(), x.box(), x.pick({kRopSrcAnd, kRopSrcInvert, kRopMergeCopy})); break;
    case 2: bitBlt(dc, x.box(), other.dc.get(), x.point(), kRopSrcPaint); break;
    case 3: scrollDC(dc, x.coordinate(), x.coordinate(), x.rect(), x.rect(), nullptr); break;
    case 4: rectangle(dc, x.rect()); break;
    case 5: ellipse(dc, x.rect()); break;
    case 6: {
        std::vector<Point> points(x.rng() % 6);
        for (Point& p : points) p = x.point();
        polygon(dc, points);
        break;
    }
    case 7: moveTo(dc, x.point()); lineTo(dc, x.point()); break;
    case 8: patBlt(dc, x.box(), 0x00F00021); break;
    case 9: setPixel(dc, x.point(), rgbColor(1, 2, 3)); getPixel(dc, x.point()); break;
    case 10: {
        Rect box = x.rect();
        drawText(dc, "word wrapped text", box, kDtWordBreak | (x.rng() % 2 ? kDtCalcRect : 0));
        textOut(dc, x.point(), "text");
        break;
    }
    default: {
        Region clip(x.rect());
        dc.selectClip(x.rng() % 4 ? &clip : nullptr);
        break;
    }
    }
}

TEST(ExtremeArguments, DrawingCallsStayInsideTheirSurfaces) {
    for (int bits : {1, 4, 8, 16, 24}) {
        Extremes x{uint32_t(bits)};
        Canvas canvas = makeCanvas(13, 7, bits, bits == 16 ? RowOrder::TopDown : RowOrder::BottomUp);
        Canvas other = makeCanvas(5, 9, bits == 24 ? 8 : 24);
        for (int i = 0; i < 300; ++i) {
            canvas.dc->state().stretchMode = StretchMode(1 + x.rng() % 3);
            canvas.dc->state().pen.width = x.pick({1, 1, 3, 0, -5});
            drawOnce(x, canvas, other);
        }
    }
}

}  // namespace
