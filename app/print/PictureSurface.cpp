#include "app/print/PictureSurface.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/CapturePortPixels.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprPicture.h"

namespace Ostrel {
namespace {

constexpr u16 kSurfaceDepth = 24;
constexpr u16 kCopyMode = 0;

// The 24-bit rows of a captured port as a top-down surface.
std::unique_ptr<plat::gdi::Surface> surfaceOfCapture(const u8* b, u32 size) {
    if (size < kGfxBitmapHeaderSize) return nullptr;
    const u16 width = readBE16(b);
    const u16 height = readBE16(b + 2);
    const i16 rowBytes = i16(readBE16(b + 4));
    if (gfxBitsOfDepthCode(readBE16(b + 6)) != kSurfaceDepth || width == 0 || height == 0) return nullptr;
    const u8* pixels = b + kGfxBitmapHeaderSize;
    if (!gfxPlainRowsFit(width, height, rowBytes, kSurfaceDepth, size - kGfxBitmapHeaderSize)) return nullptr;
    auto surface = plat::gdi::Surface::create(width, height, kSurfaceDepth, plat::gdi::RowOrder::TopDown);
    if (!surface) return nullptr;
    // Both keep blue, green, red in memory.
    for (u16 y = 0; y < height; ++y) std::memcpy(surface->row(y), gfxPlainRow(pixels, rowBytes, height, y), size_t(width) * 3);
    return surface;
}

}  // namespace

std::unique_ptr<plat::gdi::Surface> PictureSurface(const u8* bitmap, u32 size) {
    if (!bitmap || size < kGfxBitmapHeaderSize) return nullptr;
    const u16 width = readBE16(bitmap);
    const u16 height = readBE16(bitmap + 2);
    if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF) return nullptr;
    GfxPort* port = gfxNewOffscreenPort(width, height, kSurfaceDepth, nullptr);
    if (!port) return nullptr;
    // Only a locked port may be made current.
    if (gfxLockPort(port) != kErrNone) {
        gfxDisposePort(port);
        return nullptr;
    }
    GfxPort* previous = gfxSetPort(port);
    const Rect16 whole{0, 0, i16(width), i16(height)};
    gfxFillRect(whole, GfxColor::rgb(255, 255, 255, kGfxColorFlagPortRgb), kCopyMode);
    const EngineErr drawn = gfxDrawBitmap(bitmap, size, 0, 0, kCopyMode);
    gfxSetPort(previous == port ? nullptr : previous);
    const memHandle captured = CapturePortPixels(port, true);
    if (captured == 0) return nullptr;
    std::unique_ptr<plat::gdi::Surface> surface;
    if (drawn == kErrNone)
        surface = surfaceOfCapture(static_cast<const u8*>(memDerefHandle(captured)), u32(memGetHandleSize(captured)));
    memFreeHandle(captured);
    return surface;
}

std::unique_ptr<plat::gdi::Surface> LoadPictureSurface(u16 pictureId) {
    ResourceRef ref = 0;
    const memHandle picture = sprLoadPicture(&ref, pictureId, 0);
    if (picture == 0) return nullptr;
    auto surface =
        PictureSurface(static_cast<const u8*>(memDerefHandle(picture)), u32(memGetHandleSize(picture)));
    sprReleaseResource(&ref);
    return surface;
}

}  // namespace Ostrel
