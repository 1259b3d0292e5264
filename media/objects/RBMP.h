#pragma once
// The bitmap media object that picture sprites draw through: a drawing origin and the two
// drawing operations over a picture record. A record holds the picture's expanded engine
// bitmap, locked for as long as the record keeps it. User-interface thread only.
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"

// One per picture sprite.
struct PictureRecord {
    Rect16 rect{};          // (0, 0) to the picture's size
    Rect16 position{};      // where the picture stands on the page
    u16 redrawPending = 0;
    u16 reserved = 0;
    u16 sprite = 0;  // the sprite layer's handle
    u16 flags = 0;
    const u8* bitmap = nullptr;  // the locked picture: a big-endian bitmap header, then its pixels
    u32 bitmapSize = 0;
};

class RBMP {
public:
    RBMP(void* owner, i32 x, i32 y) : owner_(owner), x_(x), y_(y) {}
    virtual ~RBMP() = default;
    RBMP(const RBMP&) = delete;
    RBMP& operator=(const RBMP&) = delete;

    // Draws the record's picture with its top-left at (x, y) of the current port.
    virtual EngineErr DrawAt(const PictureRecord& record, i16 x, i16 y);
    // Draws it scaled into `destination` of the current port; a record without a picture sets
    // the graphics error kGfxErrBadFormat and draws nothing.
    virtual EngineErr DrawInto(const PictureRecord& record, const Rect16& destination, u16 mode, u16 flags);

    void SetOrigin(i32 x, i32 y) { x_ = x, y_ = y; }
    i32 x() const { return x_; }
    i32 y() const { return y_; }
    void* owner() const { return owner_; }

private:
    void* owner_;
    i32 x_;
    i32 y_;
};
