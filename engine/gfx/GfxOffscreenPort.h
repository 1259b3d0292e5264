#pragma once
// Offscreen ports: ports whose pixels live in a bitmap store of their own. Kind 0 holds 1-,
// 4-, 24- and 32-bit pictures and draws through the drawing layer only; kinds 1 (8 bits, colour
// table kept equal to the port's palette) and 2 (16 bits RGB555) also write their store's
// memory directly where a call allows it: plain and packed pixel buffers, fills, pixel reads
// and copies between ports of the same kind. Whatever a fast path does not accept goes to
// the base operation and gives the same picture. The port owns its store. User-interface
// thread only.
#include <functional>
#include <memory>

#include "engine/gfx/GfxDibBitmap.h"
#include "engine/gfx/GfxPort.h"

class GfxOffscreenPort : public GfxPort {
public:
    explicit GfxOffscreenPort(std::unique_ptr<GfxDibBitmap> store);

    EngineErr CopyBits(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode, u16 flags) override;
    EngineErr BeginDraw() override;
    void EndDraw() override;
    EngineErr LockSurface(Rect16* out) override;
    EngineErr RestoreSurface() override;
    EngineErr LockBits(GfxPixelDescriptor* descriptor) override;
    EngineErr Lock() override;
    EngineErr UnlockBits(GfxPixelDescriptor* descriptor) override;
    void Unlock() override;

    GfxDibBitmap& Store() { return *store_; }

protected:
    // Calls `draw` with each piece of the clip region in device pixels, cut to `area` (device
    // pixels) and to the store; false when the clip region cannot be read.
    bool ForEachClipPiece(const Rect16& area, const std::function<void(const Rect16&)>& draw);
    // Where the memory copy between two 8- or 16-bit ports of one kind applies.
    bool MemoryCopyApplies(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, u16 mode, u16 flags) const;
    // Copies rows of `bytesPerPixel` bytes between the stores, per clip piece of the destination.
    EngineErr MemoryCopy(GfxOffscreenPort* destination, const Rect16& dstRect, const Rect16& srcRect, u32 bytesPerPixel);
    // The top-left of a destination rectangle in device pixels.
    Point16 ToDevice(const Rect16& r) const { return Point16{i16(r.left - offset.h), i16(r.top - offset.v)}; }
    // Whether a point in port coordinates lies in the store; `device` receives it in device pixels.
    bool StorePoint(i16 x, i16 y, Point16* device) const;

    std::unique_ptr<GfxDibBitmap> store_;
};

class GfxOffscreenPort8 : public GfxOffscreenPort {
public:
    explicit GfxOffscreenPort8(std::unique_ptr<GfxDibBitmap> store);

    EngineErr DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size,
                         u16 mode, u16 flags) override;
    EngineErr StretchDIB(plat::gdi::Box dst, plat::gdi::Box src, const plat::gdi::DibImage& image, u32 rop) override;
    GfxColor* ReadPixel(GfxColor* out, i16 x, i16 y) override;
    EngineErr FillColorRect(const Rect16& r, const GfxColor& color, u16 mode) override;
    void CheckPalette() override;
    GfxPalette* SetPalette(GfxPalette* newPalette) override;
    plat::gdi::ColorRef ToColorRef(const GfxColor& color) override;

private:
    void CopyPaletteToTable(const GfxPalette* source);
    // The colour's index in the colour table, or kGfxNoIndex for the default colour.
    u16 TableIndex(const GfxColor& color);
};

class GfxOffscreenPort16 : public GfxOffscreenPort {
public:
    explicit GfxOffscreenPort16(std::unique_ptr<GfxDibBitmap> store);

    EngineErr DrawPixels(const Rect16& dst, u16 width, u16 height, i16 rowBytes, u16 format, const u8* pixels, u32 size,
                         u16 mode, u16 flags) override;
    GfxColor* ReadPixel(GfxColor* out, i16 x, i16 y) override;
};

// Depth 0 is the display's depth; 1, 4, 8, 16, 24 and 32 are made; other depths give kGfxErrBadValue.
// Palette 0 is the default palette. Null with the graphics error set on failure.
GfxPort* gfxNewOffscreenPort(u16 width, u16 height, u16 depth, GfxPalette* palette);
