#pragma once
// The memory display port (kind 4): a picture in the display's own format, drawn only
// through the drawing layer. User-interface thread only.
#include <memory>

#include "engine/gfx/GfxWindowPort.h"

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

GfxPort* gfxNewMemoryDisplayPort(u16 width, u16 height, GfxPalette* palette);
