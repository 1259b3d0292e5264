#pragma once
// The window port (kind 6): draws into the face of a window and shows what was drawn when its
// last lock ends, and what is copied into it at once; between BeginUpdate and EndUpdate every clip is cut to the area the window
// asked to have repainted. User-interface thread only.
#include "engine/gfx/GfxWindowPort.h"
#include "platform/display/DisplayWindow.h"

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
    Point16 ScreenOrigin() const override;
    // Shows the part of the window a copy has just drawn (port coordinates). The application
    // holds the port locked for its whole life, and its sprite layer copies every change of
    // the screen into it: waiting for the last lock to end would show none of them.
    void ShowCopied(const Rect16& r);

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

// The port of a window that has a face on the display; 0 with kGfxErrGdi when it has none.
// `area` is the part of the face the port covers, its top-left corner the port's (0, 0) (a
// window that draws its menu bar above the program's picture); null: the whole face. An area
// not inside the face is refused with kGfxErrBadValue.
GfxPort* gfxNewDDrawWindowPort(plat::WindowHandle window, u32 flags, GfxPalette* palette,
                               const Rect16* area = nullptr);
