#pragma once
// A picture as a floating clip takes it to paste: its 16-bit pixels and its shape. A picture
// of the program's clip list (RGBA, with the shape of its cut as a mask or without one) and
// plain pixels from elsewhere (another program's copy) alike.
#include <vector>

#include "document/storage/PictureRecord.h"
#include "engine/base/MemoryHandles.h"
#include "engine/regions/Rects.h"
#include "tools/base/PixelView.h"

struct ClipPicture {
    i16 width = 0;
    i16 height = 0;
    std::vector<u16> pixels;  // RGB555 rows, top first
    // A view of the pixels; empty (no top) for a picture without pixels.
    PixelView View();
};

ClipPicture clipPictureOf(const PictureRecord& record);
// The shape with its top-left at `at`: the record's mask, or the whole rectangle without one.
// The caller disposes of the region; 0 when it cannot be made.
memHandle clipShapeOf(const PictureRecord& record, Point16 at);
memHandle clipRectShape(i16 width, i16 height, Point16 at);
