// Colours and palettes of a port: GDI colour references, nearest entries, the port's place
// in its palette's ring, and the colour-value conversions that go through the current port.
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"

namespace {

constexpr u8 kSearchMask = 0x0C;
constexpr u8 kSearchOwnOnly = 0x08;
constexpr u8 kSearchReservedOnly = 0x04;

u16 half() { return gfxReservedCount() / 2; }

bool indexInUse(const GfxPalette* p, u32 index) {
    return index < u32(p->ownCount) + half() || (index >= 256u - half() && index < 256);
}

void leaveRing(GfxPort* port) {
    GfxPalette* p = port->palette;
    if (!p) return;
    if (port->previousInPalette) port->previousInPalette->nextInPalette = port->nextInPalette;
    else if (p->ports == port) p->ports = port->nextInPalette;
    if (port->nextInPalette) port->nextInPalette->previousInPalette = port->previousInPalette;
    port->nextInPalette = port->previousInPalette = nullptr;
    port->palette = nullptr;
}

}  // namespace

void GfxPort::RealizePalette() {
    if (palette == paletteRealised) return;
    if (palette && deviceClass != kGfxDeviceClassDisplay) gfxSyncNativePalette(palette);
    paletteRealised = palette;
}

void GfxPort::CheckPalette() {
    bool unchanged = dc && palette == paletteChecked && palette && palette->realised && !palette->changed;
    if (!unchanged) paletteRealised = nullptr;
    paletteChecked = palette;
}

GfxPalette* GfxPort::SetPalette(GfxPalette* newPalette) {
    GfxPalette* previous = palette;
    if (newPalette == previous) return previous;
    leaveRing(this);
    if (!newPalette) return previous;
    nextInPalette = newPalette->ports;
    if (newPalette->ports) newPalette->ports->previousInPalette = this;
    newPalette->ports = this;
    palette = newPalette;
    if (deviceClass == kGfxDeviceClassDisplay && dc) {
        gdiPalette = newPalette->native.get();
        dc->selectPalette(gdiPalette);
    }
    if (newPalette->realised) CheckPalette();
    return previous;
}

u16 GfxPort::NearestIndex(const GfxColor& color) {
    if (!palette) return 0;
    u8 search = color.flag & kSearchMask;
    u32 ownEnd = u32(half()) + palette->ownCount;
    auto searched = [&](size_t i) {
        bool own = i >= half() && i < ownEnd;
        bool reserved = i < half() || i >= 256u - half();
        if (search == kSearchOwnOnly) return own;
        if (search == kSearchReservedOnly) return reserved;
        return i < ownEnd || i >= 256u - half();
    };
    return u16(plat::gdi::nearestColorIndex(
        256, plat::gdi::Rgb{color.red, color.green, color.blue},
        [&](size_t i) {
            const GfxPaletteEntry& e = palette->entries[i];
            return plat::gdi::Rgb{e.red, e.green, e.blue};
        },
        searched));
}

GfxColor* GfxPort::IndexToColor(GfxColor* out, u16 index) {
    if (!palette || !indexInUse(palette, index)) {
        gfxSetError(kGfxErrColorRange);
        *out = GfxColor();
        return out;
    }
    const GfxPaletteEntry& e = palette->entries[index];
    *out = GfxColor::rgb(e.red, e.green, e.blue, 0);
    return out;
}

plat::gdi::ColorRef GfxPort::ToColorRef(const GfxColor& color) {
    i32 kind = color.GetKind();
    if (kind == -1) {
        gfxSetError(kGfxErrColorRange);
        return plat::gdi::kColorInvalid;
    }
    if (kind == 2 && depth != 8) return plat::gdi::paletteRgbColor(color.red, color.green, color.blue);
    if (kind == 0) {
        if (!palette || !indexInUse(palette, color.index())) {
            gfxSetError(kGfxErrColorRange);
            return plat::gdi::kColorInvalid;
        }
        return plat::gdi::paletteIndexColor(color.index());
    }
    return plat::gdi::paletteIndexColor(NearestIndex(color));
}

EngineErr GfxPort::SetBackColor(const GfxColor& color) {
    plat::gdi::ColorRef ref = ToColorRef(color);
    if (ref == plat::gdi::kColorInvalid) return gfxGetLastError();
    dc->state().backgroundColor = ref;
    return kErrNone;
}

EngineErr GfxPort::SetPen(const GfxColor& color, u16 size) {
    plat::gdi::ColorRef ref = ToColorRef(color);
    if (ref == plat::gdi::kColorInvalid) return gfxGetLastError();
    dc->state().pen = plat::gdi::Pen{plat::gdi::Pen::Style::InsideFrame, size, ref};
    dc->state().textColor = ref;
    gdiPen = true;
    return kErrNone;
}

EngineErr GfxPort::SetPenMode(u16 mode) {
    dc->state().rop2 = gfxPenRop2(mode);
    return kErrNone;
}

void GfxColor::FromIndex(i16 i) {
    if (i == -1) {
        *this = GfxColor();
        return;
    }
    red = u8(u16(i) & 0xFF);
    green = u8(u16(i) >> 8);
    blue = 0;
    flag = kGfxColorFlagIndex;
}

void GfxColor::CopyFrom(const GfxColor& other) {
    *this = other;
    if (flag != kGfxColorFlagDefault) flag &= 0x7F;
}

i32 GfxColor::GetKind() const {
    if (flag == kGfxColorFlagDefault) return -1;
    if (flag == kGfxColorFlagIndex) return 0;
    if (flag & kGfxColorFlagKind1) return 1;
    return 2;
}

u16 GfxColor::ToIndex() const {
    GfxPort* port = gfxGetPort();
    if (!port) return kGfxNoIndex;
    i32 kind = GetKind();
    if (kind == -1) {
        gfxSetError(kGfxErrColorRange);
        return kGfxNoIndex;
    }
    if (kind == 0) {
        if (!port->palette || !indexInUse(port->palette, index())) {
            gfxSetError(kGfxErrColorRange);
            return kGfxNoIndex;
        }
        return index();
    }
    return port->NearestIndex(*this);
}

GfxColor* GfxColor::ToRGB(GfxColor* out) const {
    GfxPort* port = gfxGetPort();
    i32 kind = GetKind();
    if (!port || kind == -1) {
        if (kind == -1) gfxSetError(kGfxErrColorRange);
        *out = GfxColor();
        return out;
    }
    if (kind == 0) return port->IndexToColor(out, index());
    *out = *this;
    return out;
}
