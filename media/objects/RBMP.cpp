#include "media/objects/RBMP.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"

EngineErr RBMP::DrawAt(const PictureRecord& record, i16 x, i16 y) {
    if (!record.bitmap) return gfxSetError(kGfxErrBadFormat);
    return gfxDrawBitmap(record.bitmap, record.bitmapSize, x, y, 0);
}

EngineErr RBMP::DrawInto(const PictureRecord& record, const Rect16& destination, u16 mode, u16 flags) {
    if (!record.bitmap) return gfxSetError(kGfxErrBadFormat);
    return gfxDrawBitmapInRect(record.bitmap, record.bitmapSize, destination, mode, flags);
}
