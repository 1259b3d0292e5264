#pragma once
// The surface bitmap store: an offscreen port's pixels in a direct surface rather than a
// DIB section. Its memory is valid only while locked (top-down: stride is minus the pitch,
// origin 0); its device context is lent per drawing bracket and must come back before the
// surface is locked or copied. A surface can be lost at any time; every entry that touches
// the pixels restores it first and offers the loss to the restore handlers, which redraw it.
// Made only while a restore handler is registered, at depths 8 (with a colour table, from the
// default palette at first), 16 and 24. Owned by one offscreen port; user-interface thread
// only.
#include "engine/gfx/GfxDibBitmap.h"
#include "platform/display/DirectSurfaces.h"

// Placement flags: where the surface lives (bits 14-15) and what it must allow.
constexpr u16 kGfxPlaceMask = 0xC000;
constexpr u16 kGfxPlaceSystem = 0x8000;
constexpr u16 kGfxPlaceNonLocal = 0x4000;
constexpr u16 kGfxPlaceLocal = 0xC000;
constexpr u16 kGfxPlaceBlittable = 0x0001;
constexpr u16 kGfxPlaceReadable = 0x0002;

class GfxSurfaceBitmap : public GfxDibBitmap {
public:
    GfxSurfaceBitmap(i16 width, i16 height, u16 depth, u16 placement);
    ~GfxSurfaceBitmap() override;

    EngineErr Create(bool clear) override;
    void Destroy() override;
    plat::gdi::DeviceContext* GetDC() override;
    void ReleaseDC(plat::gdi::DeviceContext*) override { context_.reset(); }
    EngineErr Lock() override;
    void Unlock() override;
    bool NeedsIndexColors(u32) const override { return true; }
    void GetColorTable(u16 first, u16 count, plat::gdi::Rgb* out) const override;
    void SetColorTable(u16 first, u16 count, const plat::gdi::Rgb* entries) override;
    EngineErr Blit(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, bool paletteIndices, u32 rop,
                   plat::gdi::StretchMode stretch, bool mirror, bool flip) override;

    // Restores a lost surface and offers the loss to the handlers: 0 when one redrew it, kGfxErrBadValue
    // when none did (the pixels are undefined but the store is usable).
    EngineErr Restore();
    plat::DirectSurface* Surface() const { return surface_.get(); }

    u16 placement;
    GfxPort* owner = nullptr;

private:
    EngineErr ChoosePlace(const plat::DirectCapabilities& caps, plat::SurfacePlace* place) const;
    // Copies through the destination's own drawing, for what the direct copy does not take.
    EngineErr DrawInto(GfxPort* destination, const Rect16& dstRect, const Rect16& srcRect, bool paletteIndices,
                       u32 rop, plat::gdi::StretchMode stretch, bool mirror, bool flip);

    std::unique_ptr<plat::DirectSurface> surface_;
    std::unique_ptr<plat::gdi::DeviceContext> context_;
    // The colour table of an 8-bit surface, kept across losses.
    std::vector<plat::gdi::Rgb> table_;
};
