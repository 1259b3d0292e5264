#include "contentgen/content/RegionWriter.h"

#include <algorithm>

#include "contentgen/content/ArtPainter.h"
#include "engine/regions/Regions.h"
#include "engine/regions/Rects.h"

namespace {

struct Run {
    int left, right;
    bool operator==(const Run&) const = default;
};

std::vector<Run> rowRuns(const Raster& raster, int y) {
    std::vector<Run> runs;
    for (int x = 0; x < raster.width;) {
        if (!rasterOpaque(raster.at(x, y))) {
            ++x;
            continue;
        }
        const int left = x;
        while (x < raster.width && rasterOpaque(raster.at(x, y))) ++x;
        runs.push_back(Run{left, x});
    }
    return runs;
}

void push16(std::vector<u8>& v, int w) {
    v.push_back(u8(u16(w) >> 8));
    v.push_back(u8(w));
}

}  // namespace

std::vector<u8> writeRegionResource(const Raster& raster) {
    std::vector<Rect16> rects;
    for (int y = 0; y < raster.height;) {
        const std::vector<Run> runs = rowRuns(raster, y);
        int bottom = y + 1;
        while (bottom < raster.height && rowRuns(raster, bottom) == runs) ++bottom;
        for (const Run& r : runs) rects.push_back(Rect16{i16(r.left), i16(y), i16(r.right), i16(bottom)});
        y = bottom;
    }
    if (rects.empty()) throw ArtError("a region needs at least one opaque place");
    if (rects.size() > 0xFFFF) throw ArtError("a region holds at most 65535 rectangles");
    Rect16 bounds = rects.front();
    for (const Rect16& r : rects) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    std::vector<u8> out;
    push16(out, int(kRgnTag >> 16));
    push16(out, int(kRgnTag & 0xFFFF));
    for (int v : {bounds.left, bounds.top, bounds.right, bounds.bottom}) push16(out, v);
    push16(out, int(rects.size()));
    push16(out, int(rects.size()));
    for (const Rect16& r : rects)
        for (int v : {r.left, r.top, r.right, r.bottom}) push16(out, v);
    return out;
}
