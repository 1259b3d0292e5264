#pragma once
// Shape groups and shape scripts of the sprite layer. A screen loads the groups it needs
// into 14 slots, kept packed from slot 0; each load registers a range of shape numbers whose
// scripts ('tSCR', one per shape) live in a cache of 700 entries, the ranges' entries in the
// order the ranges were registered. Groups ('tBMH', compressed or not), their per-frame
// offset tables ('REGS' group id and group id + 1) and scripts come from the open archives
// through the resource manager and are converted to machine order once, in place, after
// loading; damaged resources are refused (sprGetLastError tells why) and never followed.
// The sprite layer reaches frames, offsets and scripts through the accessors below.
// User-interface thread only.
#include <span>

#include "engine/regions/Rects.h"
#include "engine/resources/ResourceManager.h"

constexpr u16 kSprGroupSlots = 14;
constexpr u16 kSprShapeRanges = 14;
constexpr u16 kSprScriptCacheSize = 700;
constexpr u16 kSprNoSlot = 0xFFFF;
// Shape count of sprLoadGroup: every consecutive script that exists.
constexpr u16 kSprEveryScript = 0xFFFF;
// First shape of sprLoadGroup: the group id.
constexpr u16 kSprFirstIsGroupId = 0xFFFF;
constexpr u32 kSprMessageMs = 5000;
constexpr FourCC kSprGroupType = fourCC("tBMH");
constexpr FourCC kSprScriptType = fourCC("tSCR");
constexpr FourCC kSprOffsetType = fourCC("REGS");

// What the shape tables need of the rest of the sprite layer, which installs them; each may be
// null (nothing to do then).
struct SprShapeHooks {
    // Disposes of the sprites drawn from a group slot, or of every sprite for kSprNoSlot.
    void (*disposeSprites)(u16 slot);
    // Ranges or slots moved: sprites look their script index and slot up again by shape.
    void (*rangesChanged)();
    // Frees the sound channels; the first answer to a group that cannot be loaded.
    void (*freeSoundChannels)();
    // Shows a message sprite for a while.
    void (*showMessage)(const char* text, u32 milliseconds);
};
void sprSetShapeHooks(const SprShapeHooks& hooks);

EngineErr sprGetLastError();

// Loads a group and registers its shape range; the slot, or kSprNoSlot. A non-zero shape
// count also loads the offset tables; the preload count says how many scripts to load now.
u16 sprLoadGroup(u16 groupId, u16 shapeCount, u16 preloadCount, u16 ignored, u16 firstShape);
// Releases one group with its sprites, ranges and scripts, or everything for id 0.
void sprReleaseGroup(u16 groupId, u16 purge);
u16 sprFindGroup(u16 groupId);
// Draws a frame of a slot's group into the current port at (x, y), first moved back by the
// frame's offsets, transparently; stores the drawn rectangle, or an empty one when there is
// no such frame.
void sprDrawFrame(i16 slot, i16 frame, i16 x, i16 y, Rect16* drawn);
// The rectangle sprDrawFrame would draw; zeroed for no such slot or frame.
Rect16 sprGetFrameRect(i16 slot, i16 frame, i16 x, i16 y);

// Loads, expands and converts a group; null on failure. *ref is found when 0.
u8* sprLoadGroupData(u16 groupId, ResourceRef* ref);
u8* sprLoadScript(ResourceRef* ref, u16 shapeId, u16 ignored);
u8* sprLoadOffsetTable(u16 tableId, ResourceRef* ref);

// Accessors for the sprite layer.
// The cache index and group slot of the first registered range that holds `shape`; false
// when none does or its place lies past the cache.
bool sprFindShape(u16 shape, i16* scriptIndex, i16* slot);
// The script of a cache entry, loaded for `shape` when the entry is empty; empty on failure.
std::span<const u8> sprCachedScript(i16 scriptIndex, u16 shape);
u16 sprGroupIdOf(i16 slot);
u16 sprGroupFrameCount(i16 slot);
// The frame bitmap and the bytes after it in its group; empty for no such frame.
std::span<const u8> sprGroupFrame(i16 slot, i16 frame);
bool sprGroupHasOffsets(i16 slot);
// The frame's x and y offsets (0 without tables or past their end).
Point16 sprFrameOffset(i16 slot, i16 frame);
// Unlocks and locks again every group, table and script, so that their blocks may move.
void sprRelockShapes();
