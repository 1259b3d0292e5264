#pragma once
// Regions: areas kept as lists of rectangles in a memory handle. They serve as the dirty
// areas of the sprite layer, clip areas of drawing and hot-spot shapes stored in archives.
//
// Every operation keeps these invariants: the rectangles are non-empty and do not overlap;
// they are ordered by top, and among equal tops by left; the bounds enclose them all. An
// intersection, and every merge, also joins vertically touching rectangles of equal left and
// right. The region's handle owns the record; operations may move the block, so callers must
// not hold the handle locked across them. Like the memory manager, the module takes no lock:
// only the user-interface thread and its engine threads call it.
#include <cstddef>

#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"

constexpr EngineErr kRgnErrTooManyPieces = 10550;
constexpr EngineErr kRgnErrBadRegion = 10551;
// A stored region whose capacity or count does not fit the bytes it was read from.
constexpr EngineErr kRgnErrStoredSize = 10552;

constexpr u32 kRgnTag = 0x204E4752;           // bytes "RGN " in memory
constexpr u32 kRgnTagAlternate = 0x72676E52;  // bytes "Rngr", accepted as well
constexpr u16 kRgnSlotGrowth = 16;

// The record in the region's block; `capacity` rectangle slots follow it. The stored form
// in archives has the same layout, big-endian.
struct RegionRecord {
    u32 tag;
    Rect16 bounds;
    u16 capacity;
    u16 count;
};
static_assert(sizeof(RegionRecord) == 16 && offsetof(RegionRecord, bounds) == 4 &&
              offsetof(RegionRecord, capacity) == 12 && offsetof(RegionRecord, count) == 14);

constexpr u32 kRgnRecordSize = sizeof(RegionRecord);

inline Rect16* rgnRects(RegionRecord* record) { return reinterpret_cast<Rect16*>(record + 1); }
inline const Rect16* rgnRects(const RegionRecord* record) { return reinterpret_cast<const Rect16*>(record + 1); }

memHandle rgnCreate();
EngineErr rgnDispose(memHandle rgn);
EngineErr rgnCopy(memHandle dst, memHandle src);
EngineErr rgnSetEmpty(memHandle rgn);
EngineErr rgnResetToRect(memHandle rgn, const Rect16& r);
// The name the screens use for rgnResetToRect.
inline EngineErr rgnSetRect(memHandle rgn, const Rect16& r) { return rgnResetToRect(rgn, r); }
EngineErr rgnOffset(memHandle rgn, i16 dx, i16 dy);
// A rectangle that cannot be placed leaves the region as it was before it: 10550 when it
// would need a 64th pending piece, 10551 when a damaged list (inverted, overlapping or out
// of order) would keep the union cutting and joining pieces for ever, the memory error when
// the block cannot grow. rgnUnion keeps the rectangles it placed before that one and adds
// none after it.
EngineErr rgnUnionRect(memHandle rgn, const Rect16& r);
EngineErr rgnUnion(memHandle dst, memHandle src);
EngineErr rgnIntersectRect(memHandle rgn, const Rect16& r);
EngineErr rgnIntersect(memHandle dst, memHandle src);
// 1 or 0; -1 with kRgnErrBadRegion.
int rgnContainsPoint(memHandle rgn, Point16 p);
int rgnIsEmpty(memHandle rgn);
bool rgnIsValid(memHandle rgn);
// Converts a stored region of `size` bytes to native order in place. A record whose
// capacity or count does not fit those bytes is refused (kRgnErrStoredSize) and left untouched.
EngineErr rgnSwapBytes(void* record, u32 size);
// Inserts r at index, growing the block by 16 slots when it is full; *record follows the
// block when it moves. The bounds are not touched.
EngineErr rgnInsertRect(memHandle rgn, RegionRecord** record, u16 index, const Rect16& r);
// Joins vertically touching rectangles of equal left and right and recomputes the bounds;
// returns the new count.
u16 rgnMergeRects(RegionRecord* record);
EngineErr rgnGetLastError();
