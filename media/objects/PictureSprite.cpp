#include "media/objects/PictureSprite.h"

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/regions/Regions.h"
#include "media/objects/PictureBitmap.h"

namespace {

PictureSprite* pictureOf(SprSprite* sprite) {
    return sprite ? reinterpret_cast<PictureSprite*>(sprite->data1) : nullptr;
}

bool sameSize(const Rect16& a, const Rect16& b) {
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

}  // namespace

PictureSprite* CreatePictureSprite(RBMP* owner, const PictureRecord& picture, Ostrel::RPageObject* object) {
    if (!owner || !object) return nullptr;
    auto made = std::unique_ptr<PictureSprite>(new PictureSprite(owner, object));
    PictureSpriteRecord& record = made->record_;
    record.bitmap = expandPictureBitmap(picture);
    if (record.bitmap.empty()) return nullptr;
    record.mode = picture.mask.empty() ? 0 : kGfxModeTransparent;
    record.rect = {0, 0, i16(picture.width), i16(picture.height)};
    record.position = owner->ToScreen(object->rect);
    record.redrawPending = true;
    const Point16 at{record.position.left, record.position.top};
    record.sprite = sprNewWithProcs(0, 0, &at, nullptr, &PictureSprite::Step, &PictureSprite::DrawSprite);
    if (SprSprite* sprite = sprFind(record.sprite)) {
        sprite->data1 = reinterpret_cast<uintptr_t>(made.get());
        sprite->bounds = record.position;
        rectIntersect(&sprite->bounds, owner->area());
    } else {
        record.sprite = 0;
    }
    PictureSprite* shown = made.get();
    object->SetMedia(shown);
    owner->sprites_.push_back(std::move(made));
    return shown;
}

PictureSprite::~PictureSprite() {
    if (object_ && object_->Media() == this) object_->SetMedia(nullptr);
    ObjectGone();
}

void PictureSprite::ObjectGone() {
    object_ = nullptr;
    // A removal during a screen update waits for its end: the sprite must not reach us then.
    if (SprSprite* sprite = sprFind(record_.sprite)) sprite->data1 = 0;
    if (record_.sprite) sprRemoveById(record_.sprite, 1, 1);
    record_.sprite = 0;
}

void PictureSprite::MarkDirty() const {
    Rect16 shown = record_.position;
    if (rectIntersect(&shown, owner_->area())) sprInvalRect(shown);
}

void PictureSprite::SetBounds(const Rect16& rect) {
    MarkDirty();
    record_.position = rect;
    if (SprSprite* sprite = sprFind(record_.sprite)) sprite->position = Point16{rect.left, rect.top};
    record_.redrawPending = true;
    MarkDirty();
}

EngineErr PictureSprite::DrawScaled(const Rect16& rect) const {
    memHandle clip = rgnCreate();
    if (clip) gfxGetClipRgn(clip);
    gfxIntersectClipRect(owner_->area());
    const EngineErr drawn = sameSize(rect, record_.rect) ? owner_->DrawAt(record_, rect.left, rect.top)
                                                         : owner_->DrawInto(record_, rect, record_.mode, 0);
    if (clip) {
        gfxSetClipRgn(clip);
        rgnDispose(clip);
    }
    return drawn;
}

void PictureSprite::Step(SprSprite* sprite, memHandle region) {
    PictureSprite* picture = pictureOf(sprite);
    if (!picture || sprite->hideCount > 0 || !picture->record_.redrawPending) return;
    picture->record_.redrawPending = false;
    Rect16 shown = picture->record_.position;
    const bool inside = rectIntersect(&shown, picture->owner_->area());
    sprite->bounds = shown;
    if (inside) rgnUnionRect(region, shown);
}

void PictureSprite::DrawSprite(SprSprite* sprite) {
    if (const PictureSprite* picture = pictureOf(sprite)) picture->DrawScaled(picture->record_.position);
}
