#pragma once
// Ports on the display rather than on a picture of their own. `GfxWindowPort` is the base of
// the two kinds the program makes: the memory display port (kind 4), a picture in the
// display's own format drawn only through the drawing layer, and the window port (kind 6),
// which draws into the face of a window (platform/display) and shows what was drawn when
// its last lock ends. The window port also brackets the repainting of its window: between
// BeginUpdate and EndUpdate every clip is cut to the area the window asked to have
// repainted. Direct access to the screen goes through the direct-surface path when the
// engine settings enable it; otherwise those operations answer kGfxErrNotSupported. The primary surface
// is the main window's face, so window coordinates are surface coordinates. User-interface
// thread only.
#include <memory>

#include "engine/gfx/GfxPort.h"
#include "platform/display/DirectSurfaces.h"

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
