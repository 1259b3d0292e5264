#include "document/pages/PagePainting.h"

#include <algorithm>

#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/ByteOrder.h"
#include "platform/gdi/Color.h"

namespace Ostrel {
namespace {

VectorPainter gVectorPainter = nullptr;
MoviePainter gMoviePainter = nullptr;

u8* rowOf(const GfxPixelDescriptor& target, i32 y) {
    const i32 height = target.bounds.bottom - target.bounds.top;
    return target.rowStep >= 0 ? target.base + y * target.rowStep : target.base + (height - 1 - y) * -target.rowStep;
}

}  // namespace

void SetVectorPainter(VectorPainter painter) { gVectorPainter = painter; }

VectorPainter GetVectorPainter() { return gVectorPainter; }

void SetMoviePainter(MoviePainter painter) { gMoviePainter = painter; }

MoviePainter GetMoviePainter() { return gMoviePainter; }

bool PaintMediaFirstPicture(const GfxPixelDescriptor& target, const RPageObject& object, const Rect16& place) {
    const FourCC type = object.Type();
    if (type != kTypeFlash && type != kTypeFlashAnimation && type != kTypeMovie) return false;
    const auto& file = static_cast<const RMediaFilePageObject&>(object);
    if (type != kTypeMovie) return gVectorPainter && gVectorPainter(target, file.media, place) == kErrNone;
    return gMoviePainter && gMoviePainter(target, file, place) == kErrNone;
}

void paintPicture(const GfxPixelDescriptor& target, const PictureRecord& picture, const PageRect& place,
                  Point16 origin) {
    const size_t area = size_t(picture.width) * picture.height;
    if (area == 0 || picture.pixels.size() != area * 4 || (!picture.mask.empty() && picture.mask.size() != area))
        return;
    const i32 placeWidth = i32(place.right) - place.left;
    const i32 placeHeight = i32(place.bottom) - place.top;
    if (placeWidth <= 0 || placeHeight <= 0) return;
    const i32 left = origin.h + place.left;
    const i32 top = origin.v + place.top;
    const i32 portWidth = target.bounds.right - target.bounds.left;
    const i32 portHeight = target.bounds.bottom - target.bounds.top;
    const i32 x0 = std::max(left, 0), x1 = std::min(left + placeWidth, portWidth);
    const i32 y0 = std::max(top, 0), y1 = std::min(top + placeHeight, portHeight);
    for (i32 y = y0; y < y1; ++y) {
        const size_t sourceRow = size_t(i64(y - top) * picture.height / placeHeight) * picture.width;
        u8* row = rowOf(target, y);
        for (i32 x = x0; x < x1; ++x) {
            const size_t at = sourceRow + size_t(i64(x - left) * picture.width / placeWidth);
            if (!picture.mask.empty() && picture.mask[at] == 0) continue;
            const u8* rgba = picture.pixels.data() + at * 4;
            writeLE16(row + 2 * x, plat::gdi::rgbTo555({rgba[0], rgba[1], rgba[2]}));
        }
    }
}

bool portPart(const GfxPixelDescriptor& port, const Rect16& area, GfxPixelDescriptor* part) {
    const Rect16 whole{0, 0, i16(port.bounds.right - port.bounds.left), i16(port.bounds.bottom - port.bounds.top)};
    Rect16 inside = area;
    if (rectIsEmpty(area) || !rectIntersect(&inside, whole) || !rectEqual(inside, area)) return false;
    const i32 rows = area.bottom - area.top;
    *part = port;
    part->bounds = {0, 0, i16(area.right - area.left), i16(rows)};
    // Rows run down from base, or up when the step is negative.
    const i32 firstRow = port.rowStep >= 0 ? area.top : whole.bottom - area.top - rows;
    part->base = port.base + i64(firstRow) * (port.rowStep >= 0 ? port.rowStep : -port.rowStep) + i64(area.left) * 2;
    return true;
}

}  // namespace Ostrel
