#pragma once
// A picture on the page ('tBMP' other than the background, 'tMBM') shown by its own sprite over
// the painting, drawn through its RBMP at the object's place and size: at its own size as it
// is, scaled when the object was resized, its masked places showing what lies below. Listed
// by an RBMP. The object tells the sprite when it goes: the sprite then leaves the screen and
// the picture waits for its RBMP to let it go. User-interface thread only.
#include "document/objects/PageObjectMedia.h"
#include "media/objects/RBMP.h"

struct SprSprite;

class PictureSprite final : public Ostrel::PageObjectMedia {
public:
    ~PictureSprite();
    PictureSprite(const PictureSprite&) = delete;
    PictureSprite& operator=(const PictureSprite&) = delete;

    void ObjectGone() override;

    const PictureSpriteRecord& record() const { return record_; }
    Ostrel::RPageObject* object() const { return object_; }
    RBMP* owner() const { return owner_; }
    // Shows the picture at `rect` (screen), scaled to it.
    void SetBounds(const Rect16& rect);
    // Draws the picture scaled into `rect` of the current port, clipped to the owner's area.
    EngineErr DrawScaled(const Rect16& rect) const;

private:
    friend PictureSprite* CreatePictureSprite(RBMP* owner, const PictureRecord& picture, Ostrel::RPageObject* object);

    PictureSprite(RBMP* owner, Ostrel::RPageObject* object) : owner_(owner), object_(object) {}
    void MarkDirty() const;
    static void Step(SprSprite* sprite, memHandle region);
    static void DrawSprite(SprSprite* sprite);

    RBMP* owner_;
    Ostrel::RPageObject* object_;
    PictureSpriteRecord record_;
};

// Expands the object's stored picture, shows it on a new sprite at the object's place, lists
// the sprite with `owner` and hands it to the object. Null (nothing changed) for no owner or
// object, and for a picture whose pixels do not match its size.
PictureSprite* CreatePictureSprite(RBMP* owner, const PictureRecord& picture, Ostrel::RPageObject* object);
