// Throws extreme rectangles, origins, clip regions and damaged pixel data at the drawing calls
// of 8- and 16-bit offscreen ports; the sanitizers turn any stray read or write into a failure.
#include <random>

#include "OffscreenTestSupport.h"
#include "PackedEncoders.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"

namespace {

class ExtremeDrawing : public OffscreenTest {
protected:
    std::mt19937 rng{7};
    GfxPort* other_ = nullptr;
    // One coordinate in `edgeOdds` is a 16-bit edge value; shapes cost their height to scan,
    // so they take them less often to keep the run short.
    u32 edgeOdds = 4;

    i16 coordinate() {
        static constexpr i16 kEdges[] = {-32768, -32767, -1, 0, 1, 32766, 32767};
        return rng() % edgeOdds ? i16(int(rng() % 60) - 20) : kEdges[rng() % 7];
    }
    Rect16 rect() { return {coordinate(), coordinate(), coordinate(), coordinate()}; }
    // Pixel data that is sometimes well formed and sometimes cut or scribbled on.
    std::vector<u8> pixelData(u16 width, u16 height, u16 packing, int bits) {
        std::vector<u8> v;
        std::vector<u8> picture(size_t(width) * height);
        for (u8& b : picture) b = u8(rng() % 4);
        if (packing == kGfxFormatPacked8) v = encodePacked8(picture, width, height);
        else v.assign((size_t(width) * bits + 7) / 8 * height + rng() % 8, 0x5A);
        if (rng() % 3 == 0 && !v.empty()) v.resize(rng() % v.size());
        if (rng() % 3 == 0)
            for (int i = 0; i < 4 && !v.empty(); ++i) v[rng() % v.size()] = u8(rng());
        return v;
    }
    void drawOnce() {
        u16 width = u16(rng() % 3 ? rng() % 40 : 0), height = u16(rng() % 3 ? rng() % 40 : 0);
        static constexpr u16 kFormats[] = {0, 2, 2 | kGfxFormatPacked8, 3, 3 | kGfxFormatPacked16};
        u16 format = kFormats[rng() % 5];
        int bits = gfxBitsOfDepthCode(format);
        std::vector<u8> data = pixelData(width, height, format & kGfxFormatPackingMask, bits);
        i16 step = i16((width * bits + 7) / 8);
        if (rng() % 2) step = i16(-step);
        i16 x = coordinate(), y = coordinate();
        Rect16 dst{x, y, i16(x + width), i16(y + height)};
        u16 mode = rng() % 2 ? 0 : kGfxModeTransparent;
        u16 flags = u16((rng() % 4) << 4);
        std::vector<u8> bitmap = {u8(width >> 8), u8(width), u8(height >> 8), u8(height), u8(step >> 8), u8(step),
                                  u8(rng() % 2 ? 0 : 1), u8(format | (rng() % 4 ? 0 : u8(rng())))};
        bitmap.insert(bitmap.end(), data.begin(), data.end());
        u32 call = rng() % 12;
        edgeOdds = call >= 10 ? 64 : 4;
        switch (call) {
        case 5: gfxDrawBitmapInRect(bitmap.data(), u32(bitmap.size()), dst, mode, flags); break;
        case 6: gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), u16(coordinate()), u16(coordinate())); break;
        case 7: gfxCopyBitsEx(other_, gfxGetPort(), rect(), rect(), mode, flags); break;
        case 8: gfxCopyBitsEx(gfxGetPort(), gfxGetPort(), rect(), rect(), mode, flags); break;
        case 9: gfxDrawTextBox(rect(), u16(rng()), "some words to wrap", kGfxWholeText); break;
        case 10: gfxFrameOval(rect()); gfxInvertRect(rect()); break;
        case 11: gfxMoveTo(coordinate(), coordinate()); gfxSetPenSize(u16(rng() % 4)); gfxLineTo(coordinate(), coordinate()); break;
        case 0: gfxDrawPixelsInRect(width, height, step, format, data.data(), u32(data.size()), dst, mode, flags); break;
        case 1: gfxFillRect(rect(), GfxColor::rgb(u8(rng()), 0, 0, 0), 0); break;
        case 2: gfxSetPortOrigin(u16(coordinate()), u16(coordinate())); break;
        case 3: {
            GfxColor c;
            gfxGetPixel(&c, coordinate(), coordinate());
            break;
        }
        default: gfxIntersectClipRect(rect()); break;
        }
    }
};

TEST_F(ExtremeDrawing, EightAndSixteenBitPortsStayInsideTheirStores) {
    for (u16 depth : {8, 16}) {
        other_ = makeOffscreen(7, 9, depth, nullptr, false);
        GfxOffscreenPort* port = makeOffscreen(11, 6, depth);
        ASSERT_NE(port, nullptr);
        for (int i = 0; i < 400; ++i) {
            if (i % 50 == 0) gfxResetClipRect(Rect16{-32768, -32768, 32767, 32767});
            drawOnce();
        }
    }
}

}  // namespace
