#pragma once
// The sprite layer: every screen is composed here. Sprites live in a display list drawn from
// the back sentinel forward; each update steps every sprite through its shape script, puts
// the background back under the dirty region, redraws the sprites that meet it and copies
// only the dirty rectangles from the work picture to the window. Other code draws into the
// work or background port itself and marks what it changed with sprInvalRect.
//
// Every call does nothing (or returns null / kSprNoId) while no screen state is installed
// (SprScreen.h). Removals with `free` during an update are deferred to its end, and an update
// started from a callback inside an update returns at once. User-interface thread only.
#include "engine/gfx/sprites/SprScreen.h"

// Start-up and shutdown. sprInit fills `memory` (the work port is current and the caller
// makes the result the global state); null when a region or the background port cannot be
// made. sprShutdown releases what the layer holds; the caller clears the global state.
// Called from a callback during an update (or a step or shape setting), sprShutdown and
// sprResetScreen wait until it ends, as the sprites it walks must stay alive until then.
SprScreen* sprInit(SprScreen* memory, GfxPort* windowPort, GfxPort* workPort, Rect16 screenRect, GfxPalette* palette);
void sprShutdown(SprScreen* screen);
// Releases every sprite, group, range and script and empties the dirty regions.
void sprResetScreen();

// Creation and lookup. The shape is loaded by the sprite's first step. A new sprite goes just
// behind the front sentinel, a back-layer one behind every sprite not in the back layer and,
// while sprites are picked up, any new one behind the first picked-up sprite.
u16 sprNew(u32 flags, u16 shape, const Point16* position);
u16 sprNewWithProcs(u32 flags, u16 shape, const Point16* position, SprReadyProc ready, SprStepProc step,
                    SprDrawProc draw);
u16 sprNewWithCallback(u32 flags, u16 shape, const Point16* position, SprOwnerCallback callback, uintptr_t data1,
                       uintptr_t data2);
SprSprite* sprFind(u16 id);
void sprSetProcs(SprSprite* sprite, SprReadyProc ready, SprStepProc step, SprDrawProc draw);
void sprSetCallbacks(SprSprite* sprite, SprOwnerCallback callback, SprUserProc user);
void sprClearCallbacks(SprSprite* sprite, u16 clearCallback, u16 clearUser);

// Removal. Without `free` the sprite is only taken out of the list and returned.
SprSprite* sprRemove(SprSprite* sprite, u16 free, u16 markDirty);
SprSprite* sprRemoveById(u16 id, u16 free, u16 markDirty);
void sprDisposePtr(SprSprite** sprite);
// Disposes the sprite whose id *id holds and zeroes it; null disposes every sprite.
void sprDispose(u16* id);
void sprUnlink(SprSprite* sprite);

// Layers.
void sprSetLayer(SprSprite* sprite, u16 inFront, u16 otherId);
void sprSetLayerById(u16 id, u16 inFront, u16 otherId);
void sprBringToFront(SprSprite* sprite);

// Shapes and scripts. Shape 0 keeps the current shape.
void sprSetShape(SprSprite* sprite, u16 shape, SprOwnerCallback callback, u16 reposition);
void sprStep(SprSprite* sprite, memHandle region);
u16 sprReadyByTime(SprSprite* sprite);

// Visibility and place. With `count` the hide and pause counts move by one.
i16 sprHide(SprSprite* sprite, u16 markDirty, u16 count);
i16 sprShow(SprSprite* sprite, u16 count);
void sprMoveTo(SprSprite* sprite, const Point16* point);

// Pick-up and drag. Mode 2 drops a picked-up sprite (unless bit 0 of flags is set); other
// modes drop a picked-up sprite or pick it up.
u16 sprActivate(SprSprite* sprite, const Point16* mouse, u16 mode, u32 flags, const Rect16* limit);
u16 sprPickUp(SprSprite* sprite, const Point16* mouse, u32 flags, const Rect16* limit);
void sprDragProc(SprSprite* sprite, memHandle region);
void sprDeactivate(SprSprite* sprite);
// The mouse in window-port coordinates, through the installed input transform.
void sprGetMouse(Point16* out);
using SprMouseTransform = void (*)(Point16* point);
void sprSetMouseTransform(SprMouseTransform transform);

// Hit tests, from the front backwards.
SprSprite* sprFindAtPoint(Point16 point, u32 flagsValue, u16 frontToBack, u16 lowByteOnly, u16 includeHidden);
SprSprite* sprHitTest(Point16 point, u32 anyMask, u32 matchMask, u32 matchValue);
bool sprHitParts(SprSprite* sprite, Point16 point);

// Drawing and the screen update.
void sprInvalRect(Rect16 rect);
void sprInvalRgn(memHandle region);
void sprDrawParts(SprSprite* sprite);
// A draw procedure for sprites drawn outside the update too: the parts go to the work port.
void sprDraw(SprSprite* sprite);
void sprUpdateScreen(u16 copyToWindow);
void sprCopyToScreen(Rect16 rect);
// Draws a 'tBMP' picture into the current port and takes the screen into the background.
void sprShowBackdrop(u16 pictureId, u16 ignored);

// Temporary sprites. Stamping draws the first frame of a shape into the background (mode 0
// marks nothing dirty; other modes redraw the area with the next update); `bounds` receives
// the stamped frame's rectangle. Measuring writes up to 48 parts of the first frame into the
// caller's list and returns their count.
void sprStampShape(u16 shape, Rect16* bounds, u16 mode, SprUserProc user, uintptr_t data1, uintptr_t data2);
constexpr u16 kSprMeasureOrigins = 0;
constexpr u16 kSprMeasureRects = 1;
// `list` holds Point16 (kSprMeasureOrigins) or Rect16 (kSprMeasureRects) entries.
i16 sprMeasureShape(u16 shape, void* list, u16 mode);
i16 sprGetShapePartRects(u16 shape, Rect16* list);
i16 sprGetShapePartOrigins(u16 shape, Point16* list);

// A text box that replaces the previous one and removes itself after `milliseconds` (0: it
// stays; 1 to 9: only the previous one is removed). A text longer than the box's buffer is cut.
void sprShowMessage(const char* text, u32 milliseconds, const Rect16* rect);
// Debug: draws each sprite's bounds into the window, labelled with 'H' (hidden), '+' (has a
// shape) or '-' and its shape number, and shows the sprite count as a message. A non-zero
// index draws only the sprite at that place after the back sentinel.
void sprDumpObjects(i16 index);
constexpr Rect16 kSprMessageRect = {230, 450, 410, 490};
