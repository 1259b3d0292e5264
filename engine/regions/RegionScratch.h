#pragma once
// A growable array of rectangles in a block of the memory manager: the working space of the
// region operations, kept apart from the region's own block.
#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

class RegionScratch {
public:
    RegionScratch() = default;
    RegionScratch(const RegionScratch&) = delete;
    RegionScratch& operator=(const RegionScratch&) = delete;
    ~RegionScratch();

    // Room for `count` rectangles, growing by half again at least; the ones held stay. The
    // memory manager's error on failure.
    EngineErr reserve(u32 count);
    // Appends r.
    EngineErr push(const Rect16& r);
    Rect16* rects() { return rects_; }
    const Rect16* rects() const { return rects_; }
    u32 size() const { return size_; }
    void resize(u32 size) { size_ = size; }

private:
    Rect16* rects_ = nullptr;
    u32 capacity_ = 0;
    u32 size_ = 0;
};
