#pragma once
// Helpers shared by the files of the sprite layer. Internal to the layer.
#include <vector>

#include "engine/gfx/sprites/SprLayer.h"

// List links. A sprite out of the list has both links null.
bool sprIsLinked(const SprSprite* sprite);
void sprLinkBehind(SprSprite* sprite, SprSprite* other);
void sprLinkInFront(SprSprite* sprite, SprSprite* other);
void sprTakeOut(SprSprite* sprite);
// The linked sprite with that id, searched from the front sentinel backwards.
SprSprite* sprFindLinked(u16 id);
// Marks the sprite's area dirty: its region when it has one, else its bounds.
void sprInvalArea(SprSprite* sprite);
// The area a changed sprite covers: its clip rectangle when clipping, else region or bounds.
void sprInvalChangedArea(SprSprite* sprite, memHandle into);
// Frees a sprite record that is out of the list.
void sprFreeRecord(SprSprite* sprite);
// A copy of a region's rectangles (empty for no region).
std::vector<Rect16> sprRegionRects(memHandle region);
// Frame width and height from the frame bitmap's header.
bool sprFrameSize(i16 slot, u16 frame, u16* width, u16* height);
// Applies the hide rule: hidden while the hide count is at least 0.
void sprApplyHide(SprSprite* sprite, u16 markDirty);
// Looks each sprite's script index and slot up again by its shape.
void sprRefindShapes();
// Carries out a reset or shutdown deferred while updating, once the update is over.
void sprRunDeferredScreenCalls(SprScreen* screen);
