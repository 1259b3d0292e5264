// Brushes and the painting of shapes in the eight transfer modes: mode 0 paints with the
// drawing layer's shape calls; the other modes narrow the clip to the shape and pattern-blit
// the rectangle with the mode's pattern code, so that only the shape changes. Also scrolling
// and reading a pixel.
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/regions/RegionDifference.h"
#include "engine/gfx/GdiRegions.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Scanline.h"
#include "platform/gdi/Shapes.h"

namespace {

using plat::gdi::Brush;
using plat::gdi::ColorRef;

constexpr u32 kPolygonHeaderSize = 12;
constexpr u32 kPolygonPointsOffset = kPolygonHeaderSize + 2;

// The 16 entries of a 4-bit pattern: the first and last eight palette entries.
u16 nibbleIndex(u8 nibble) { return nibble < 8 ? nibble : u16(240 + nibble); }

// Runs `paint` with the clip narrowed to a device region; the clip is marked applied around
// it so that the inner bracket keeps the narrowed clip, and stale afterwards.
template <typename Paint>
EngineErr paintClipped(GfxPort& port, const plat::gdi::Region& shape, Paint paint) {
    EngineErr error = port.BeginDraw();
    if (error != kErrNone) return error;
    error = port.ClipToGdiRegion(shape);
    if (error == kErrNone) {
        port.clipApplied = 1;
        error = paint();
        port.clipApplied = 0;
    }
    port.EndDraw();
    return error;
}

// Selects a brush and a pen for one shape call and puts the previous ones back.
class ShapeTools {
public:
    ShapeTools(plat::gdi::DeviceContext& dc, const Brush& brush, bool nullPen) : dc_(dc), brush_(dc.state().brush), pen_(dc.state().pen) {
        dc.state().brush = brush;
        if (nullPen) dc.state().pen = plat::gdi::Pen::null();
    }
    ~ShapeTools() {
        dc_.state().brush = brush_;
        dc_.state().pen = pen_;
    }
    ShapeTools(const ShapeTools&) = delete;
    ShapeTools& operator=(const ShapeTools&) = delete;

private:
    plat::gdi::DeviceContext& dc_;
    Brush brush_;
    plat::gdi::Pen pen_;
};

}  // namespace

std::unique_ptr<Brush> GfxPort::MakeSolidBrush(const GfxColor& color) {
    ColorRef ref = ToColorRef(color);
    if (ref == plat::gdi::kColorInvalid) {
        gfxSetError(kGfxErrGdi);
        return nullptr;
    }
    return std::make_unique<Brush>(Brush::solid(ref));
}

std::unique_ptr<Brush> GfxPort::MakePatternBrush(const u8* pattern) {
    if (!pattern) {
        gfxSetError(kGfxErrBadPattern);
        return nullptr;
    }
    u16 kind = readBE16(pattern);
    const u8* pixels = pattern + 2;
    std::array<ColorRef, 64> colors{};
    auto asIndex = [&](const GfxColor& c) {
        return plat::gdi::paletteIndexColor(c.GetKind() == 0 ? c.index() : NearestIndex(c));
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            ColorRef& out = colors[size_t(y * 8 + x)];
            switch (kind) {
            case kGfxPatternMono: out = ((pixels[y] >> (7 - x)) & 1) ? asIndex(foreColor) : asIndex(backColor); break;
            case kGfxPattern4: {
                u8 byte = pixels[y * 4 + x / 2];
                out = plat::gdi::paletteIndexColor(nibbleIndex((x & 1) ? byte & 0x0F : byte >> 4));
                break;
            }
            case kGfxPattern8: out = plat::gdi::paletteIndexColor(pixels[y * 8 + x]); break;
            case kGfxPattern16: {
                const u8* p = pixels + (y * 8 + x) * 2;
                plat::gdi::Rgb c = plat::gdi::rgbFrom555(readLE16(p));
                out = plat::gdi::rgbColor(c);
                break;
            }
            case kGfxPattern24: {
                const u8* p = pixels + (y * 8 + x) * 3;
                out = plat::gdi::rgbColor(p[2], p[1], p[0]);
                break;
            }
            default: gfxSetError(kGfxErrBadPattern); return nullptr;
            }
        }
    return std::make_unique<Brush>(Brush::withPattern(colors));
}

EngineErr GfxPort::PaintRect(const Rect16& r, const Brush& brush, u16 mode) {
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    {
        ShapeTools tools(*dc, brush, false);
        plat::gdi::patBlt(*dc, plat::gdi::Box{r.left, r.top, r.right - r.left, r.bottom - r.top}, gfxPatternCode(mode));
    }
    EndDraw();
    return kErrNone;
}

EngineErr GfxPort::FillColorRect(const Rect16& r, const GfxColor& color, u16 mode) {
    std::unique_ptr<Brush> brush = MakeSolidBrush(color);
    if (!brush) return gfxGetLastError();
    return PaintRect(r, *brush, mode);
}

