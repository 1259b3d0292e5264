// The device-context life of a port: attaching and detaching, drawing brackets, clipping,
// native drawing, resetting and detaching the record, and the port's font.
#include <cstring>

#include "engine/regions/Regions.h"
#include "engine/gfx/GdiRegions.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "platform/gdi/RasterOps.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace {

// The record of a valid region, reached through the region module's own check.
const RegionRecord* recordOf(memHandle region) {
    return rgnIsValid(region) ? static_cast<const RegionRecord*>(memDerefHandle(region)) : nullptr;
}

}  // namespace

bool gfxIsWholePlane(const RegionRecord* record) {
    return record->count == 1 && rectEqual(rgnRects(record)[0], kGfxWholePlane);
}

EngineErr GfxPort::AttachContext(std::unique_ptr<plat::gdi::DeviceContext> context) {
    ownedDc_ = std::move(context);
    dc = ownedDc_.get();
    EngineErr error = AttachDC();
    if (error != kErrNone) {
        ownedDc_.reset();
        dc = nullptr;
    }
    return error;
}

EngineErr GfxPort::AttachDC() {
    if (depth == 0) depth = dc->surface() ? u16(dc->surface()->bitsPerPixel()) : gfxDisplayDepth();
    ApplyMapping();
    gdiClip = plat::gdi::Region();
    clipApplied = 0;
    gdiPalette = palette ? palette->native.get() : nullptr;
    dc->selectPalette(gdiPalette);
    paletteRealised = nullptr;
    plat::gdi::ContextState& s = dc->state();
    s.backgroundMode = plat::gdi::BackgroundMode::Transparent;
    SetBackColor(backColor);
    s.textAlign = plat::gdi::kTaUpdateCp | plat::gdi::kTaBaseline;
    plat::gdi::moveTo(*dc, {penPos.h, penPos.v});
    gdiPen = false;
    SetPenMode(penMode);
    SetPen(foreColor, penSize);
    gdiFont.reset();
    if (font) SelectFont(font);
    return kErrNone;
}

void GfxPort::DetachDC() {
    plat::gdi::ContextState& s = dc->state();
    penPos = Point16{i16(s.position.x), i16(s.position.y)};
    s.pen = plat::gdi::Pen{};
    gdiPen = false;
    plat::gdi::selectFont(*dc, nullptr);
    gdiFont.reset();
    gdiClip = plat::gdi::Region();
    dc->selectClip(nullptr);
    dc->selectPalette(nullptr);
    gdiPalette = nullptr;
}

void GfxPort::Unlock() {
    if (lockCount) --lockCount;
    if (lockCount == 0 && dc) {
        DetachDC();
        ownedDc_.reset();
        dc = nullptr;
    }
}

EngineErr GfxPort::BeginDraw() {
    if (!dc) return kGfxErrGdi;
    if (drawNesting == 0) {
        RealizePalette();
        if (clipApplied == 0) {
            EngineErr error = ApplyClip(clipRegion);
            if (error != kErrNone) return error;
            clipApplied = 1;
        }
    }
    ++drawNesting;
    return kErrNone;
}

void GfxPort::EndDraw() {
    if (drawNesting) --drawNesting;
}

EngineErr GfxPort::RegionToGdi(plat::gdi::Region* out, memHandle region) {
    const RegionRecord* record = recordOf(region);
    if (record == nullptr) return kRgnErrBadRegion;
    if (gfxIsWholePlane(record)) {
        *out = plat::gdi::Region(gfxToGdi(deviceRect));
        return kErrNone;
    }
    if (!scaled) return rgnToGdiRegion(out, region, i16(-offset.h), i16(-offset.v));
    std::vector<plat::gdi::Rect> rects;
    const Rect16* r = rgnRects(record);
    for (u16 i = 0; i < record->count; ++i) rects.push_back(dc->toDevice(gfxToGdi(r[i])).normalized());
    *out = plat::gdi::Region::unionOf(rects);
    return kErrNone;
}

EngineErr GfxPort::ApplyClip(memHandle region) {
    EngineErr error = RegionToGdi(&gdiClip, region);
    if (error != kErrNone) return error;
    dc->selectClip(&gdiClip);
    dc->intersectClipRect(gfxToGdi(logicalRect));
    return kErrNone;
}

