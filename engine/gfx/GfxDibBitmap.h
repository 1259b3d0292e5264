#pragma once
// The DIB-section bitmap store: the pixel memory of an offscreen port, a bottom-up surface of
// the drawing layer with a memory context of its own for the port's whole life. The store
// describes its memory by base, stride and origin: row y (0 at the top) starts at
// base + origin - y × stride. It keeps the colour table (the port's palette at 8 bits) and
// copies itself into other ports. Owned by one offscreen port; user-interface thread only.
#include <memory>
#include <vector>

#include "engine/regions/Rects.h"
#include "engine/gfx/GfxPalette.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"

class GfxPort;

class GfxDibBitmap {
public:
    GfxDibBitmap(i16 width, i16 height, u16 depth);
    virtual ~GfxDibBitmap();
    GfxDibBitmap(const GfxDibBitmap&) = delete;
    GfxDibBitmap& operator=(const GfxDibBitmap&) = delete;

    // Builds the colour table by depth and the surface; kGfxErrGdi when the surface cannot be made.
    // New pixels are always 0, so clearing asks for nothing more.
    virtual EngineErr Create(bool clear);
    virtual void Destroy();
    virtual plat::gdi::DeviceContext* GetDC();
    virtual void ReleaseDC(plat::gdi::DeviceContext*) {}
    virtual EngineErr Lock() { return kErrNone; }
    virtual void Unlock() {}
    // Whether copies to a destination of the device class must carry palette indices.
    virtual bool NeedsIndexColors(u32 destinationClass) const;
    virtual void GetColorTable(u16 first, u16 count, plat::gdi::Rgb* out) const;
    virtual void SetColorTable(u16 first, u16 count, const plat::gdi::Rgb* entries);
    virtual void SetColorTableRGB(u16 first, u16 count, const GfxPaletteEntry* colours);
    // Copies a source rectangle of the store (device pixels) into a destination port.
    virtual EngineErr Blit(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, bool paletteIndices, u32 rop,
                           plat::gdi::StretchMode stretch, bool mirror, bool flip);

    // The pixels as a picture of the drawing layer: colours from the table, or palette indices.
    plat::gdi::DibImage Image(bool paletteIndices) const;
    u8* RowAt(i32 y) const { return base + origin - y * stride; }
    // Whether every row offset of the store fits the 32-bit stride and origin.
    bool RowsAddressable() const;

    Rect16 bounds;
    u8* base = nullptr;
    i32 stride = 0;
    i32 origin = 0;
    u16 depth;
    u32 deviceClass;
    u16 created = 0;
    u16 contextReturn = 0;
    u16 writeOnly = 0;

protected:
    // Cuts a copy's source rectangle to the store and its destination in proportion, so that
    // stretches stay exact; false when nothing is left. Mirror and flip walk the source from
    // its far edge.
    bool CutToBounds(const Rect16& dstRect, const Rect16& srcRect, bool mirror, bool flip, plat::gdi::Box* dst,
                     plat::gdi::Box* src) const;

private:
    std::unique_ptr<plat::gdi::Surface> surface_;
    std::unique_ptr<plat::gdi::DeviceContext> memoryDc_;
    // Unmapped context on the same surface for blits in device pixels.
    std::unique_ptr<plat::gdi::DeviceContext> blitDc_;
};
