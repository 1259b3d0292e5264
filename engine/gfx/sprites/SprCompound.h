#pragma once
// Sprites that stand for a layout: a shape whose first frame is a list of parts (a frame of
// the group at an offset each) that screens draw once and then read back as the areas of
// their fields. The sprite stays in the display list showing that frame; the caller's record
// receives its parts and bounds. User-interface thread only.
#include "engine/gfx/sprites/SprLayer.h"

struct SprCompound {
    u16 id;
    Rect16 bounds;
    u16 count;
    SprPart parts[kSprMaxParts];
};

// Makes the sprite, computes its first frame (drawn by the next update) and fills `record`;
// the part count, 0 when the sprite cannot be made or the shape has no frame.
u16 sprNewCompound(u16 shape, SprCompound* record);
// The same, and the record follows the parts whenever the sprite makes a new frame.
u16 sprNewCompoundLinked(u16 shape, SprCompound* record);
// A sprite showing the first frame of a shape with a user procedure called for it; with
// `drawNow` the frame is computed at once and drawn by the next update. Its id, or kSprNoId.
u16 sprNewCustom(u16 shape, const Point16* position, u16 drawNow, SprUserProc user, uintptr_t data1, uintptr_t data2);
