#pragma once
// A shape group ('tBMH') with its two offset tables ('REGS' group id and id + 1), built
// frame by frame from rasters. Each frame is cut to its opaque places; the offsets put the
// cut frame back where the raster had it relative to its anchor, so a sprite drawn at a
// point shows the art as painted around that point. Frames are numbered from 1.
#include <vector>

#include "contentgen/raster/Raster.h"

class ShapeGroupBuilder {
public:
    // The new frame's number.
    u16 addFrame(const Raster& raster, int anchorX, int anchorY);
    u16 frameCount() const { return u16(frames_.size()); }
    // The stored group: compressed when that makes it smaller.
    std::vector<u8> groupBytes() const;
    std::vector<u8> xOffsetTable() const;
    std::vector<u8> yOffsetTable() const;
    // Where frame `frame` lies relative to the anchor: its cut rectangle.
    RasterBounds frameRect(u16 frame) const;

private:
    struct Frame {
        std::vector<u8> bitmap;
        RasterBounds rect;  // relative to the anchor
    };
    std::vector<u8> offsetTable(bool x) const;
    std::vector<Frame> frames_;
};