EngineErr GfxPort::PaintOval(const Rect16& r, const Brush& brush, u16 mode) {
    if (mode == 0) {
        EngineErr error = BeginDraw();
        if (error != kErrNone) return error;
        {
            ShapeTools tools(*dc, brush, true);
            plat::gdi::ellipse(*dc, gfxToGdi(r));
        }
        EndDraw();
        return kErrNone;
    }
    if (!dc) return kGfxErrGdi;
    plat::gdi::Region oval = plat::gdi::Region::ellipse(dc->toDevice(gfxToGdi(r)).normalized());
    return paintClipped(*this, oval, [&] { return PaintRect(r, brush, mode); });
}

EngineErr GfxPort::PaintPolygon(memHandle polygon, const Brush& brush, u16 mode) {
    if (polygon == 0) return kGfxErrNoPolygon;
    const u8* block = static_cast<const u8*>(memDerefHandle(polygon));
    i32 size = memGetHandleSize(polygon);
    if (!block || size < i32(kPolygonPointsOffset)) return kGfxErrNoPolygon;
    u16 count;
    std::memcpy(&count, block + kPolygonHeaderSize, 2);
    // A count the block cannot hold is cut to the points it has.
    count = u16(std::min<i32>(count, (size - i32(kPolygonPointsOffset)) / i32(sizeof(Point16))));
    std::vector<plat::gdi::Point> points(count);
    for (u16 i = 0; i < count; ++i) {
        Point16 p;
        std::memcpy(&p, block + kPolygonPointsOffset + i * sizeof(Point16), sizeof p);
        points[i] = {p.h, p.v};
    }
    if (!dc) return kGfxErrGdi;
    if (mode == 0) {
        EngineErr error = BeginDraw();
        if (error != kErrNone) return error;
        {
            ShapeTools tools(*dc, brush, true);
            plat::gdi::FillMode fill = dc->state().polyFillMode;
            dc->state().polyFillMode = plat::gdi::FillMode::Winding;
            plat::gdi::polygon(*dc, points);
            dc->state().polyFillMode = fill;
        }
        EndDraw();
        return kErrNone;
    }
    for (plat::gdi::Point& p : points) p = dc->toDevice(p);
    // Only the rows of the surface are scanned: far-off points must not cost their span.
    plat::gdi::RowWindow rows;
    if (const plat::gdi::Surface* surface = dc->surface()) rows = {0, surface->height()};
    plat::gdi::Region shape = plat::gdi::Region::fromRows(plat::gdi::scanPolygon(points, plat::gdi::FillMode::Winding, rows));
    return paintClipped(*this, shape, [&] { return PaintRect(logicalRect, brush, mode); });
}

EngineErr GfxPort::PaintRegion(memHandle region, const Brush& brush, u16 mode) {
    if (region == 0) return kRgnErrBadRegion;
    plat::gdi::Region shape;
    if (mode == 0) {
        EngineErr error = rgnToGdiRegion(&shape, region, 0, 0);
        if (error != kErrNone) return error;
        error = BeginDraw();
        if (error != kErrNone) return error;
        plat::gdi::fillRegion(*dc, shape, brush);
        EndDraw();
        return kErrNone;
    }
    if (!dc) return kGfxErrGdi;
    EngineErr error = RegionToGdi(&shape, region);
    if (error != kErrNone) return error;
    return paintClipped(*this, shape, [&] { return PaintRect(logicalRect, brush, mode); });
}

EngineErr GfxPort::Scroll(const Rect16& r, i16 dx, i16 dy, memHandle updateRegion) {
    if (updateRegion) {
        Rect16 moved = r;
        rectOffset(&moved, dx, dy);
        EngineErr error = rgnResetToRect(updateRegion, r);
        if (error == kErrNone) error = rgnDiffRect(updateRegion, moved);
        if (error != kErrNone) return error;
    }
    EngineErr error = BeginDraw();
    if (error != kErrNone) return error;
    bool scrolled = plat::gdi::scrollDC(*dc, dx, dy, gfxToGdi(r), gfxToGdi(r), nullptr);
    EndDraw();
    return scrolled ? kErrNone : kGfxErrGdi;
}

GfxColor* GfxPort::ReadPixel(GfxColor* out, i16 x, i16 y) {
    *out = GfxColor();
    if (BeginDraw() != kErrNone) return out;
    plat::gdi::Point at{x, y};
    if (depth == 8 && dc->surface()) {
        plat::gdi::Point d = dc->toDevice(at);
        if (dc->surface()->bounds().contains(d)) out->FromIndex(i16(dc->surface()->pixel(d.x, d.y)));
        else gfxSetError(kGfxErrGdi);
        EndDraw();
        return out;
    }
    ColorRef c = plat::gdi::getPixel(*dc, at);
    if (c == plat::gdi::kColorInvalid) {
        // Outside the clip: one more try with the clip opened to the device rectangle.
        dc->selectClip(nullptr);
        dc->intersectClipRect(gfxToGdi(logicalRect));
        c = plat::gdi::getPixel(*dc, at);
        clipApplied = 0;
    }
    EndDraw();
    if (c == plat::gdi::kColorInvalid) {
        gfxSetError(kGfxErrGdi);
        return out;
    }
    plat::gdi::Rgb rgb = plat::gdi::colorRgb(c);
    *out = GfxColor::rgb(rgb.red, rgb.green, rgb.blue, 0);
    return out;
}
