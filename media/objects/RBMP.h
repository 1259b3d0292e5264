#pragma once
// The bitmap media object that picture sprites draw through, the still-picture sibling of
// RFlash and RMovie: the area its pictures show in (the canvas; objects are placed relative to
// its top-left and clipped to it), a drawing origin, the two drawing operations over a picture
// sprite's record, and the picture sprites it lists, each made by CreatePictureSprite.
// User-interface thread only.
#include <memory>
#include <vector>

#include "document/objects/RPageObject.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"

class PictureSprite;
struct PictureRecord;

// One per picture sprite.
struct PictureSpriteRecord {
    Rect16 rect{};          // (0, 0) to the picture's size
    Rect16 position{};      // where the picture stands on the screen
    bool redrawPending = false;
    u16 sprite = 0;  // the sprite layer's handle
    u16 mode = 0;    // the transfer mode: transparent for a picture with a mask
    std::vector<u8> bitmap;  // the expanded picture: an engine bitmap (PictureBitmap.h)
};

class RBMP {
public:
    explicit RBMP(const Rect16& area);
    virtual ~RBMP();
    RBMP(const RBMP&) = delete;
    RBMP& operator=(const RBMP&) = delete;

    // Draws the record's picture with its top-left at (x, y) of the current port.
    virtual EngineErr DrawAt(const PictureSpriteRecord& record, i16 x, i16 y);
    // Draws it scaled into `destination` of the current port; a record without a picture sets
    // the graphics error kGfxErrBadFormat and draws nothing.
    virtual EngineErr DrawInto(const PictureSpriteRecord& record, const Rect16& destination, u16 mode, u16 flags);

    void SetOrigin(i32 x, i32 y) { x_ = x, y_ = y; }
    i32 x() const { return x_; }
    i32 y() const { return y_; }

    // Takes the sprite off the list and deletes it.
    void RemovePicture(PictureSprite* sprite);
    // Deletes the sprites whose object went.
    void RemoveOrphans();
    const Rect16& area() const { return area_; }
    size_t count() const { return sprites_.size(); }
    PictureSprite* sprite(size_t index) const { return sprites_[index].get(); }
    Rect16 ToScreen(const Ostrel::PageRect& r) const;

private:
    friend PictureSprite* CreatePictureSprite(RBMP* owner, const PictureRecord& picture,
                                              Ostrel::RPageObject* object);

    Rect16 area_;
    i32 x_;
    i32 y_;
    std::vector<std::unique_ptr<PictureSprite>> sprites_;
};
