#include "media/objects/RBMP.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "media/objects/PictureSprite.h"

RBMP::RBMP(const Rect16& area) : area_(area), x_(area.left), y_(area.top) {}

RBMP::~RBMP() { sprites_.clear(); }

// A record without a picture is refused by the drawing calls themselves (kGfxErrBadFormat).
EngineErr RBMP::DrawAt(const PictureSpriteRecord& record, i16 x, i16 y) {
    return gfxDrawBitmap(record.bitmap.data(), u32(record.bitmap.size()), x, y, record.mode);
}

EngineErr RBMP::DrawInto(const PictureSpriteRecord& record, const Rect16& destination, u16 mode, u16 flags) {
    return gfxDrawBitmapInRect(record.bitmap.data(), u32(record.bitmap.size()), destination, mode, flags);
}

void RBMP::RemovePicture(PictureSprite* sprite) {
    std::erase_if(sprites_, [sprite](const auto& held) { return held.get() == sprite; });
}

void RBMP::RemoveOrphans() {
    std::erase_if(sprites_, [](const auto& held) { return held->object() == nullptr; });
}

Rect16 RBMP::ToScreen(const Ostrel::PageRect& r) const {
    return {i16(r.left + area_.left), i16(r.top + area_.top), i16(r.right + area_.left), i16(r.bottom + area_.top)};
}
