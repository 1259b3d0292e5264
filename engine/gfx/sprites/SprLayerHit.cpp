#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/sprites/SprLayerState.h"
#include "engine/gfx/sprites/SprShapes.h"

namespace {

constexpr u32 kSprAllFlags = 0xFFFFFF;
constexpr u32 kSprLowByte = 0xFF;

bool boundsHit(SprSprite* s, Point16 point) {
    return rectContainsPoint(s->bounds, point) && (!s->pixelHits || sprHitParts(s, point));
}

}  // namespace

bool sprHitParts(SprSprite* s, Point16 point) {
    if (!s || (s->scriptIndex == -1 && s->range == -1)) return false;
    for (const SprPart* p = s->parts; p->frame != 0; ++p) {
        if (p->frame == kSprEmptyPart) continue;
        const i32 x = point.h - p->x, y = point.v - p->y;
        u16 width = 0, height = 0;
        if (x < 0 || y < 0 || !sprFrameSize(s->range, p->frame, &width, &height) || x >= width || y >= height) continue;
        std::span<const u8> bitmap = sprGroupFrame(s->range, i16(p->frame));
        if (gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), u16(x), u16(y)) > 0) return true;
    }
    return false;
}

SprSprite* sprFindAtPoint(Point16 point, u32 flagsValue, u16 frontToBack, u16 lowByteOnly, u16 includeHidden) {
    SprScreen* screen = sprScreen();
    if (!screen) return nullptr;
    const u32 mask = lowByteOnly ? kSprLowByte : kSprAllFlags;
    const u32 wanted = flagsValue & mask;
    auto considers = [&](SprSprite* s) {
        if (wanted != kSprAllFlags && (s->flags & mask) != wanted) return false;
        if (s->hit) return s->hit(s, point) != 0;
        return (!s->hidden || includeHidden) && boundsHit(s, point);
    };
    if (frontToBack) {
        for (SprSprite* s = screen->front->behind; s; s = s->behind)
            if (considers(s)) return s;
    } else {
        for (SprSprite* s = screen->back; s && s != screen->front; s = s->inFront)
            if (considers(s)) return s;
    }
    return nullptr;
}

SprSprite* sprHitTest(Point16 point, u32 anyMask, u32 matchMask, u32 matchValue) {
    SprScreen* screen = sprScreen();
    if (!screen) return nullptr;
    for (SprSprite* s = screen->front->behind; s; s = s->behind) {
        if (s->flags == 0 && anyMask == 0) continue;
        if (matchMask && (s->flags & matchMask) != matchValue) continue;
        if (s->hit ? s->hit(s, point) != 0 : boundsHit(s, point)) return s;
    }
    return nullptr;
}
