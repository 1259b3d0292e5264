#include "engine/gfx/sprites/SprPicture.h"

#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/gfx/sprites/SprShapeState.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"

namespace {

SprJpegDecoder jpegDecoder = nullptr;
constexpr char kJpegCodec[] = "jpeg";

}  // namespace

void sprSetJpegDecoder(SprJpegDecoder decoder) { jpegDecoder = decoder; }

SprJpegDecoder sprGetJpegDecoder() { return jpegDecoder; }

bool sprIsJpegPicture(const u8* bitmap, u32 size) {
    return size >= kGfxBitmapHeaderSize + 4 &&
           (readBE16(bitmap + 6) & kGfxFormatCompressionMask) == kGfxFormatCompressionMask &&
           std::memcmp(bitmap + kGfxBitmapHeaderSize, kJpegCodec, 4) == 0;
}

EngineErr sprPreparePicture(memHandle picture) {
    const u8* b = static_cast<const u8*>(memDerefHandle(picture));
    if (!b) return memGetLastError();
    if (sprIsJpegPicture(b, u32(memGetHandleSize(picture)))) return jpegDecoder ? jpegDecoder(picture) : kShapeErrNoJpegDecoder;
    return gfxExpandBitmap(picture);
}

memHandle sprLoadPicture(ResourceRef* ref, u16 pictureId, u16) {
    bool fresh = false;
    const memHandle handle = sprLoadResource(kSprPictureType, pictureId, ref, &fresh);
    if (handle == 0) return sprSetError(resGetLastError()), memHandle(0);
    const EngineErr error = fresh ? sprPreparePicture(handle) : kErrNone;
    if (error != kErrNone || !sprLockResource(*ref).data) {
        sprDropResource(ref);
        return sprSetError(error != kErrNone ? error : memGetLastError()), memHandle(0);
    }
    sprSetError(kErrNone);
    return handle;
}
