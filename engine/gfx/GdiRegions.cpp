#include "engine/gfx/GdiRegions.h"

#include <vector>

#include "engine/regions/RegionStorage.h"

EngineErr rgnToGdiRegion(plat::gdi::Region* out, memHandle rgn, i16 dx, i16 dy) {
    if (out == nullptr) return rgnSetError(kRgnErrBadRegion);
    const RegionRecord* record = rgnRecordOf(rgn);
    if (record == nullptr) return kRgnErrBadRegion;
    std::vector<plat::gdi::Rect> rects;
    rects.reserve(record->count);
    const Rect16* r = rgnRects(record);
    for (u16 i = 0; i < record->count; ++i)
        rects.push_back({r[i].left + dx, r[i].top + dy, r[i].right + dx, r[i].bottom + dy});
    *out = plat::gdi::Region::unionOf(rects);
    return rgnSetError(kErrNone);
}