EngineErr GfxPort::ClipToGdiRegion(const plat::gdi::Region& deviceRegion) {
    if (clipApplied == 0) {
        EngineErr error = RegionToGdi(&gdiClip, clipRegion);
        if (error != kErrNone) return error;
    }
    gdiClip = plat::gdi::Region::combine(gdiClip, deviceRegion, plat::gdi::CombineOp::And);
    dc->selectClip(&gdiClip);
    dc->intersectClipRect(gfxToGdi(logicalRect));
    clipApplied = 0;
    return kErrNone;
}

EngineErr GfxPort::SetNativeMode(u16 on) {
    if (on) {
        EngineErr error = BeginDraw();
        if (error != kErrNone) return error;
        dc->save();
    } else {
        if (dc) dc->restore(-1);
        EndDraw();
    }
    nativeDrawing = on ? 1 : 0;
    return kErrNone;
}

EngineErr GfxPort::ResetState() {
    if (palette) SetPalette(nullptr);
    palette = paletteChecked = paletteRealised = nullptr;
    SetPalette(gfxDefaultPalette());
    backColor = GfxColor::rgb(0xFF, 0xFF, 0xFF, kGfxColorFlagPortRgb);
    foreColor = GfxColor::rgb(0, 0, 0, kGfxColorFlagPortRgb);
    if (font) --font->useCount;
    font = gfxDefaultFont();
    if (font) ++font->useCount;
    penPos = Point16{0, 0};
    penMode = 0;
    penSize = 1;
    if (clipRegion) rgnDispose(clipRegion);
    clipRegion = rgnCreate();
    if (clipRegion == 0) return rgnGetLastError();
    EngineErr error = rgnResetToRect(clipRegion, kGfxWholePlane);
    if (error == kErrNone) error = rgnUnionRect(clipRegion, logicalRect);
    clipApplied = 0;
    return error;
}

void GfxPort::Detach() {
    if (clipRegion) rgnDispose(clipRegion);
    clipRegion = 0;
    SetPalette(nullptr);
    if (font) --font->useCount;
    font = nullptr;
}

EngineErr GfxPort::SelectFont(GfxFont* newFont) {
    plat::gdi::FontRequest request;
    request.height = -i32(newFont->size);
    request.weight = (newFont->style & kGfxFontBold) ? 700 : 400;
    request.italic = newFont->style & kGfxFontItalic;
    request.underline = newFont->style & kGfxFontUnderline;
    request.charSet = gfxFontCharSet();
    request.faceName.assign(newFont->faceName, strnlen(newFont->faceName, kGfxFontNameSize));
    if (newFont->rotated) {
        request.escapement = gfxFontEscapement(newFont->angle);
        request.outPrecision = plat::gdi::kOutTrueTypeOnlyPrecision;
    }
    std::shared_ptr<const plat::gdi::Font> made = plat::gdi::Font::create(request);
    if (!made) return kGfxErrGdi;
    plat::gdi::selectFont(*dc, made);
    textMetrics = made->metrics();
    gdiFont = std::move(made);
    return kErrNone;
}

EngineErr GfxPort::LockSurface(Rect16*) { return kGfxErrNotSupported; }
EngineErr GfxPort::UnlockSurface() { return kGfxErrNotSupported; }
EngineErr GfxPort::RestoreSurface() { return kGfxErrNotSupported; }
EngineErr GfxPort::LockBits(GfxPixelDescriptor*) { return kGfxErrNotSupported; }
EngineErr GfxPort::UnlockBits(GfxPixelDescriptor*) { return kGfxErrNotSupported; }

EngineErr GfxPort::BltFromSurface(const Rect16&, const Rect16&, const void*, u16 sourceDepth, u32 rop) {
    if ((sourceDepth < 9 || depth < 9) && (sourceDepth != depth || rop != plat::gdi::kRopSrcCopy)) return kGfxErrNotSupported;
    // The clip is judged before anything is locked: nothing to draw, or too many pieces.
    const RegionRecord* record = recordOf(clipRegion);
    if (record == nullptr) return kRgnErrBadRegion;
    if (record->count == 0) return kErrNone;
    if (record->count > kGfxMaxBlitPieces) return kGfxErrNotSupported;
    Rect16 bounds;
    return LockSurface(&bounds);
}
