#include "tools/cut/ClipPicture.h"

#include "engine/regions/Regions.h"
#include "tools/base/PixelMask.h"

PixelView ClipPicture::View() { return pixelViewOfBuffer(pixels, width, height); }

ClipPicture clipPictureOf(const PictureRecord& record) {
    ClipPicture picture;
    picture.width = i16(record.width);
    picture.height = i16(record.height);
    if (record.pixels.size() != size_t(record.width) * record.height * 4) return ClipPicture{};
    picture.pixels.reserve(size_t(record.width) * record.height);
    for (size_t p = 0; p < record.pixels.size(); p += 4)
        picture.pixels.push_back(rgb555(record.pixels[p], record.pixels[p + 1], record.pixels[p + 2]));
    return picture;
}

memHandle clipRectShape(i16 width, i16 height, Point16 at) {
    memHandle whole = rgnCreate();
    if (whole) rgnSetRect(whole, Rect16{at.h, at.v, i16(at.h + width), i16(at.v + height)});
    return whole;
}

memHandle clipShapeOf(const PictureRecord& record, Point16 at) {
    const i16 width = i16(record.width), height = i16(record.height);
    if (record.mask.size() != size_t(width) * size_t(height)) return clipRectShape(width, height, at);
    PixelMask mask(width, height);
    for (i32 y = 0; y < height; ++y) {
        const u8* row = record.mask.data() + size_t(y) * size_t(width);
        i32 x = 0;
        while (x < width) {
            while (x < width && !row[x]) ++x;
            const i32 start = x;
            while (x < width && row[x]) ++x;
            if (x > start) mask.SetSpan(y, start, x);
        }
    }
    return mask.ToRegion(at.h, at.v);
}
