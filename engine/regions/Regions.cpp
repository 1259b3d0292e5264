#include "engine/regions/Regions.h"

#include <cstddef>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/regions/RegionStorage.h"

namespace {

EngineErr lastError = kErrNone;

u32 blockSizeFor(u32 capacity) { return kRgnRecordSize + capacity * u32(sizeof(Rect16)); }

}  // namespace

EngineErr rgnSetError(EngineErr error) {
    lastError = error;
    return error;
}

EngineErr rgnGetLastError() { return lastError; }

RegionRecord* rgnRecordOf(memHandle rgn) {
    auto* record = rgn == 0 ? nullptr : static_cast<RegionRecord*>(memDerefHandle(rgn));
    if (record == nullptr) {
        rgnSetError(kRgnErrBadRegion);
        return nullptr;
    }
    i32 size = memGetHandleSize(rgn);
    bool fits = size >= i32(kRgnRecordSize) && u32(size) >= blockSizeFor(record->capacity) &&
                record->count <= record->capacity;
    if (!fits) {
        rgnSetError(kRgnErrBadRegion);
        return nullptr;
    }
    return record;
}

EngineErr rgnResizeSlots(memHandle rgn, RegionRecord** record, u32 capacity) {
    if (capacity > 0xFFFF) return rgnSetError(kMemErrOutOfMemory);
    EngineErr error = memResizeHandle(rgn, blockSizeFor(capacity));
    *record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    if (error != kErrNone) return rgnSetError(error);
    (*record)->capacity = u16(capacity);
    return kErrNone;
}

void rgnShrinkSlots(memHandle rgn, RegionRecord** record) {
    u32 wanted = kRgnSlotGrowth * (u32((*record)->count) / kRgnSlotGrowth + 1);
    // A block that cannot shrink keeps its slots; the region stays whole either way.
    if (wanted < (*record)->capacity) rgnResizeSlots(rgn, record, wanted);
}

memHandle rgnCreate() {
    memHandle rgn = memAllocHandle(blockSizeFor(kRgnSlotGrowth));
    if (rgn == 0) {
        rgnSetError(memGetLastError());
        return 0;
    }
    auto* record = static_cast<RegionRecord*>(memDerefHandle(rgn));
    *record = RegionRecord{kRgnTag, Rect16{}, kRgnSlotGrowth, 0};
    rgnSetError(kErrNone);
    return rgn;
}

EngineErr rgnDispose(memHandle rgn) {
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    u32 tag = record->tag;
    record->tag = 0;
    EngineErr error = memFreeHandle(rgn);
    if (error != kErrNone) record->tag = tag;
    return rgnSetError(error);
}

EngineErr rgnCopy(memHandle dst, memHandle src) {
    RegionRecord* from = rgnRecordOf(src);
    if (from == nullptr || rgnRecordOf(dst) == nullptr) return kRgnErrBadRegion;
    if (dst == src) return rgnSetError(kErrNone);
    u32 size = u32(memGetHandleSize(src));
    EngineErr error = memResizeHandle(dst, size);
    if (error != kErrNone) return rgnSetError(error);
    from = static_cast<RegionRecord*>(memDerefHandle(src));
    std::memcpy(memDerefHandle(dst), from, size);
    return rgnSetError(kErrNone);
}

EngineErr rgnSetEmpty(memHandle rgn) {
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    EngineErr error = rgnResizeSlots(rgn, &record, kRgnSlotGrowth);
    if (error != kErrNone) return error;
    record->count = 0;
    record->bounds = Rect16{};
    return rgnSetError(kErrNone);
}

EngineErr rgnResetToRect(memHandle rgn, const Rect16& r) {
    // An empty rectangle gives the empty region: a stored empty rectangle would make the
    // region claim content it does not have.
    if (rectIsEmpty(r)) return rgnSetEmpty(rgn);
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    EngineErr error = rgnResizeSlots(rgn, &record, kRgnSlotGrowth);
    if (error != kErrNone) return error;
    record->count = 1;
    record->bounds = r;
    rgnRects(record)[0] = r;
    return rgnSetError(kErrNone);
}

