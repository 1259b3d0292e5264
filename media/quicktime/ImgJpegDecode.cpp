// JPEG picture blocks back into raw picture blocks or onto ports.
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDecompressors.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "media/quicktime/QtRects.h"

namespace {

namespace pm = plat::media;

// Decodes the block's stream from `source` onto a new 16-bit world of the destination's size.
MrWorld* decodeToWorld(const u8* block, u32 size, const Rect16& destination, const Rect16& source) {
    JpegBlockHeader header;
    if (!imgReadJPEGHeader(block, size, &header)) return nullptr;
    const i16 width = i16(destination.right - destination.left), height = i16(destination.bottom - destination.top);
    if (width <= 0 || height <= 0) return nullptr;
    const pm::MrRect bounds{0, 0, height, width};
    MrWorld* world = nullptr;
    if (qtNewWorldOfFormat(&world, pm::kMrFormatL555, &bounds) != 0) return nullptr;
    const pm::MrRect from = qtRectOf(source);
    if (qtDecompressImage(block + kJpegBlockHeaderSize, header.streamSize, qtWorldPixMap(world), &from, &bounds) != 0) {
        qtDisposeWorld(world);
        return nullptr;
    }
    return world;
}

constexpr const char* kJpegCodecName = "jpeg";

// The graphics engine's decoder entry: the stream into `height` rows of `rowBytes` at `out`.
u32 decodeForEngine(u8* out, u32 expandedSize, u16 width, u16 height, u16 bits, i16 rowBytes, const u8* data,
                    u32 length, u32) {
    const u32 format = bits == 16 ? pm::kMrFormatL555 : bits == 24 ? pm::kMrFormatBgr24 : bits == 32 ? pm::kMrFormatBgra32 : 0;
    if (!format || rowBytes <= 0 || width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF ||
        u64(u16(rowBytes)) * height > expandedSize)
        return 1;
    const pm::MrRect bounds{0, 0, i16(height), i16(width)};
    MrWorld* world = nullptr;
    if (qtNewWorldOverMemory(&world, format, &bounds, out, rowBytes) != 0) return 1;
    const MrErr result = qtDecompressImage(data, length, qtWorldPixMap(world), &bounds, &bounds);
    qtDisposeWorld(world);
    return result == 0 ? 0 : 1;
}

// The sprite layer's entry: a shape's JPEG picture becomes its raw picture in place.
EngineErr decodeForSprites(memHandle picture) {
    return imgDecodeJPEGHandleInPlace(picture) ? kErrNone : kGfxErrBadFormat;
}

}  // namespace

void imgInstallJpegDecompressor() {
    imgRemoveJpegDecompressor();
    gfxRegisterDecompressor(kJpegCodecName, decodeForEngine, 0);
    sprSetJpegDecoder(decodeForSprites);
}

void imgRemoveJpegDecompressor() {
    gfxUnregisterDecompressor(kJpegCodecName);
    sprSetJpegDecoder(nullptr);
}

memHandle imgDecodeJPEG(const u8* block, u32 size, GfxPort* port, const Rect16& destination, const Rect16& source) {
    if (!block) return 0;
    MrWorld* world = decodeToWorld(block, size, destination, source);
    if (!world) return 0;
    memHandle result = 0;
    if (port) {
        GfxPort* previous = gfxGetPort();
        gfxSetPort(port);
        gfxRealizePalette(gfxGetPortPalette(), 0);
        gfxDrawPixelBuffer(destination, qtPixelBase(qtWorldPixMap(world)), 16);
        gfxSetPort(previous);
    } else {
        result = qtCompressToJPEG(qtWorldPixMap(world), nullptr, kImgRawQuality);
    }
    qtDisposeWorld(world);
    return result;
}

memHandle imgDecodeJPEGData(const u8* block, u32 size, GfxPort* port, const Rect16& rect) {
    return imgDecodeJPEG(block, size, port, rect, rect);
}

memHandle imgDecodeJPEGHandle(memHandle handle, GfxPort* port, const Rect16& rect) {
    const i32 size = memGetHandleSize(handle);
    const u8* data = static_cast<const u8*>(memLockHandle(handle));
    if (!data || size < 0) return 0;
    const memHandle result = imgDecodeJPEGData(data, u32(size), port, rect);
    memUnlockHandle(handle);
    return result;
}

memHandle imgDecodeJPEGHandleInPlace(memHandle handle) {
    const i32 size = memGetHandleSize(handle);
    const u8* data = static_cast<const u8*>(memLockHandle(handle));
    if (!data) return 0;
    JpegBlockHeader header;
    memHandle decoded = 0;
    if (size >= 0 && imgReadJPEGHeader(data, u32(size), &header)) {
        const Rect16 rect{0, 0, i16(header.width), i16(header.height)};
        if (header.width <= 0x7FFF && header.height <= 0x7FFF) decoded = imgDecodeJPEG(data, u32(size), nullptr, rect, rect);
    }
    memUnlockHandle(handle);
    if (!decoded) return 0;
    memSwapHandles(handle, decoded);
    memFreeHandle(decoded);
    return handle;
}

memHandle imgExpandPictureHandle(memHandle handle) {
    bool jpeg = false;
    if (handle) {
        const i32 size = memGetHandleSize(handle);
        if (const u8* data = static_cast<const u8*>(memLockHandle(handle))) {
            jpeg = size >= 0 && imgIsJPEGBlock(data, u32(size));
            memUnlockHandle(handle);
        }
    }
    if (jpeg) return imgDecodeJPEGHandleInPlace(handle);
    return gfxExpandBitmap(handle) == kErrNone ? handle : 0;
}
