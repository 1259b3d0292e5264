#include "engine/gfx/CapturePortPixels.h"

#include <cstdlib>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxFont.h"

namespace {

constexpr u16 kFormat8 = 0x0002;
constexpr u16 kFormat16 = 0x1003;
constexpr u16 kFormat24 = 0x0004;

u16 formatOf(u16 depth) { return depth == 16 ? kFormat16 : depth == 24 ? kFormat24 : kFormat8; }

memHandle copyPixels(const GfxPixelDescriptor& d) {
    const u32 width = u32(i32(d.bounds.right) - d.bounds.left), height = u32(i32(d.bounds.bottom) - d.bounds.top);
    const u32 step = u32(std::abs(d.rowStep));
    if (d.depth < 8 || !d.base || step > 0x7FFF) return 0;
    const u64 size = kGfxBitmapHeaderSize + u64(step) * height;
    if (size > 0xFFFFFFFFu) return 0;
    const memHandle handle = memAllocHandle(u32(size));
    if (handle == 0) return 0;
    u8* b = static_cast<u8*>(memDerefHandle(handle));
    writeBE16(b, u16(width));
    writeBE16(b + 2, u16(height));
    writeBE16(b + 4, u16(i16(d.rowStep)));
    writeBE16(b + 6, formatOf(d.depth));
    std::memcpy(b + kGfxBitmapHeaderSize, d.base, size_t(step) * height);
    return handle;
}

}  // namespace

memHandle CapturePortPixels(GfxPort* port, bool disposeAfter) {
    if (gfxLockPort(port) != kErrNone) return 0;
    GfxPort* previous = gfxSetPort(port);
    memHandle handle = 0;
    GfxPixelDescriptor pixels{};
    if (gfxLockPortBits(&pixels) == kErrNone) {
        handle = copyPixels(pixels);
        gfxUnlockPortBits(&pixels);
    }
    if (!disposeAfter) {
        gfxUnlockPort(port);
        gfxSetPort(previous);
        return handle;
    }
    gfxSetFont(gfxDefaultFont());
    while (port->lockCount > 0 && gfxUnlockPort(port) == kErrNone) {
    }
    gfxSetPort(previous == port ? nullptr : previous);
    gfxDisposePort(port);
    return handle;
}
