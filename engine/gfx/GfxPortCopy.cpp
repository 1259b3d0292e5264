// Copies between ports and the drawing of pixel pictures through the drawing layer.
#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPort.h"
#include "platform/gdi/RasterOps.h"

namespace {

using plat::gdi::Box;
using plat::gdi::DibImage;

plat::gdi::StretchMode stretchModeFor(u16 flags) {
    if (flags & kGfxCopyBlackOnWhite) return plat::gdi::StretchMode::BlackOnWhite;
    if (flags & kGfxCopyWhiteOnBlack) return plat::gdi::StretchMode::WhiteOnBlack;
    return plat::gdi::StretchMode::ColorOnColor;
}

// The rectangle as a box, walked from its far edges where the flags mirror it.
Box orientedBox(const Rect16& r, bool mirror, bool flip) {
    i32 w = r.right - r.left, h = r.bottom - r.top;
    return Box{mirror ? r.right - 1 : r.left, flip ? r.bottom - 1 : r.top, mirror ? -w : w, flip ? -h : h};
}

// The source area read into a packed picture: 24 bits for deep sources, else 8 bits with the
// source's colour table.
DibImage readPicture(const plat::gdi::Surface& surface, const plat::gdi::Rect& area, std::vector<u8>& buffer) {
    bool deep = surface.bitsPerPixel() > 8;
    i32 w = area.width(), h = area.height();
    i32 stride = deep ? (3 * w + 3) & ~3 : (w + 3) & ~3;
    buffer.assign(size_t(stride) * size_t(h), 0);
    DibImage image{w, h, deep ? 24 : 8, stride, plat::gdi::RowOrder::TopDown, buffer.data(), {}};
    if (!deep)
        for (const plat::gdi::Rgb& c : surface.colorTable()) image.colors.push_back(plat::gdi::rgbColor(c));
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            plat::gdi::Point p{area.left + x, area.top + y};
            if (!surface.bounds().contains(p)) continue;
            u32 v = surface.pixel(p.x, p.y);
            u8* out = buffer.data() + size_t(y) * size_t(stride);
            if (!deep) {
                out[x] = u8(v);
                continue;
            }
            plat::gdi::Rgb c = surface.rgbOf(v);
            out[3 * x] = c.blue;
            out[3 * x + 1] = c.green;
            out[3 * x + 2] = c.red;
        }
    return image;
}

}  // namespace

EngineErr GfxPort::CopyBits(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode, u16 flags) {
    if (rectIsEmpty(srcRect)) return kErrNone;
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    error = destination->BeginDraw();
    if (error != kErrNone) {
        EndDraw();
        return error;
    }
    destination->dc->state().stretchMode = stretchModeFor(flags);
    bool mirror = flags & kGfxCopyMirror, flip = flags & kGfxCopyFlip;
    u32 rop = gfxSourceCopyCode(mode);
    if (palette == destination->palette && deviceClass == destination->deviceClass && depth == destination->depth) {
        if (!plat::gdi::stretchBlt(*destination->dc, orientedBox(dstRect, false, false), dc, orientedBox(srcRect, mirror, flip), rop))
            error = kGfxErrGdi;
    } else if (!dc->surface()) {
        error = kGfxErrGdi;
    } else {
        plat::gdi::Rect area = dc->toDevice(plat::gdi::Rect{srcRect.left, srcRect.top, srcRect.right, srcRect.bottom}).normalized();
        std::vector<u8> buffer;
        DibImage picture = readPicture(*dc->surface(), area, buffer);
        error = destination->StretchDIB(orientedBox(dstRect, mirror, flip), Box{0, 0, picture.width, picture.height}, picture, rop);
    }
    destination->EndDraw();
    EndDraw();
    if (error == kErrNone && destination->kind == kGfxKindWindow)
        static_cast<GfxDDrawWindowPort*>(destination)->ShowCopied(dstRect);
    return error;
}

EngineErr GfxPort::StretchDIB(Box dst, Box src, const DibImage& image, u32 rop) {
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    bool drawn = plat::gdi::stretchDib(*dc, dst, image, src, rop);
    EndDraw();
    return drawn ? kErrNone : kGfxErrGdi;
}

EngineErr GfxPort::DrawMaskedDIB(const Rect16& r, const DibImage& image, u16 flipX, u16 flipY) {
    if (image.bitsPerPixel > 8) return kErrNone;
    Box dst = orientedBox(r, false, false);
    Box src = orientedBox(Rect16{0, 0, i16(image.width), i16(image.height)}, flipX, flipY);
    // Pass one clears the opaque places, pass two paints the picture into them.
    DibImage mask = image;
    mask.colors.assign(size_t(1) << image.bitsPerPixel, plat::gdi::paletteIndexColor(0));
    mask.colors[0] = plat::gdi::paletteIndexColor(255);
    EngineErr error = StretchDIB(dst, src, mask, plat::gdi::kRopSrcAnd);
    if (error != kErrNone) return error;
    // Whatever colour the picture gives value 0, ORing it in would tint the transparent
    // places: the second pass paints them with the value 0 of this port.
    DibImage paint = image;
    paint.colors.resize(size_t(1) << image.bitsPerPixel, plat::gdi::rgbColor(0, 0, 0));
    paint.colors[0] = depth <= 8 ? plat::gdi::tableIndexColor(0) : plat::gdi::rgbColor(0, 0, 0);
    return StretchDIB(dst, src, paint, plat::gdi::kRopSrcPaint);
}
