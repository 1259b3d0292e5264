#pragma once
// Ports on the display rather than on a picture of their own. `GfxWindowPort` is the base of
// the two kinds the program makes: the memory display port (kind 4), a picture in the
// display's own format drawn only through the drawing layer, and the window port (kind 6),
// which draws into the face of a window (platform/display) and shows what was drawn when
// its last lock ends. The window port also brackets the repainting of its window: between
// BeginUpdate and EndUpdate every clip is cut to the area the window asked to have
// repainted. Direct access to the screen goes through the direct-surface path when the
// engine settings enable it; otherwise those operations answer 10802. The primary surface
// is the main window's face, so window coordinates are surface coordinates. User-interface
// thread only.
#include <memory>

#include "engine/gfx/GfxPort.h"
#include "platform/display/DirectSurfaces.h"
#include "platform/display/DisplayWindow.h"

constexpr u32 kGfxKindDisplay = 3;
constexpr u32 kGfxKindMemoryDisplay = 4;
constexpr u32 kGfxKindWindow = 6;
// The depth that asks gfxNewOffscreenPort for a memory display port.
constexpr u16 kGfxMemoryDisplayDepth = 0xFFFF;

class GfxWindowPort : public GfxPort {
public:
    explicit GfxWindowPort(const Rect16& deviceRect);
    void UpdateDeviceCaps() override;
    EngineErr Lock() override;
    EngineErr LockSurface(Rect16* out) override;
    EngineErr LockBits(GfxPixelDescriptor* descriptor) override;
    EngineErr UnlockBits(GfxPixelDescriptor* descriptor) override;

protected:
    // The context a first lock takes; null when none can be made.
    virtual std::unique_ptr<plat::gdi::DeviceContext> MakeContext() = 0;

    // The primary surface last handed out by LockSurface.
    plat::DirectSurface* lockedSurface_ = nullptr;
    // The primary surface locked by LockBits.
    plat::DirectSurface* bitsSurface_ = nullptr;
};

class GfxMemoryDisplayPort : public GfxWindowPort {
public:
    explicit GfxMemoryDisplayPort(const Rect16& deviceRect);
    EngineErr ResetState() override;
    void Detach() override;

protected:
    std::unique_ptr<plat::gdi::DeviceContext> MakeContext() override;

private:
    std::unique_ptr<plat::gdi::Surface> picture_;
};

class GfxDDrawWindowPort : public GfxWindowPort {
public:
    GfxDDrawWindowPort(plat::WindowHandle window, u32 flags, const Rect16& deviceRect);

    EngineErr ApplyClip(memHandle region) override;
    // Copies a direct surface of the port's depth onto the window, clip piece by clip piece.
    EngineErr BltFromSurface(const Rect16& dst, const Rect16& src, const void* surface, u16 sourceDepth,
                             u32 rop) override;
    EngineErr UnlockSurface() override;
    void Detach() override;
    EngineErr Scroll(const Rect16& r, i16 dx, i16 dy, memHandle updateRegion) override;
    void Unlock() override;

    EngineErr BeginUpdate();
    EngineErr EndUpdate();
    bool Updating() const { return updating_; }
    plat::WindowHandle Window() const { return window_; }
    u32 Flags() const { return flags_; }

protected:
    std::unique_ptr<plat::gdi::DeviceContext> MakeContext() override;

private:
    plat::DisplayWindow* Face() const { return plat::findDisplayWindow(window_); }

    plat::WindowHandle window_;
    u32 flags_;
    bool updating_ = false;
    plat::gdi::Region update_;
};

GfxPort* gfxNewMemoryDisplayPort(u16 width, u16 height, GfxPalette* palette);
// The port of a window that has a face on the display; 0 with 10807 when it has none.
GfxPort* gfxNewDDrawWindowPort(plat::WindowHandle window, u32 flags, GfxPalette* palette);
