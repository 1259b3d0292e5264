#pragma once
// One sprite of the display list: a frame of a shape, made of up to 48 parts (a frame of the
// shape's group at a screen point), with the procedures that step, draw, drag and hit-test it.
// Owners replace procedures to change the default behaviour. Records are made and freed only
// by the sprite layer (SprLayer.h); an owner keeps the id and looks the sprite up before use.
#include <cstdint>

#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"

struct SprSprite;
using SprActivateProc = u16 (*)(SprSprite* sprite, const Point16* mouse, u32 flags, const Rect16* limit);
using SprDeactivateProc = void (*)(SprSprite* sprite);
using SprReadyProc = u16 (*)(SprSprite* sprite);
using SprStepProc = void (*)(SprSprite* sprite, memHandle region);
using SprDrawProc = void (*)(SprSprite* sprite);
using SprOwnerCallback = void (*)(SprSprite* sprite, i32 event);
using SprUserProc = void (*)(SprSprite* sprite);
using SprHitProc = u16 (*)(SprSprite* sprite, Point16 point);

constexpr u16 kSprMaxParts = 48;
constexpr u16 kSprEmptyPart = 0xFFFF;
constexpr u32 kSprMessageBytes = 288;

// Ids. The two sentinels and the message sprite have fixed ids; 0xFFFF is the failure value.
constexpr u16 kSprFrontId = 1;
constexpr u16 kSprMessageId = 2;
constexpr u16 kSprBackId = 10;
constexpr u16 kSprNoId = 0xFFFF;
// The largest id a new sprite gets; past it the lowest free id is taken.
constexpr u16 kSprLastId = 0x7FFF;

// Layer and behaviour flags.
constexpr u32 kSprBackLayer = 0x8000;
constexpr u32 kSprFrontLayer = 0x4000;
constexpr u32 kSprPickedUp = 0x2000;
constexpr u32 kSprNoSoundWait = 0x100000;
constexpr u32 kSprOneFrame = 0x200000;
constexpr u32 kSprStopWhenLoaded = 0x400000;
constexpr u32 kSprStopAtEnd = 0x800000;
constexpr u32 kSprAboveAll = 0x4000000;
constexpr u32 kSprNoOldArea = 0x2000000;
constexpr u32 kSprRegionMode = 0x8000000;
constexpr u32 kSprStepFromPrevious = 0x80000000;

// Drag flags.
constexpr u32 kSprDragLimit = 0x80;
constexpr u32 kSprDragHideOnDrop = 0x200;
constexpr u32 kSprDragReturn = 0x800;
constexpr u32 kSprDragFollow = 0x8000;
constexpr u32 kSprDragActive = 0x800000;

// Owner events besides the values of a script's event records.
constexpr i32 kSprEventReplaced = -3;
constexpr i32 kSprEventStopped = -2;
constexpr i32 kSprEventEnded = -1;

// Values of the owner's status word.
constexpr u16 kSprStatusStarted = 2;
constexpr u16 kSprStatusEnded = 0xFFFF;
constexpr u16 kSprStatusStopped = 0xFFFE;

// Placement: the next shape setting places the sprite by the shape's own rectangle.
constexpr u32 kSprPlaceByShape = 0x7FFFFFFF;
constexpr Rect16 kSprDefaultLimit = {0, 0, 639, 479};
constexpr u32 kSprDefaultInterval = 100;
// A sound-done word that reports its sound played.
constexpr u16 kSprSoundDone = 0x0101;

// Values of a deferred removal: whether the sprite's area is to be marked dirty.
constexpr u8 kSprDeleteQuietly = 1;
constexpr u8 kSprDeleteMarked = 2;

struct SprPart {
    u16 frame;
    i16 x;
    i16 y;
};

struct SprSprite {
    i16 hideCount;
    i16 pauseCount;
    SprActivateProc activate;
    SprDeactivateProc deactivate;
    SprSprite* behind;
    SprSprite* inFront;
    SprReadyProc ready;
    SprStepProc step;
    SprStepProc drag;
    SprStepProc savedStep;
    SprDrawProc draw;
    SprOwnerCallback callback;
    SprUserProc user;
    SprHitProc hit;
    u16 id;
    u16 shape;
    i16 scriptIndex;
    i16 range;
    u32 scriptPosition;
    u32 nextStepTime;
    u32 interval;
    u32 savedInterval;
    u8 scriptTiming;
    u8 paused;
    u8 shapePending;
    u8 scriptEnded;
    u16 hasShape;
    u32 flags;
    Point16 position;
    Point16 frameOffset;
    Point16 mouse;
    u8 changed;
    u8 hidden;
    Point16 savedPosition;
    Point16 grabOffset;
    Rect16 limit;
    u16 savedId;
    u32 dragFlags;
    u32 savedFlags;
    u16 noNewFrame;
    memHandle region;
    Rect16 bounds;
    Rect16 clipRect;
    u8 clipEnabled;
    u8 pixelHits;
    u32 placement;
    // Free for the owner; pointer-sized, as owners keep pointers in them.
    uintptr_t data1;
    uintptr_t data2;
    u16* status;
    // A removal deferred to the end of the update (kSprDeleteQuietly or kSprDeleteMarked).
    u8 deletePending;
    u16 paletteRequest;
    u16 soundDone[2];
    // The frame; an entry with frame 0 ends it.
    SprPart parts[kSprMaxParts + 1];
    // The text of a message sprite, NUL-terminated.
    char message[kSprMessageBytes];
};