EngineErr rgnOffset(memHandle rgn, i16 dx, i16 dy) {
    RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    rectOffset(&record->bounds, dx, dy);
    Rect16* rects = rgnRects(record);
    for (u16 i = 0; i < record->count; ++i) rectOffset(&rects[i], dx, dy);
    return rgnSetError(kErrNone);
}

int rgnContainsPoint(memHandle rgn, Point16 p) {
    const RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return -1;
    rgnSetError(kErrNone);
    if (record->count == 0 || !rectContainsPoint(record->bounds, p)) return 0;
    const Rect16* rects = rgnRects(record);
    for (u16 i = 0; i < record->count && rects[i].top <= p.v; ++i) {
        if (rectContainsPoint(rects[i], p)) return 1;
    }
    return 0;
}

int rgnIsEmpty(memHandle rgn) {
    const RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return -1;
    rgnSetError(kErrNone);
    return record->count == 0 ? 1 : 0;
}

bool rgnIsValid(memHandle rgn) {
    if (!memIsHandleValid(rgn)) {
        rgnSetError(kRgnErrBadRegion);
        return false;
    }
    const RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return false;
    rgnSetError(kErrNone);
    return record->tag == kRgnTag || record->tag == kRgnTagAlternate;
}

EngineErr rgnSwapBytes(void* record, u32 size) {
    auto* bytes = static_cast<u8*>(record);
    if (bytes == nullptr || size < kRgnRecordSize) return rgnSetError(kRgnErrStoredSize);
    u16 capacity = readBE16(bytes + offsetof(RegionRecord, capacity));
    u16 count = readBE16(bytes + offsetof(RegionRecord, count));
    if (count > capacity || blockSizeFor(capacity) > size) return rgnSetError(kRgnErrStoredSize);
    swapInPlace32(bytes);
    // The bounds, capacity, count and then every rectangle in use are 16-bit fields.
    u32 end = kRgnRecordSize + u32(count) * u32(sizeof(Rect16));
    for (u32 offset = offsetof(RegionRecord, bounds); offset < end; offset += 2) swapInPlace16(bytes + offset);
    return rgnSetError(kErrNone);
}

EngineErr rgnInsertRect(memHandle rgn, RegionRecord** record, u16 index, const Rect16& r) {
    if (index > (*record)->count) return rgnSetError(kRgnErrBadRegion);
    if ((*record)->count == (*record)->capacity) {
        EngineErr error = rgnResizeSlots(rgn, record, u32((*record)->capacity) + kRgnSlotGrowth);
        if (error != kErrNone) return error;
    }
    Rect16* rects = rgnRects(*record);
    u16 count = (*record)->count;
    std::memmove(rects + index + 1, rects + index, (count - index) * sizeof(Rect16));
    rects[index] = r;
    (*record)->count = u16(count + 1);
    return rgnSetError(kErrNone);
}

u16 rgnMergeRects(RegionRecord* record) {
    Rect16* rects = rgnRects(record);
    u16 count = record->count;
    for (u16 i = 0; i < count; ++i) {
        for (u16 j = u16(i + 1); j < count && rects[j].top <= rects[i].bottom;) {
            const Rect16& below = rects[j];
            if (below.top == rects[i].bottom && below.left == rects[i].left && below.right == rects[i].right) {
                rects[i].bottom = below.bottom;
                std::memmove(rects + j, rects + j + 1, (count - j - 1) * sizeof(Rect16));
                --count;
            } else {
                ++j;
            }
        }
    }
    record->count = count;
    record->bounds = count == 0 ? Rect16{} : rects[0];
    for (u16 i = 1; i < count; ++i) rectUnion(&record->bounds, rects[i]);
    return count;
}
