#include "engine/gfx/GfxDibBitmap.h"

#include <algorithm>
#include <climits>

#include "engine/gfx/GfxDDrawWindowPort.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxPort.h"

namespace {

using plat::gdi::Rgb;

const std::vector<Rgb> kSixteenColours = {{0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
                                          {128, 0, 0},     {128, 0, 128},   {128, 128, 0}, {192, 192, 192},
                                          {128, 128, 128}, {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
                                          {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};

std::vector<Rgb> tableForDepth(u16 depth) {
    if (depth == 1) return {{0, 0, 0}, {255, 255, 255}};
    if (depth == 4) return kSixteenColours;
    std::vector<Rgb> table;
    if (depth == 8 && gfxDefaultPalette())
        for (const GfxPaletteEntry& e : gfxDefaultPalette()->entries) table.push_back({e.red, e.green, e.blue});
    return table;
}

// The palette indices the 4-bit table stands for: 0-7, then 248-255.
u16 indexOfEntry(u16 depth, u16 i) {
    if (depth == 1) return i ? 255 : 0;
    if (depth == 4) return i < 8 ? i : u16(240 + i);
    return i;
}

i32 roundedRatio(i32 cut, i32 dstSize, i32 srcSize) {
    return i32((i64(cut) * dstSize * 2 + srcSize) / (2 * i64(srcSize)));
}

}  // namespace

GfxDibBitmap::GfxDibBitmap(i16 width, i16 height, u16 bitsPerPixel)
    : bounds{0, 0, width, height}, depth(bitsPerPixel), deviceClass(kGfxDeviceClassDisplay) {}

GfxDibBitmap::~GfxDibBitmap() { Destroy(); }

bool GfxDibBitmap::RowsAddressable() const {
    return i64(plat::gdi::Surface::strideFor(bounds.right, depth)) * (bounds.bottom - 1) <= INT32_MAX;
}

EngineErr GfxDibBitmap::Create(bool) {
    if (!RowsAddressable()) return kGfxErrGdi;
    surface_ = plat::gdi::Surface::create(bounds.right, bounds.bottom, depth, plat::gdi::RowOrder::BottomUp, tableForDepth(depth));
    if (!surface_) return kGfxErrGdi;
    memoryDc_ = plat::gdi::DeviceContext::createMemory();
    blitDc_ = plat::gdi::DeviceContext::createMemory();
    memoryDc_->selectSurface(surface_.get());
    blitDc_->selectSurface(surface_.get());
    base = surface_->memory();
    stride = surface_->stride();
    origin = (bounds.bottom - 1) * stride;
    writeOnly = 0;
    created = 1;
    return kErrNone;
}

void GfxDibBitmap::Destroy() {
    memoryDc_.reset();
    blitDc_.reset();
    surface_.reset();
    base = nullptr;
    created = 0;
}

plat::gdi::DeviceContext* GfxDibBitmap::GetDC() { return memoryDc_.get(); }

bool GfxDibBitmap::NeedsIndexColors(u32 destinationClass) const {
    if (destinationClass == kGfxDeviceClassDisplay || destinationClass == kGfxDeviceClassPrinter) return false;
    return depth < 16;
}

void GfxDibBitmap::GetColorTable(u16 first, u16 count, Rgb* out) const {
    const std::vector<Rgb>& table = surface_->colorTable();
    for (u16 i = 0; i < count && size_t(first) + i < table.size(); ++i) out[i] = table[first + i];
}

void GfxDibBitmap::SetColorTable(u16 first, u16 count, const Rgb* entries) {
    if (surface_ && surface_->indexed()) surface_->setColorTable(first, std::vector<Rgb>(entries, entries + count));
}

void GfxDibBitmap::SetColorTableRGB(u16 first, u16 count, const GfxPaletteEntry* colours) {
    std::vector<Rgb> rgb;
    for (u16 i = 0; i < count; ++i) rgb.push_back({colours[i].red, colours[i].green, colours[i].blue});
    SetColorTable(first, count, rgb.data());
}

plat::gdi::DibImage GfxDibBitmap::Image(bool paletteIndices) const {
    plat::gdi::DibImage image{surface_->width(), surface_->height(), depth, stride, plat::gdi::RowOrder::BottomUp, base, {}};
    const std::vector<Rgb>& table = surface_->colorTable();
    for (u16 i = 0; i < table.size(); ++i)
        image.colors.push_back(paletteIndices ? plat::gdi::paletteIndexColor(indexOfEntry(depth, i)) : plat::gdi::rgbColor(table[i]));
    return image;
}

bool GfxDibBitmap::CutToBounds(const Rect16& dstRect, const Rect16& srcRect, bool mirror, bool flip,
                               plat::gdi::Box* dst, plat::gdi::Box* src) const {
    i32 sl = srcRect.left, st = srcRect.top, sr = srcRect.right, sb = srcRect.bottom;
    i32 dl = dstRect.left, dt = dstRect.top, dr = dstRect.right, db = dstRect.bottom;
    i32 sw = sr - sl, sh = sb - st, dw = dr - dl, dh = db - dt;
    if (sw <= 0 || sh <= 0) return false;
    // Mirrored (flipped), a source side lands on the opposite side of the destination.
    i32& dLeft = mirror ? dr : dl;
    i32& dRight = mirror ? dl : dr;
    i32& dTop = flip ? db : dt;
    i32& dBottom = flip ? dt : db;
    i32 inward = mirror ? -1 : 1, downward = flip ? -1 : 1;
    if (sl < 0) dLeft += inward * roundedRatio(-sl, dw, sw), sl = 0;
    if (st < 0) dTop += downward * roundedRatio(-st, dh, sh), st = 0;
    if (sr > bounds.right) dRight -= inward * roundedRatio(sr - bounds.right, dw, sw), sr = bounds.right;
    if (sb > bounds.bottom) dBottom -= downward * roundedRatio(sb - bounds.bottom, dh, sh), sb = bounds.bottom;
    if (sl >= sr || st >= sb) return false;
    *dst = plat::gdi::Box{dl, dt, dr - dl, db - dt};
    *src = plat::gdi::Box{mirror ? sr - 1 : sl, flip ? sb - 1 : st, mirror ? sl - sr : sr - sl, flip ? st - sb : sb - st};
    return true;
}

EngineErr GfxDibBitmap::Blit(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, bool paletteIndices, u32 rop,
                             plat::gdi::StretchMode stretch, bool mirror, bool flip) {
    plat::gdi::Box dst, src;
    if (!CutToBounds(dstRect, srcRect, mirror, flip, &dst, &src)) return kErrNone;

    EngineErr error = destination->BeginDraw();
    if (error != kErrNone) return error;
    destination->dc->state().stretchMode = stretch;
    if (destination->deviceClass == kGfxDeviceClassDisplay && !paletteIndices) {
        if (!plat::gdi::stretchBlt(*destination->dc, dst, blitDc_.get(), src, rop)) error = kGfxErrGdi;
    } else {
        error = destination->StretchDIB(dst, src, Image(paletteIndices), rop);
    }
    destination->EndDraw();
    if (error == kErrNone && destination->kind == kGfxKindWindow)
        static_cast<GfxDDrawWindowPort*>(destination)->ShowCopied(dstRect);
    return error;
}
